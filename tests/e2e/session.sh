#!/usr/bin/env bash
# A user's session from the harbour table to closing the main window on three tables: a
# snapshot, an icon from the palette's second page and a note placed, icons moved and cut,
# File > New through the real dialogs, the cut icon pasted there and refused by the office
# floor, whose icon set differs. Every table must then be on disk as the user left it.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"
tables="$APP/Plot Tables" templates="$APP/Plot Templates" picture="$WORK/quay survey.jpg"
mapfile -t harbour < <(sed 's/\r$//' "$tables/Harbour.plt") # icon k: lines 4k-2 to 4k+1
# LF line ends come back as the program's CR LF only if it writes the table.
cp "$tables/Office Floor.plt" "$WORK/office.plt"
sed -i 's/\r$//' "$tables/Office Floor.plt"
convert -size 640x420 gradient:'#2a6e8c'-'#f4d35e' -fill '#1b1b3a' -draw 'rectangle 0,0 48,14' \
    -draw 'rectangle 0,0 10,40' -fill '#d1495b' -draw 'circle 320,210 320,290' "$picture"

start_program "$APP/quenbrack" "$tables/Harbour.plt"
locate "$templates/harbour.jpg"
ox=$X oy=$Y
# Save Snapshot writes the table as it shows, without the palette, and opens it with
# the image program in the program folder.
palette $((ox + 300)) $((oy + 100)) 84 168
wait_until "xdg-open" grep -qxF "$APP|Quenbrack.bmp" "$WORK/xdg-open.calls"
xdotool mousemove --sync 1500 1100 # so that no tooltip covers the table
same_as_screen() {
    import -window root -crop "900x600+$ox+$oy" +repage "$WORK/screen.png"
    [ "$(compare -metric AE "$APP/Quenbrack.bmp" "$WORK/screen.png" null: 2>&1)" = 0 ]
}
wait_until "the snapshot to match the screen" same_as_screen

palette $((ox + 300)) $((oy + 400)) 137 72 # to the second page,
click 1 $((ox + 384)) $((oy + 420))          # its third icon: 13
answer_dialog Quenbrack "Buoy thirteen"
palette $((ox + 120)) $((oy + 300)) 55 117 # a note
answer_dialog Quenbrack "Divers down here"
# Icon 2 is picked up by a click and dragged from there; 15 twips to a pixel.
click 1 $((ox + harbour[9] / 15 + 12)) $((oy + harbour[8] / 15 + 12))
xdotool mousedown 1 mousemove --sync $((ox + 450)) $((oy + 300)) \
    mousemove --sync $((ox + 560)) $((oy + 500)) mouseup 1
# Icon 1's action menu opens beside it on a right-click.
ix=$((ox + harbour[5] / 15)) iy=$((oy + harbour[4] / 15))
click 3 $((ix + 12)) $((iy + 12))
wait_until "the action menu" shows $((ix + 101)) $((iy + 30)) 404040
click 1 $((ix + 72)) $((iy + 32)) # Cut

menu n
answer_dialog Quenbrack "Quay Survey"
answer_dialog "Choose background Image File" "$picture"
answer_dialog "Choose Icon Set" ""
locate "$picture" $((ox + 1)) $((oy + 1))
palette $((X + 200)) $((Y + 150)) 128 144 # Paste
menu o
answer_dialog "Open a Plot Table" "Office Floor.plt"
locate "$templates/floorplan.jpg" $((X + 1)) $((Y + 1))
palette $((X + 300)) $((Y + 300)) 128 144
answer_dialog Quenbrack "" # the refusal
close_program

mapfile -t icon < <(record "Buoy thirteen" " 13 " 300 400)
mapfile -t note < <(record "Divers down here" "-1 " 120 300)
harbour[8]=" $((500 * 15)) " harbour[9]=" $((560 * 15)) " # icon 2's top and left
expected=()
for line in "${harbour[@]:0:2}" "${harbour[@]:6}"; do # without the cut icon 1
    [ "$line" = "[Notes]" ] && expected+=("${icon[@]}")
    [ "$line" = "[End]" ] && expected+=("${note[@]}")
    expected+=("$line")
done
expect_table "$tables/Harbour.plt" "${expected[@]}"
mapfile -t pasted < <(record "${harbour[2]}" "${harbour[3]}" 200 150)
expect_table "$tables/Quay Survey.plt" "quay survey.jpg" BasicSet "${pasted[@]}" "[Notes]" "[End]"
cmp -s "$picture" "$templates/quay survey.jpg" || fail "the background was not copied"
cmp -s "$WORK/office.plt" "$tables/Office Floor.plt" || fail "Office Floor.plt was not written"
echo "PASS: $E2E_NAME"
