#!/usr/bin/env bash
# File > New through the real dialogs: a name, a background picture from
# outside the program folder and the default icon set. The new table opens
# on that picture; an icon placed on it is in the file after the program
# is closed, and the picture has been copied into the templates.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"

picture="$WORK/pictures/quay survey.jpg"
mkdir -p "$(dirname "$picture")"
convert -size 640x420 gradient:'#2a6e8c'-'#f4d35e' -fill '#1b1b3a' \
    -draw 'rectangle 0,0 48,14' -draw 'rectangle 0,0 10,40' \
    -fill '#d1495b' -draw 'circle 320,210 320,290' "$picture"

start_program
menu f n
answer_dialog Quenbrack "Quay Survey"
answer_dialog "Choose background Image File" "$picture"
answer_dialog "Choose Icon Set" ""

read -r ox oy < <(locate_picture "$picture")
place $((ox + 200)) $((oy + 150)) 0 "Crane"
close_program

table="$APP/Plot Tables/Quay Survey.plt"
[ -f "$table" ] || fail "no file $table"
mapfile -t icon < <(record "Crane" 1 200 150)
expect_table "$table" "quay survey.jpg" BasicSet "${icon[@]}" "[Notes]" "[End]"
cmp -s "$picture" "$APP/Plot Templates/quay survey.jpg" ||
    fail "the background was not copied into the templates"
echo "PASS: $E2E_NAME"
