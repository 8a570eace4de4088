# Shared by the end-to-end journeys. Each journey gets a private X display
# with a real window manager, a fresh copy of the staged program folder, and
# drives the real program with X input, the way a user would.
#
# Source it, then call e2e_start <staged program folder>. Every wait polls
# with a deadline, so a window that never comes fails the journey quickly
# instead of hanging it. A failure leaves <journey>-failure.png (the
# screen) in the working folder; E2E_DEBUG=1 adds the window tree and the
# program's stacks.

set -euo pipefail

readonly E2E_SKIP=77
E2E_PIDS=()
E2E_NAME=$(basename "$0" .sh)

# Seconds to wait for anything the program should do in reaction to input.
E2E_DEADLINE=${E2E_DEADLINE:-15}

fail() {
    echo "FAIL ($E2E_NAME): $*" >&2
    # What the screen showed is the first thing to look at afterwards.
    if [ -n "${DISPLAY:-}" ] && [ -n "${E2E_ARTIFACTS:-}" ]; then
        import -window root "$E2E_ARTIFACTS/$E2E_NAME-failure.png" 2>/dev/null || true
        echo "screen saved as $E2E_ARTIFACTS/$E2E_NAME-failure.png" >&2
    fi
    if [ -n "${APP_PID:-}" ]; then
        kill -0 "$APP_PID" 2>/dev/null && echo "the program is still running" >&2 ||
            echo "the program has ended" >&2
        sed 's/^/  program: /' "$WORK/app.log" >&2
    fi
    if [ -n "${E2E_DEBUG:-}" ]; then
        xwininfo -root -tree >&2 || true
        sed 's/^/  openbox: /' "$WORK/openbox.log" >&2
        [ -n "${APP_PID:-}" ] && gdb -p "$APP_PID" -batch -ex 'thread apply all bt' >&2 2>&1 || true
    fi
    exit 1
}

e2e_cleanup() {
    local i
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${E2E_PIDS[i]}" 2>/dev/null || true
        wait "${E2E_PIDS[i]}" 2>/dev/null || true
    done
    [ -n "${WORK:-}" ] && rm -rf "$WORK"
}

# Starts the display and the window manager and copies the program folder,
# when one is given. Sets WORK (temporary folder), APP (the program folder)
# and DISPLAY.
e2e_start() {
    local staged=${1:-} tool missing=()
    for tool in Xvfb xdotool openbox xwininfo xclip import compare convert tesseract; do
        command -v "$tool" >/dev/null || missing+=("$tool")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "SKIP: missing ${missing[*]}"
        exit $E2E_SKIP
    fi
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/quenbrack-e2e.XXXXXX")
    trap e2e_cleanup EXIT
    E2E_ARTIFACTS=${E2E_ARTIFACTS:-$PWD}
    APP="$WORK/Quenbrack"
    if [ -n "$staged" ]; then
        [ -x "$staged/quenbrack" ] || fail "no program in '$staged'"
        cp -a "$staged" "$APP"
    fi

    # The snapshot command opens its picture with xdg-open; this one only
    # writes down how it was called.
    mkdir -p "$WORK/bin" "$WORK/home" "$WORK/xdg" "$WORK/run"
    chmod 700 "$WORK/run"
    cat >"$WORK/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s|%s\n' "\$PWD" "\$*" >>"$WORK/xdg-open.calls"
EOF
    chmod +x "$WORK/bin/xdg-open"
    # ImageMagick from Debian, ahead of anything else named convert.
    export PATH="$WORK/bin:/usr/bin:/bin:$PATH"
    export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_RUNTIME_DIR="$WORK/run"
    export XDG_CONFIG_DIRS="$WORK/xdg" LC_ALL=C.UTF-8
    export QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME= QT_STYLE_OVERRIDE=fusion
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR

    start_display
    # The window manager reads its own settings from the system folders.
    XDG_CONFIG_DIRS=/etc/xdg openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_until "the window manager" wm_running
}

