#!/usr/bin/env bash
# Working on the plot surface with a real mouse and keyboard: an icon carried by pressing
# on it and dragging in one gesture; pop-ups that keep a right-click on their own area and
# close with Escape; an icon placed after zooming out lands at that point of the picture;
# Find, zoomed in so that the far corner is out of sight, scrolls the marker into view.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"
tables="$APP/Plot Tables"
# On the 900 x 600 harbour chart: Mooring at (100, 100), Buoy at (300, 100), and an icon
# in the far corner; 15 twips to a pixel.
mapfile -t mooring < <(record "Mooring" " 1 " 100 100)
mapfile -t buoy < <(record "Buoy" " 2 " 300 100)
mapfile -t far < <(record "Far corner" " 3 " 860 560)
printf '%s\r\n' harbour.jpg BasicSet "${mooring[@]}" "${buoy[@]}" "${far[@]}" "[Notes]" "[End]" \
    >"$tables/Surface.plt"

start_program "$APP/quenbrack" "$tables/Surface.plt"
locate "$APP/Plot Templates/harbour.jpg"
ox=$X oy=$Y

# Press on Mooring and drag it 100 pixels without letting go: its corner follows the pointer.
xdotool mousemove --sync $((ox + 112)) $((oy + 112)) mousedown 1
for step in 25 50 75 100; do xdotool mousemove --sync $((ox + 112 + step)) $((oy + 112)); done
xdotool mouseup 1 mousemove --sync $((ox + 500)) $((oy + 400)) # off it: put down

# A right-click on the action menu's grey area opens no palette; Escape closes the menu.
click 3 $((ox + 312)) $((oy + 112))
mx=$((ox + 300 + 24)) my=$((oy + 100)) # Left + 365 twips
wait_until "the action menu" shows $((mx + 77)) $((my + 30)) 404040
click 3 $((mx + 5)) $((my + 50))
sleep 0.5
shows $((mx + 5 + 160)) $((my + 50 + 100)) 404040 && fail "the palette opened over the action menu"
xdotool key Escape
wait_until "the action menu to close" eval "! shows $((mx + 77)) $((my + 30)) 404040"
# A right-click on the background opens the palette; Escape closes it, placing nothing.
click 3 $((ox + 500)) $((oy + 300))
wait_until "the palette" shows $((ox + 660)) $((oy + 400)) 404040
xdotool key Escape
wait_until "the palette to close" eval "! shows $((ox + 660)) $((oy + 400)) 404040"

# Ctrl + wheel down: 75%. An icon placed at a point of the window lands at that point of
# the picture: (480, 240) on screen is (640, 320) of the picture.
xdotool mousemove --sync $((ox + 450)) $((oy + 300)) keydown ctrl click 5 keyup ctrl
sleep 0.5
palette $((ox + 480)) $((oy + 240)) 36 20 # slot 1
answer_dialog Quenbrack "Zoomed"

# Zoomed in to 200%, the far corner lies out of sight; Find scrolls its marker into view.
red_pixels() {
    import -window root -crop "1400x1000+0+0" +repage "$WORK/screen.png"
    convert "$WORK/screen.png" -alpha off -fill black +opaque "#FF0000" -fill white \
        -opaque "#FF0000" -format "%[fx:int(mean*w*h)]" info:
}
marker_shown() { [ "$(red_pixels)" -gt 40 ]; }
xdotool mousemove --sync $((ox + 100)) $((oy + 100))
for notch in 1 2 3 4; do xdotool keydown ctrl click 4 keyup ctrl; sleep 0.2; done
[ "$(red_pixels)" -lt 5 ] || fail "red on screen before Find"
palette $((ox + 200)) $((oy + 200)) 128 120 # Find
sleep 0.5
xdotool type --delay 30 "far"
xdotool key Return
wait_until "the marker on screen" marker_shown
close_program

mooring=("Mooring" " 1 " " $((112 * 15)) " " $((212 * 15)) ")
mapfile -t zoomed < <(record "Zoomed" " 1 " 640 320)
expect_table "$tables/Surface.plt" harbour.jpg BasicSet "${mooring[@]}" "${buoy[@]}" "${far[@]}" \
    "${zoomed[@]}" "[Notes]" "[End]"
echo "PASS: $E2E_NAME"
