#!/usr/bin/env bash
# Cuts a sample icon in the harbour table, pastes it into a second table of
# the same icon set, and tries to paste it into the office floor, whose set
# differs: that is refused with a message. Closing the main window then
# writes all three tables.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"

tables="$APP/Plot Tables"
read_table harbour "$tables/Harbour.plt"
read_table office "$tables/Office Floor.plt"
write_crlf "$tables/Harbour Copy.plt" "${harbour[0]}" "${harbour[1]}" "[Notes]" "[End]"

start_program "$tables/Harbour.plt"
read -r ax ay < <(locate_picture "$APP/Plot Templates/harbour.jpg")

# Right-click the first icon; its action menu opens beside it.
read -r ix iy < <(icon_place harbour 1)
click 3 $((ax + ix + 12)) $((ay + iy + 12))
mx=$((ax + ix + 24)) my=$((ay + iy))
wait_colour $((mx + 77)) $((my + 30)) 404040 "the action menu"
click 1 $((mx + 48)) $((my + 32)) # Cut

menu f o
answer_dialog "Open a Plot Table" "Harbour Copy.plt"
read -r bx by < <(locate_picture "$APP/Plot Templates/harbour.jpg" $((ax + 1)) $((ay + 1)))
palette_command $((bx + 200)) $((by + 300)) Paste

menu f o
answer_dialog "Open a Plot Table" "Office Floor.plt"
read -r cx cy < <(locate_picture "$APP/Plot Templates/floorplan.jpg" $((bx + 1)) $((by + 1)))
palette_command $((cx + 300)) $((cy + 300)) Paste
box=$(wait_dialog Quenbrack)
wait_text "$box" "Sorry, paste not possible. This Plot Table uses a different icon set!"
xdotool key Return
wait_gone "$box"

close_program
expect_table "$tables/Harbour.plt" "${harbour[@]:0:2}" "${harbour[@]:6}"
mapfile -t pasted < <(record "${harbour[2]}" $((harbour[3])) 200 300)
expect_table "$tables/Harbour Copy.plt" "${harbour[@]:0:2}" "${pasted[@]}" "[Notes]" "[End]"
expect_table "$tables/Office Floor.plt" "${office[@]}"
echo "PASS: $E2E_NAME"