# Starts Xvfb on a free display and sets DISPLAY. Left to pick the number
# itself (-displayfd alone), Xvfb races with servers starting at the same
# time and may report a number another one took; so each journey starts
# at a random number, skips those in use and moves on when Xvfb gives up
# on one. -displayfd tells when the server is up; -noreset keeps it from
# starting over when the probe, its first client, leaves.
start_display() {
    local n=$((20 + RANDOM % 400)) tries pid end=$((SECONDS + E2E_DEADLINE))
    for ((tries = 0; tries < 50; tries++, n++)); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        : >"$WORK/display"
        Xvfb ":$n" -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset \
            3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
        pid=$!
        while kill -0 "$pid" 2>/dev/null && [ ! -s "$WORK/display" ]; do
            [ $SECONDS -lt $end ] || fail "the X server did not start: $(cat "$WORK/xvfb.log")"
            sleep 0.05
        done
        if [ -s "$WORK/display" ]; then
            E2E_PIDS+=($pid)
            export DISPLAY=":$n"
            # Up is not always reachable yet.
            wait_until "the X server" xprop -root -notype _NET_NONE
            return
        fi
        wait "$pid" || true
    done
    fail "found no free display: $(cat "$WORK/xvfb.log")"
}

# Openbox announces itself before it has taken over the windows already
# there; a window mapped in between is never managed and stays hidden.
# The client list comes after that takeover.
wm_running() {
    xprop -root -notype _NET_CLIENT_LIST | grep -q 'window id'
}

# wait_until <what> <command...>: runs the command until it succeeds.
wait_until() {
    local what=$1
    shift
    local end=$((SECONDS + E2E_DEADLINE))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $end ] || fail "waited in vain for $what"
        sleep 0.1
    done
}

# Starts the program with the given arguments, from the home folder as a
# launcher would, waits for its main window and makes it large enough to
# show a whole table. Sets APP_PID and MAIN.
start_program() {
    start_command "$APP/quenbrack" "$@"
}

start_command() {
    (cd "$HOME" && exec "$@") >"$WORK/app.log" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=($APP_PID)
    # Starting up is the slowest step on a busy machine.
    E2E_DEADLINE=$((E2E_DEADLINE * 2)) wait_until "the main window" \
        xdotool search --onlyvisible --name '^Quenbrack$'
    MAIN=$(xdotool search --onlyvisible --name '^Quenbrack$' | head -n1)
    xdotool windowsize --sync "$MAIN" 1400 1000
    xdotool windowmove --sync "$MAIN" 0 0
    xdotool windowactivate --sync "$MAIN"
}

# The active window once it is another one than the main window and has
# the given title.
wait_dialog() {
    local title=$1 end=$((SECONDS + E2E_DEADLINE)) id
    while :; do
        id=$(xdotool getactivewindow 2>/dev/null || true)
        if [ -n "$id" ] && [ "$id" != "$MAIN" ] \
            && [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ]; then
            echo "$id"
            return
        fi
        [ $SECONDS -lt $end ] || fail "no window '$title' came up"
        sleep 0.1
    done
}

is_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'
}

wait_gone() {
    local end=$((SECONDS + E2E_DEADLINE))
    while is_viewable "$1"; do
        [ $SECONDS -lt $end ] || fail "window $1 did not close"
        sleep 0.1
    done
}

# Types an answer into the dialog with the given title and confirms it.
answer_dialog() {
    local title=$1 text=$2 id
    id=$(wait_dialog "$title")
    [ -n "$text" ] && xdotool type --delay 15 "$text"
    xdotool key Return
    wait_gone "$id"
}

