#!/usr/bin/env bash
# Closing the main window with three tables open writes every one of them.
# They start with LF line ends, so each one written comes back with the
# program's CR LF.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"

tables="$APP/Plot Tables"
cp "$tables/Harbour.plt" "$tables/Harbour Copy.plt"
names=(Harbour "Harbour Copy" "Office Floor")
mkdir "$WORK/before"
for name in "${names[@]}"; do
    cp "$tables/$name.plt" "$WORK/before/"
    sed -i 's/\r$//' "$tables/$name.plt"
done

start_program "$tables/Harbour.plt"
for name in "${names[@]:1}"; do
    menu f o
    answer_dialog "Open a Plot Table" "$name.plt"
done
locate_picture "$APP/Plot Templates/floorplan.jpg" >/dev/null # the last one is up
close_program

for name in "${names[@]}"; do
    cmp -s "$WORK/before/$name.plt" "$tables/$name.plt" || fail "$name.plt was not written"
done
echo "PASS: $E2E_NAME"
