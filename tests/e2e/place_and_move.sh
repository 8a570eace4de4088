#!/usr/bin/env bash
# Opens the harbour table from the command line, places an icon from the
# palette's second page and a note, moves a sample icon by picking it up
# and dragging it, and closes the table with its close button: the file
# then holds exactly those changes and nothing else.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"

table="$APP/Plot Tables/Harbour.plt"
read_table before "$table"
start_program "$table"
read -r ox oy < <(locate_picture "$APP/Plot Templates/harbour.jpg")

# Slot 2 of the second page is icon 13.
place $((ox + 300)) $((oy + 400)) 2 "Buoy thirteen" 1
place $((ox + 120)) $((oy + 300)) note "Divers down here"

# The second sample icon: click it to pick it up, then drag it from there.
read -r ix iy < <(icon_place before 2)
click 1 $((ox + ix + 12)) $((oy + iy + 12))
xdotool mousedown 1 mousemove --sync $((ox + 450)) $((oy + 300)) \
    mousemove --sync $((ox + 560)) $((oy + 500)) mouseup 1
# A move without a button over the background puts it down, so a later
# drag elsewhere leaves it where it is.
xdotool mousemove --sync $((ox + 620)) $((oy + 470))
xdotool mousedown 1 mousemove --sync $((ox + 660)) $((oy + 440)) mouseup 1

stamp=$(file_stamp "$table")
close_document "$ox" "$oy" 900
wait_written "$table" "$stamp"

mapfile -t icon < <(record "Buoy thirteen" 13 300 400)
mapfile -t note < <(record "Divers down here" -1 120 300)
expected=()
for line in "${before[@]}"; do
    [ "$line" = "[Notes]" ] && expected+=("${icon[@]}")
    [ "$line" = "[End]" ] && expected+=("${note[@]}")
    expected+=("$line")
done
expected[8]=" $((500 * 15)) " expected[9]=" $((560 * 15)) " # icon 2's top and left
expect_table "$table" "${expected[@]}"
echo "PASS: $E2E_NAME"
