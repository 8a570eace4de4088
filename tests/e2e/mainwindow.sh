#!/usr/bin/env bash
# The main window by keyboard, as a desktop program is used: F1 for help, Ctrl+O for the
# open dialog, a table larger than the screen that opens with its close button in reach,
# Ctrl+F, Ctrl+W, Delete, Ctrl+X and Ctrl+V from one table into another, Ctrl+P's print
# preview, and Ctrl+Q, which must end the program with every table written.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"
tables="$APP/Plot Tables" templates="$APP/Plot Templates"
mapfile -t harbour < <(sed 's/\r$//' "$tables/Harbour.plt") # icon k: lines 4k-2 to 4k+1

# Pictures of one colour each, with a mark in the corner for locate to find.
picture() { # picture <file> <size> <colour>
    convert -size "$2" "xc:$3" -fill '#1b1b3a' -draw 'rectangle 0,0 40,12' \
        -draw 'rectangle 0,0 8,36' -fill '#f4d35e' -draw 'rectangle 20,20 30,30' "$1"
}
picture "$templates/big.bmp" 2000x1500 '#3c8c5a'
picture "$templates/second.bmp" 500x360 '#8c3c6e'
printf 'big.bmp\nBasicSet\n[Notes]\n[End]\n' >"$tables/Big.plt" # LF: CR LF once written
printf 'second.bmp\nBasicSet\n[Notes]\n[End]\n' >"$tables/Second.plt"
# A help page of a colour of its own, to tell its window on the screen.
printf '<html><body bgcolor="#13579b"><p>Help</p></body></html>' >"$APP/help.htm"

press() { # press <key>: to the main window, once the program has seen it active
    xdotool windowactivate --sync "$MAIN"
    sleep 0.3
    xdotool key "$1"
}
pixels_of() { # pixels_of <colour>: how many pixels of the screen show it
    import -window root -depth 8 "$WORK/screen.png"
    convert "$WORK/screen.png" -fill black +opaque "$1" -fill white -opaque "$1" \
        -format '%[fx:int(mean*w*h+0.5)]' info: | awk '{ printf "%d\n", $1 }'
}
many_of() { [ "$(pixels_of "$1")" -gt "$2" ]; }
none_of() { [ "$(pixels_of "$1")" -eq 0 ]; }
geometry() { # geometry <window>: sets GX GY GW GH from xwininfo
    eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { print "GX=" $4 }
        /Absolute upper-left Y/ { print "GY=" $4 } /Width/ { print "GW=" $2 }
        /Height/ { print "GH=" $2 }')"
}

start_program "$APP/quenbrack" "$tables/Harbour.plt"
locate "$templates/harbour.jpg"
hx=$X hy=$Y

press F1
wait_until "the help window" many_of '#13579B' 20000
press ctrl+w # the help window is the active one
wait_until "the help window to close" none_of '#13579B'

# A table larger than the screen: the main window grows to the screen, and the table's
# window stays inside it, so that its close button is where a user can click it.
press ctrl+o
answer_dialog "Open a Plot Table" "Big.plt"
locate "$templates/big.bmp" "$hx" "$hy"
bx=$X by=$Y
geometry "$MAIN"
[ $((GX + GW)) -le 1600 ] && [ $((GY + GH)) -le 1200 ] && [ "$GW" -gt 1400 ] ||
    fail "the main window is at $GX,$GY, $GW x $GH: not grown to the screen"
# The table's frame ends where its picture stops showing, or a scroll bar's width further
# right; its close button is at the right end of the title bar above, and is looked for
# from the right, so that no other button of the title bar is met first.
import -window root -crop "1600x1+0+$((by + 60))" -depth 8 txt:- >"$WORK/row.txt"
right=$(awk -F'[,:]' -v x0="$bx" '/#3C8C5A/ && $1 >= x0 { last = $1 } END { print last }' \
    "$WORK/row.txt")
[ -n "$right" ] && [ "$right" -lt $((GX + GW - 4)) ] || fail "the picture reaches ${right:-?}"
found=
for dx in -24 -22 -20 -18 -16 -14 -12 -10 -8 -6 -4 -2 0 2 4 6 8 10 12 14 16 18 20; do
    for dy in 8 10 12 14; do
        xdotool mousemove --sync $((right - dx)) $((by - dy)) click 1
        sleep 0.3
        if none_of '#3C8C5A'; then found=1 && break 2; fi
    done
done
[ -n "$found" ] || fail "no close button at the top right of the table's window"
wait_until "Big.plt written" grep -q $'\r' "$tables/Big.plt"

# Ctrl+F opens the Find panel in the active table; Ctrl+W closes that table, writing it.
printf 'big.bmp\nBasicSet\n[Notes]\n[End]\n' >"$tables/Big.plt"
press ctrl+o
answer_dialog "Open a Plot Table" "Big.plt"
locate "$templates/big.bmp" "$hx" "$hy"
bx=$X by=$Y
shows $((bx + 60)) $((by + 60)) 3C8C5A >/dev/null || fail "the big table does not show"
press ctrl+f
wait_until "the Find panel" eval "! shows $((bx + 60)) $((by + 60)) 3C8C5A"
press ctrl+w
wait_until "the big table to close" none_of '#3C8C5A'
wait_until "Big.plt written again" grep -q $'\r' "$tables/Big.plt"

# Delete removes the picked-up icon; Ctrl+X and Ctrl+V move one into another table.
locate "$templates/harbour.jpg"
hx=$X hy=$Y
click 1 $((hx + harbour[5] / 15 + 10)) $((hy + harbour[4] / 15 + 10))
press Delete
click 1 $((hx + harbour[9] / 15 + 10)) $((hy + harbour[8] / 15 + 10))
press ctrl+x
press ctrl+o
answer_dialog "Open a Plot Table" "Second.plt"
locate "$templates/second.bmp" "$hx" "$hy"
xdotool mousemove --sync $((X + 200)) $((Y + 150))
press ctrl+v

# Ctrl+P: the print setup, then the preview, which shows the table's picture.
press ctrl+p
wait_until "the print setup" xdotool search --name '^Print$'
xdotool key Return
wait_until "the print preview" xdotool search --name 'Print Preview'
preview=$(xdotool search --name 'Print Preview' | head -1)
preview_shows() {
    import -window "$preview" -depth 8 "$WORK/preview.png"
    [ "$(convert "$WORK/preview.png" -fill black +opaque '#8C3C6E' -fill white -opaque '#8C3C6E' \
        -format '%[fx:int(mean*w*h+0.5)]' info:)" -gt 2000 ]
}
wait_until "the table in the print preview" preview_shows
xdotool windowactivate --sync "$preview" key Escape
wait_until "the print preview to close" eval "! xdotool search --name 'Print Preview'"

press ctrl+q
wait_until "the program to end" eval "! kill -0 $APP_PID"

expect_table "$tables/Harbour.plt" "${harbour[@]:0:2}" "${harbour[@]:10}"
mapfile -t pasted < <(record "${harbour[6]}" "${harbour[7]}" 200 150)
expect_table "$tables/Second.plt" second.bmp BasicSet "${pasted[@]}" "[Notes]" "[End]"
echo "PASS: $E2E_NAME"
