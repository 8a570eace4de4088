#!/usr/bin/env bash
# Two users on one table: the second process is told who has it and opens it read-only,
# its edits refused and its close leaving the file as it was, while the first one's edits
# are saved. A process killed outright leaves a lock that the next start takes over,
# offering the recovery. Another spelling of the open table's path, or a link to it, is
# the same table. (Changes from outside, touch among them: tst_guard.)
source "$(dirname "$0")/lib.sh"
e2e_start "$1"
tables="$APP/Plot Tables" table="$APP/Plot Tables/Harbour.plt"
cp "$table" "$WORK/original.plt"

open_harbour() { # open_harbour [path]: the table in a new process, as the only one
    start_program "$APP/quenbrack" "${1:-$table}"
    locate "$APP/Plot Templates/harbour.jpg"
    ox=$X oy=$Y
}
place_icon() { # place_icon <name> <x> <y>: icon 1 of the set at x, y on the picture
    palette $((ox + $2)) $((oy + $3)) 36 20
    answer_dialog Quenbrack "$1"
}
window_named() { # window_named <title>: sets WIN to a shown window of that title
    WIN=$(xdotool search --onlyvisible --name "^$1\$" | head -n1) && [ -n "$WIN" ]
}
# The first process edits; the second is told and opens read-only (the default answer).
open_harbour
first=$APP_PID first_main=$MAIN
place_icon Beacon 300 100
(cd "$HOME" && exec "$APP/quenbrack" "$table") >"$WORK/second.log" 2>&1 &
second=$! && E2E_PIDS+=($!)
DEADLINE=$((DEADLINE * 2)) wait_until "the lock question" window_named "Plot Table in Use"
xdotool windowactivate --sync "$WIN" key Return
wait_until "the second main window" eval \
    'MAIN=$(xdotool search --all --onlyvisible --pid $second --name "^Quenbrack\$" | head -n1); [ -n "$MAIN" ]'
sleep 1 # it grows to show the whole table first
xdotool windowsize --sync "$MAIN" 1400 1000 windowmove --sync "$MAIN" 0 0 windowactivate --sync "$MAIN"
locate "$APP/Plot Templates/harbour.jpg"
ox=$X oy=$Y
palette $((ox + 300)) $((oy + 200)) 36 20 # placing is refused: no "Info: " box
sleep 1
active_is Quenbrack && fail "a read-only window asked for an icon's text"
mapfile -t harbour < <(sed 's/\r$//' "$WORK/original.plt")
x=$((ox + harbour[5] / 15 + 5)) y=$((oy + harbour[4] / 15 + 5))
click 1 $x $y
xdotool mousedown 1 mousemove --sync $((x + 40)) $y mousemove --sync $((x + 80)) $y mouseup 1
APP_PID=$second close_program
cmp -s "$WORK/original.plt" "$table" || fail "the read-only window changed the table"
MAIN=$first_main APP_PID=$first close_program
grep -q "^Beacon" "$table" || fail "the first process's edit was not saved"
[ -e "$tables/.Harbour.plt.lock" ] && fail "the lock outlived its window"

# Killed outright: the next start takes the lock over without a question and recovers.
open_harbour
place_icon Lantern 100 300
sleep 2
kill -9 "$APP_PID"
wait_until "the program to die" eval "! kill -0 $APP_PID"
[ -e "$tables/.Harbour.plt.lock" ] || fail "no lock beside the open table"
start_program "$APP/quenbrack" "$table"
wait_until "the recovery question" window_named "Recover Plot Table"
question=$WIN
window_named "Plot Table in Use" && fail "a stale lock was asked about"
xdotool windowactivate --sync "$question" key Return
close_program
grep -q "^Lantern" "$table" || fail "the killed process's edit was not recovered"

# Another spelling, and a symbolic link: the table that is open already.
ln -s "$table" "$WORK/link.plt"
open_harbour "$APP/Plot Tables/../Plot Tables/Harbour.plt"
for other in "$table" "$WORK/link.plt"; do
    xdotool windowactivate --sync "$MAIN" key ctrl+o
    answer_dialog "Open a Plot Table" "$other"
    answer_dialog Quenbrack "" # "This Plot Table is already open!"
done
close_program
echo "PASS: $E2E_NAME"
