#!/usr/bin/env bash
# The first minutes of a new user on a 1600 x 1200 screen: the harbour table opens whole in a
# main window grown for it; a palette opened near the bottom edge shows whole and its Save
# Snapshot works; an icon clicked stays selected while the pointer goes to Edit > Delete;
# Ctrl+S writes a move with the window left open and its change mark gone; and by keyboard
# alone an icon is moved and another placed from the palette.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"
tables="$APP/Plot Tables" templates="$APP/Plot Templates"
mapfile -t harbour < <(sed 's/\r$//' "$tables/Harbour.plt") # icon k: lines 4k-2 to 4k+1

# Started as a user starts it: the main window at the size the program gives it.
(cd "$HOME" && exec "$APP/quenbrack" "$tables/Harbour.plt") >"$WORK/app.log" 2>&1 &
APP_PID=$! && E2E_PIDS+=($!)
DEADLINE=$((DEADLINE * 2)) wait_until "the main window" main_window
xdotool windowmove --sync "$MAIN" 0 0 windowactivate --sync "$MAIN" # moved, not sized
locate "$templates/harbour.jpg"
ox=$X oy=$Y
# The picture's far corner shows where it belongs: nothing cut off, no scroll bar over it.
convert "$templates/harbour.jpg" -crop 32x32+868+568 +repage "$WORK/far.png"
far_corner_shown() {
    import -window root -crop "32x32+$((ox + 868))+$((oy + 568))" +repage "$WORK/shown.png"
    compare -metric RMSE "$WORK/shown.png" "$WORK/far.png" null: 2>&1 |
        awk '{ gsub(/[()]/, " ") } $2 < 0.02 { ok = 1 } END { exit !ok }'
}
wait_until "the whole 900 x 600 picture" far_corner_shown

# The table window's title bar, unchanged and changed: the change mark is all that differs.
xdotool mousemove --sync 1590 1190
title_bar() { import -window root -crop "860x12+$((ox + 20))+$((oy - 18))" +repage "$1"; }
title_bar "$WORK/clean.png"
holds() { printf '%s\r\n' "${@:2}" >"$WORK/expected.plt" && cmp -s "$WORK/expected.plt" "$1"; }
settle() { # settle <file> <line>...: waits for the file to hold the lines, then checks it
    local end=$((SECONDS + DEADLINE))
    until holds "$@" || [ $SECONDS -ge $end ]; do sleep 0.1; done
    expect_table "$@"
}

# A right-click 20 pixels above the bottom edge: the palette moves up to show whole.
click 3 $((ox + 300)) $((oy + 580))
px=$((ox + 300)) py=$((oy + 600 - 185))
wait_until "the palette above the edge" shows $((px + 160)) $((py + 100)) 404040
click 1 $((px + 84)) $((py + 168)) # Save Snapshot
wait_until "the snapshot shown" grep -qxF "$APP|Quenbrack.bmp" "$WORK/xdg-open.calls"

# Icon 3 clicked; the pointer crosses the table to the Edit menu; Delete.
click 1 $((ox + 662)) $((oy + 100))
xdotool mousemove --sync $((ox + 700)) $((oy + 400)) sleep 0.2
before=$(xdotool search --onlyvisible --class quenbrack)
xdotool mousemove --sync --window "$MAIN" 50 9 click 1
wait_until "the Edit menu" \
    eval 'xdotool search --onlyvisible --class quenbrack | grep -vxF "$before"'
xdotool key d

# Icon 2 dragged to (432, 164); Ctrl+S writes it, and the window stays open.
xdotool mousemove --sync $((ox + 382)) $((oy + 114)) mousedown 1
for step in 10 25 40 50; do xdotool mousemove --sync $((ox + 382 + step)) $((oy + 114 + step)); done
xdotool mouseup 1 mousemove --sync 1590 1190
title_bar "$WORK/changed.png"
[ "$(compare -metric AE "$WORK/clean.png" "$WORK/changed.png" null: 2>&1)" != 0 ] ||
    fail "no change mark in the title"
xdotool key ctrl+s
mapfile -t moved < <(record "${harbour[6]}" "${harbour[7]}" 432 164)
saved=(harbour.jpg BasicSet "${harbour[@]:2:4}" "${moved[@]}" "${harbour[@]:14}")
settle "$tables/Harbour.plt" "${saved[@]}"
same_title() {
    title_bar "$WORK/saved.png"
    [ "$(compare -metric AE "$WORK/clean.png" "$WORK/saved.png" null: 2>&1)" = 0 ]
}
wait_until "the change mark to go" same_title
far_corner_shown || fail "the table's window closed on Ctrl+S"

# Keyboard alone: Escape ends the selection, Tab selects icon 1, Shift+Right moves it 10
# pixels; Shift+F10 with nothing selected opens the palette at the centre of the table, with
# its first slot focused; Right goes to icon 2, Return places it.
xdotool key Escape Tab shift+Right Escape shift+F10
wait_until "the palette in the centre" shows $((ox + 449 + 160)) $((oy + 299 + 100)) 404040
xdotool key Right Return
answer_dialog Quenbrack "Keyboard"
xdotool key ctrl+s
mapfile -t first < <(record "${harbour[2]}" "${harbour[3]}" 530 100)
mapfile -t placed < <(record "Keyboard" " 2 " 449 299)
notes=$(printf '%s\n' "${harbour[@]}" | grep -nx '\[Notes\]' | cut -d: -f1)
saved=(harbour.jpg BasicSet "${first[@]}" "${moved[@]}" "${harbour[@]:14:$((notes - 15))}"
    "${placed[@]}" "${harbour[@]:$((notes - 1))}")
settle "$tables/Harbour.plt" "${saved[@]}"
close_program
expect_table "$tables/Harbour.plt" "${saved[@]}"
echo "PASS: $E2E_NAME"