# A menu command: a click on File in the menu bar, Right for Help, then
# the command's mnemonic, e.g. menu h a for Help > About. (Alt+F is only
# taken once the program has seen its window become active again, which
# lags behind the window manager after a dialog closes; a click is not.)
menu() { # menu <f|h> <key>
    local x y
    read -r x y < <(xwininfo -id "$MAIN" | awk '/Absolute upper-left X/ { x = $NF }
        /Absolute upper-left Y/ { print x, $NF }')
    wait_new_window click 1 $((x + 12)) $((y + 9))
    [ "$1" = h ] && wait_new_window xdotool key Right
    xdotool key "$2"
}

# Runs a command and waits for a window of the program to show that was
# not there before: a menu, a dialog.
wait_new_window() {
    local before end=$((SECONDS + E2E_DEADLINE))
    before=$(program_windows)
    "$@"
    until program_windows | grep -qvxF "$before"; do
        [ $SECONDS -lt $end ] || fail "no window came up after: $*"
        sleep 0.1
    done
}

program_windows() {
    xdotool search --onlyvisible --class quenbrack 2>/dev/null || true
}

click() { # click <button> <x> <y>
    xdotool mousemove --sync "$2" "$3"
    xdotool click "$1"
}

# The colour of one screen pixel as RRGGBB.
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr a-f A-F
}

colour_is() { # colour_is <x> <y> <[!]RRGGBB>
    local now
    now=$(pixel "$1" "$2")
    if [ "${3#!}" = "$3" ]; then [ "$now" = "$3" ]; else [ "$now" != "${3#!}" ]; fi
}

# Waits for a pixel to have a colour, or with !RRGGBB to lose it.
wait_colour() { # wait_colour <x> <y> <[!]RRGGBB> <what>
    local end=$((SECONDS + E2E_DEADLINE))
    until colour_is "$1" "$2" "$3"; do
        [ $SECONDS -lt $end ] || fail "$4: pixel $1,$2 is $(pixel "$1" "$2"), not $3"
        sleep 0.1
    done
}

# Where the top-left corner of a picture shows on screen, as "x y": its
# corner is searched for in the 260 x 260 pixels from x0, y0 until it
# shows. A table's client area shows its background from the top-left, so
# this is where the table's twips start.
locate_picture() { # locate_picture <picture> [x0 y0]
    local picture=$1 x0=${2:-0} y0=${3:-0} out score x y end=$((SECONDS + E2E_DEADLINE))
    convert "$picture" -crop 32x32+0+0 +repage "$WORK/corner.png"
    while :; do
        import -window root -crop "260x260+$x0+$y0" +repage "$WORK/region.png"
        # "12.3 (0.000188) @ 4,43"; a close match scores below 0.02.
        out=$(compare -metric RMSE -subimage-search "$WORK/region.png" "$WORK/corner.png" \
            null: 2>&1 || true)
        if read -r score x y < <(sed -n 's/.*(\([0-9.e+-]*\)) @ \([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' <<<"$out") \
            && awk -v s="$score" 'BEGIN { exit !(s < 0.02) }'; then
            echo "$((x0 + x)) $((y0 + y))"
            return
        fi
        [ $SECONDS -lt $end ] || fail "$(basename "$picture") is not on screen near $x0,$y0 ($out)"
        sleep 0.2
    done
}

# Opens the palette by a right-click at a screen point and waits for it.
open_palette() {
    click 3 "$1" "$2"
    # Right of the Find button the palette shows its frame colour.
    wait_colour $(($1 + 160)) $(($2 + 100)) 404040 "the palette at $1,$2"
}

# Places the icon in a palette slot (0-4: upper row, 5-9: lower row) after
# turning the given number of pages, or a note, at a screen point and
# names it.
place() { # place <x> <y> <slot|note> <text> [pages to turn]
    local x=$1 y=$2 slot=$3 text=$4 pages=${5:-0}
    open_palette "$x" "$y"
    for ((; pages > 0; pages--)); do
        click 1 $((x + 137)) $((y + 72)) # the scroll bar's right arrow
    done
    if [ "$slot" = note ]; then
        click 1 $((x + 55)) $((y + 117))
    else
        click 1 $((x + 36 + 24 * (slot % 5))) $((y + 20 + 24 * (slot / 5)))
    fi
    answer_dialog Quenbrack "$text"
}

