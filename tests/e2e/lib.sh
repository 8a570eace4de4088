# Shared by the end-to-end journeys: a private X display with a real window manager, a
# fresh copy of the program folder, and X input as a user gives it. Every wait polls
# against a deadline; a failure leaves the screen behind as <journey>-failure.png.
set -euo pipefail
E2E_NAME=$(basename "$0" .sh) E2E_SHOTS=$PWD E2E_PIDS=()
DEADLINE=${E2E_DEADLINE:-15} # seconds for anything the program does after input

fail() {
    echo "FAIL ($E2E_NAME): $*" >&2
    [ -n "${DISPLAY:-}" ] && import -window root "$E2E_SHOTS/$E2E_NAME-failure.png" 2>/dev/null
    [ -f "${WORK:-}/app.log" ] && sed 's/^/  program: /' "$WORK/app.log" >&2
    exit 1
}

wait_until() { # wait_until <what> <command...>: polls the command until it succeeds
    local what=$1 end=$((SECONDS + DEADLINE))
    shift
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $end ] || fail "waited in vain for $what"
        sleep 0.1
    done
}

# e2e_start <staged program folder or ""> [further tools needed]: starts the display
# and the window manager, and copies the program folder to APP.
e2e_start() {
    local staged=$1
    shift # hash names each tool it misses
    hash Xvfb xdotool openbox xprop xwininfo import compare convert "$@" || missing_tools
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/quenbrack-e2e.XXXXXX") APP="$WORK/Quenbrack"
    trap 'kill "${E2E_PIDS[@]}" 2>/dev/null || true; wait; rm -rf "$WORK"' EXIT
    [ -z "$staged" ] || cp -a "$staged" "$APP"
    # The snapshot opens its picture with xdg-open; this one writes down how.
    mkdir -p -m 700 "$WORK/bin" "$WORK/home" "$WORK/xdg" "$WORK/run"
    printf '#!/bin/sh\necho "$PWD|$*" >>"%s"\n' "$WORK/xdg-open.calls" >"$WORK/bin/xdg-open"
    chmod +x "$WORK/bin/xdg-open"
    export PATH="$WORK/bin:/usr/bin:/bin:$PATH" # Debian's ImageMagick before any other
    export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_RUNTIME_DIR="$WORK/run" \
        XDG_CONFIG_DIRS="$WORK/xdg" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME= \
        QT_STYLE_OVERRIDE=fusion
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
    start_display
    XDG_CONFIG_DIRS=/etc/xdg openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    # Openbox announces itself before it takes over the windows already there, and one
    # mapped in between stays hidden; the client list comes after that takeover.
    wait_until "the window manager" sh -c 'xprop -root -notype _NET_CLIENT_LIST | grep "window id"'
}

# A journey skips where the X tools are not installed; in CI (QUENBRACK_E2E_REQUIRED set)
# it fails instead, so that it cannot drop out of the runs unnoticed.
missing_tools() {
    [ -z "${QUENBRACK_E2E_REQUIRED:-}" ] || fail "X tools missing, and CI requires the journeys"
    echo SKIP
    exit 77
}

# Left to pick a display itself, Xvfb races with servers starting at the same time and may
# report a number another one took; so try from a random number, skipping those in use.
# -noreset keeps it from starting over when the probe, its first client, leaves.
start_display() {
    local n first=$((20 + RANDOM % 400))
    for ((n = first; n < first + 50; n++)); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        : >"$WORK/display"
        Xvfb ":$n" -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset \
            3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
        E2E_PIDS+=($!)
        wait_until "the X server" eval "[ -s '$WORK/display' ] || ! kill -0 $!"
        [ -s "$WORK/display" ] || continue # it gave up on this number
        export DISPLAY=":$n"
        wait_until "the X server to answer" xprop -root -notype _NET_NONE # up is not yet reachable
        return
    done
    fail "found no free display: $(cat "$WORK/xvfb.log")"
}

