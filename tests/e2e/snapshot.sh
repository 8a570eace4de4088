#!/usr/bin/env bash
# Save Snapshot writes Quenbrack.bmp into the program folder, showing the
# table as it is on screen without the palette, and opens it with xdg-open.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"

start_program "$APP/Plot Tables/Harbour.plt"
read -r ox oy < <(locate_picture "$APP/Plot Templates/harbour.jpg")
palette_command $((ox + 300)) $((oy + 100)) Snapshot

wait_until "Quenbrack.bmp" test -s "$APP/Quenbrack.bmp"
wait_until "xdg-open" test -s "$WORK/xdg-open.calls"
[ "$(cat "$WORK/xdg-open.calls")" = "$APP|Quenbrack.bmp" ] ||
    fail "xdg-open was called as: $(cat "$WORK/xdg-open.calls")"
[ "$(head -c2 "$APP/Quenbrack.bmp")" = BM ] || fail "Quenbrack.bmp is no BMP picture"
[ "$(identify -format '%wx%h' "$APP/Quenbrack.bmp")" = 900x600 ] ||
    fail "Quenbrack.bmp is $(identify -format '%wx%h' "$APP/Quenbrack.bmp") pixels"

# Away from the table, so that no tooltip covers it.
xdotool mousemove --sync 1500 1100
same_as_screen() {
    import -window root -crop "900x600+$ox+$oy" +repage "$WORK/screen.png"
    [ "$(compare -metric AE "$APP/Quenbrack.bmp" "$WORK/screen.png" null: 2>&1)" = 0 ]
}
wait_until "the snapshot to match the screen" same_as_screen
echo "PASS: $E2E_NAME"