# Opens the palette at a screen point and clicks one of its buttons.
palette_command() { # palette_command <x> <y> <Find|Paste|Snapshot>
    open_palette "$1" "$2"
    case $3 in
    Find) click 1 $(($1 + 128)) $(($2 + 120)) ;;
    Paste) click 1 $(($1 + 128)) $(($2 + 144)) ;;
    Snapshot) click 1 $(($1 + 84)) $(($2 + 168)) ;;
    *) fail "no palette button $3" ;;
    esac
}

# Clicks the close button of a document window, given where its client
# area starts and how wide it is: the button sits at the right end of the
# 24-pixel title bar right above the client area.
close_document() {
    click 1 $(($1 + $3 - 12)) $(($2 - 12))
}

# Closes the main window through the window manager, as Alt+F4 does, and
# waits for the program to end.
close_program() {
    xdotool windowactivate --sync "$MAIN"
    xdotool key alt+F4
    local end=$((SECONDS + E2E_DEADLINE))
    while kill -0 "$APP_PID" 2>/dev/null; do
        [ $SECONDS -lt $end ] || fail "the program did not end after closing its window"
        sleep 0.1
    done
}

# The text a top-level window shows, read off the screen, on one line.
window_text() {
    import -window "$1" -colorspace gray -resize 300% "$WORK/window.png"
    tesseract "$WORK/window.png" - 2>/dev/null | tr -s ' \n' '  '
}

wait_text() { # wait_text <window> <text>
    local end=$((SECONDS + E2E_DEADLINE)) shown
    until shown=$(window_text "$1") && grep -qF "$2" <<<"$shown"; do
        [ $SECONDS -lt $end ] || fail "the window does not show '$2' but: $shown"
        sleep 0.2
    done
}

file_stamp() { stat -c '%i %s %Y' "$1" 2>/dev/null || echo none; }

wait_written() { # wait_written <file> <stamp before>
    local end=$((SECONDS + E2E_DEADLINE))
    while [ "$(file_stamp "$1")" = "$2" ]; do
        [ $SECONDS -lt $end ] || fail "$(basename "$1") was not written"
        sleep 0.1
    done
}

# The lines of a plot table without their CR LF, into the named array.
read_table() { # read_table <array name> <file>
    mapfile -t "$1" < <(sed 's/\r$//' "$2")
}

# Where icon k of a table read by read_table sits, in pixels from the
# client area's corner: "x y".
icon_place() { # icon_place <array name> <k>
    local -n table_lines=$1
    local top=$((2 + 4 * ($2 - 1) + 2))
    echo "$((table_lines[top + 1] / 15)) $((table_lines[top] / 15))"
}

# Writes lines with CR LF ends, as the program writes a plot table.
write_crlf() { # write_crlf <file> <line>...
    local file=$1
    shift
    printf '%s\r\n' "$@" >"$file"
}

# A table's four lines for one icon or note, positions given in pixels
# from the client area's corner: 15 twips to a pixel.
record() { # record <text> <number> <x> <y>
    local number=" $2 "
    [ "$2" -lt 0 ] && number="$2 " # a minus sign takes the blank's place
    printf '%s\n' "$1" "$number" " $(($4 * 15)) " " $(($3 * 15)) "
}

# Compares a written table with the lines expected in it, byte for byte.
expect_table() { # expect_table <file> <line>...
    local file=$1
    shift
    write_crlf "$WORK/expected.plt" "$@"
    cmp -s "$WORK/expected.plt" "$file" ||
        fail "$(basename "$file") differs from what was expected:
$(diff <(cat -A "$WORK/expected.plt") <(cat -A "$file") || true)"
}