# Starts a command from the home folder as a launcher would, waits for the main window
# (MAIN) and makes it large enough to show a whole table.
start_program() {
    (cd "$HOME" && exec "$@") >"$WORK/app.log" 2>&1 &
    APP_PID=$! && E2E_PIDS+=($!)
    DEADLINE=$((DEADLINE * 2)) wait_until "the main window" main_window # the slowest step
    xdotool windowsize --sync "$MAIN" 1400 1000 windowmove --sync "$MAIN" 0 0 \
        windowactivate --sync "$MAIN"
}
main_window() { MAIN=$(xdotool search --onlyvisible --name '^Quenbrack$' | head -n1); }

close_program() { # through the window manager, as Alt+F4 does
    close_key
    wait_until "the program to end" eval "! kill -0 $APP_PID"
}
# close_key: Alt+F4 on the main window, until the program ends or shows a window of its
# own (a question). On a loaded machine the window manager may take the key before it
# has made the main window active, and drop it.
close_key() {
    local try end
    for try in 1 2 3; do
        xdotool windowactivate --sync "$MAIN" key alt+F4
        end=$((SECONDS + 4))
        while [ $SECONDS -lt $end ]; do
            kill -0 "$APP_PID" 2>/dev/null || return 0
            [ "$(xdotool getactivewindow 2>/dev/null)" = "$MAIN" ] || return 0
            sleep 0.1
        done
    done
}

click() { xdotool mousemove --sync "$2" "$3" click "$1"; } # click <button> <x> <y>
shows() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | grep "#$3"; } # <x> <y> <RRGGBB>

answer_dialog() { # answer_dialog <title> <text>: types into the dialog and confirms it
    wait_until "a window '$1'" active_is "$1"
    [ -z "$2" ] || xdotool type --delay 15 "$2"
    xdotool key Return
    wait_until "'$1' to close" eval "! xwininfo -id $DIALOG | grep IsViewable"
}
active_is() { # sets DIALOG to the active window when that is not the main one and has this title
    DIALOG=$(xdotool getactivewindow) && [ "$DIALOG" != "$MAIN" ] &&
        [ "$(xdotool getwindowname "$DIALOG")" = "$1" ]
}

# menu <key>: a click on File, then the command's mnemonic. (Alt+F is only taken once the
# program has seen its window active again, which lags behind a dialog closing; a click is not.)
menu() {
    local before
    before=$(xdotool search --onlyvisible --class quenbrack)
    xdotool mousemove --sync --window "$MAIN" 12 9 click 1
    wait_until "the File menu" \
        eval 'xdotool search --onlyvisible --class quenbrack | grep -vxF "$before"'
    xdotool key "$1"
}

# locate <picture> [x0 y0]: sets X, Y to where the picture's corner shows in the 260 x 260
# pixels from x0, y0. A table shows its background from there, where its twips start.
locate() {
    convert "$1" -crop 32x32+0+0 +repage "$WORK/corner.png"
    wait_until "$(basename "$1") on screen" corner_at "${2:-0}" "${3:-0}"
}
corner_at() { # compare says "12.3 (0.000188) @ 4,43"; a close match scores below 0.02
    import -window root -crop "260x260+$1+$2" +repage "$WORK/region.png"
    read -r X Y < <({ compare -metric RMSE -subimage-search "$WORK/region.png" "$WORK/corner.png" \
        null: 2>&1 || true; } | awk -v x0="$1" -v y0="$2" '{ gsub(/[(),@]/, " ") }
        NF == 4 && $2 < 0.02 { print x0 + $3, y0 + $4 }')
}

# palette <x> <y> <dx> <dy>: opens the palette by a right-click at a screen point and
# clicks at a point in it. Right of its Find button it shows its frame colour.
palette() {
    click 3 "$1" "$2"
    wait_until "the palette at $1,$2" shows $(($1 + 160)) $(($2 + 100)) 404040
    click 1 $(($1 + $3)) $(($2 + $4))
}

# record <text> <number line> <x> <y>: an icon's or note's lines; 15 twips to a pixel.
record() { printf '%s\n' "$1" "$2" " $(($4 * 15)) " " $(($3 * 15)) "; }
expect_table() { # expect_table <file> <line>...: the file holds exactly these, CR LF ended
    printf '%s\r\n' "${@:2}" >"$WORK/expected.plt"
    cmp -s "$WORK/expected.plt" "$1" || fail "$(basename "$1") is not as expected:
$(diff <(cat -A "$WORK/expected.plt") <(cat -A "$1"))"
}
