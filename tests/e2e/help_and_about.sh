#!/usr/bin/env bash
# Help > Info shows the help page in a window of its own; Help > About
# opens the About box with the version, and Enter closes it.
# Arguments: the staged program folder and the program's version.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"
version=$2

start_program
menu h i
# The help window opens at the top-left of the empty main window, on the
# black background.
wait_colour 400 300 '!000000' "the help window"
click 1 400 300
mapfile -t headings < <(sed -n 's/.*<h2[^>]*>\(.*\)<\/h2>.*/\1/p' "$APP/help.htm" | sed 's/<[^>]*>//g')
[ ${#headings[@]} -gt 0 ] || fail "help.htm has no headings"
shown_help() { # all of the page, selected and copied, has every heading
    local text heading
    xdotool key ctrl+a ctrl+c
    text=$(xclip -o -selection clipboard 2>/dev/null) || return 1
    for heading in "${headings[@]}"; do
        grep -qF "$heading" <<<"$text" || return 1
    done
}
wait_until "the help page's headings" shown_help

menu h a
about=$(wait_dialog "About Quenbrack")
wait_text "$about" "Version $version"
xdotool key Return
wait_gone "$about"
kill -0 "$APP_PID" || fail "the program ended with the About box"
echo "PASS: $E2E_NAME"
