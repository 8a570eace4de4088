#!/usr/bin/env bash
# Find lists the table's icons; clicking the first entry frames that icon
# with the red locate marker, and no other icon.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"

read_table harbour "$APP/Plot Tables/Harbour.plt"
start_program "$APP/Plot Tables/Harbour.plt"
read -r ox oy < <(locate_picture "$APP/Plot Templates/harbour.jpg")

# How many sides of icon k's 25-pixel square show red in their middle.
red_sides() {
    local x y n=0 side
    read -r x y < <(icon_place harbour "$1")
    for side in "1 12" "23 12" "12 1" "12 23"; do
        set -- $side
        [ "$(pixel $((ox + x + $1)) $((oy + y + $2)))" = FF0000 ] && n=$((n + 1))
    done
    echo "$n"
}
framed() { [ "$(red_sides "$1")" = 4 ]; }
[ "$(red_sides 1)" = 0 ] || fail "icon 1 is framed red before Find"

palette_command $((ox + 300)) $((oy + 400)) Find
# The list sits at 24, 16 in the panel at the client area's corner.
wait_colour $((ox + 5)) $((oy + 100)) 404040 "the Find panel"
click 1 $((ox + 80)) $((oy + 24))
wait_until "the marker around icon 1" framed 1
[ "$(red_sides 2)" = 0 ] || fail "icon 2 is framed red too"
echo "PASS: $E2E_NAME"
