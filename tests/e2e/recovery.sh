#!/usr/bin/env bash
# Nothing a user did is lost: four steps undone leave the harbour table byte for byte as it
# was; after a kill -9 the next start offers the edits, a redone one among them: Escape or a
# SIGTERM leaves table and journal as they were, a kill just after Return offers them again,
# Return recovers them, and No keeps them as a table of their own beside it. A link at the
# journal's place is never written through, and a SIGTERM ends a start-up box.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"
tables="$APP/Plot Tables" table="$APP/Plot Tables/Harbour.plt"
cp "$table" "$WORK/original.plt"
mapfile -t harbour < <(sed 's/\r$//' "$table")
for ((notes = 0; notes < ${#harbour[@]}; notes++)); do [ "${harbour[notes]}" = "[Notes]" ] && break; done

harbour_shown() { locate "$APP/Plot Templates/harbour.jpg" && ox=$X oy=$Y; }
place_beacon() { # icon 1 of the set at 300, 100 on the picture, named Beacon
    palette $((ox + 300)) $((oy + 100)) 36 20
    answer_dialog Quenbrack Beacon
}
action() { # action <x> <y> <dy of the button>: the action menu beside an element
    click 3 $(($1 + 5)) $(($2 + 5))
    wait_until "the action menu" shows $(($1 + 101)) $(($2 + 30)) 404040
    click 1 $(($1 + 72)) $(($2 + $3))
}
rename_first_icon() {
    action $((ox + harbour[5] / 15)) $((oy + harbour[4] / 15)) 16 # Edit
    wait_until "the Icon Name box" active_is "Icon Name"
    xdotool key ctrl+a type --delay 15 Renamed
    xdotool key Return
}
delete_first_note() { action $((ox + harbour[notes + 4] / 15)) $((oy + harbour[notes + 3] / 15)) 48; }
undo() { xdotool windowactivate --sync "$MAIN" key "$1"; sleep 0.3; }

echo precious >"$WORK/outside"
ln -s "$WORK/outside" "$table.journal" # left alone whether there at the open or put there later
start_program "$APP/quenbrack" "$table"
harbour_shown
place_beacon
click 1 $((ox + 305)) $((oy + 105)) # the beacon picked up, carried 100 pixels right, put down
xdotool mousedown 1 mousemove --sync $((ox + 350)) $((oy + 100)) \
    mousemove --sync $((ox + 400)) $((oy + 100)) mouseup 1 mousemove --sync 1500 1100
rename_first_icon
delete_first_note
for step in 1 2 3 4; do undo ctrl+z; done
close_program
cmp -s "$WORK/original.plt" "$table" || fail "four undos did not give the table back"
[ "$(cat "$WORK/outside")" = precious ] || fail "the journal was written through a link"
rm "$table.journal"

kill_after_edits() { # three edits, the first undone and redone, then a kill outright
    start_program "$APP/quenbrack" "$table"
    harbour_shown
    place_beacon
    undo ctrl+z
    undo ctrl+shift+z
    rename_first_icon
    delete_first_note
    sleep 2 # what was done a second ago is on disk
    kill -9 "$APP_PID"
    wait_until "the program to die" eval "! kill -0 $APP_PID"
    [ -f "$table.journal" ] || fail "no journal beside the table"
}
launch() { # launch <table>: starts the program as start_program does, without waiting for it
    (cd "$HOME" && exec "$APP/quenbrack" "$1") >"$WORK/app.log" 2>&1 &
    APP_PID=$! && E2E_PIDS+=($!)
}
ask() { # the question comes while the table opens; the main window cannot be activated then
    launch "$table"
    DEADLINE=30 wait_until "the recovery question" eval \
        'QUESTION=$(xdotool search --onlyvisible --name "^Recover Plot Table$" | head -n1)'
}
answer_recovery() { # answer_recovery <key>, then the main window placed as start_program does
    ask
    xdotool windowactivate --sync "$QUESTION" key "$1"
    wait_until "the question to close" eval "! xwininfo -id $QUESTION | grep IsViewable"
    wait_until "the main window" main_window
    xdotool windowsize --sync "$MAIN" 1400 1000 windowmove --sync "$MAIN" 0 0 windowactivate --sync "$MAIN"
}
ask_and_end() { # ask_and_end <signal> <seconds after Return, or "none">
    ask
    [ "$2" = none ] || { xdotool windowactivate --sync "$QUESTION" key Return; sleep "$2"; }
    kill "-$1" "$APP_PID"
    DEADLINE=5 wait_until "the program to end on $1" eval "! kill -0 $APP_PID"
    [ -f "$table.journal" ] || fail "no journal after $1 at $2"
}

kill_after_edits
cp "$table.journal" "$WORK/journal"
answer_recovery Escape
cmp -s "$WORK/journal" "$table.journal" || fail "Escape changed the journal"
close_program
ask_and_end TERM none
cmp -s "$WORK/journal" "$table.journal" || fail "SIGTERM during the question changed the journal"
for delay in 0.05 0.1 0.15; do ask_and_end KILL "$delay"; done
answer_recovery Return
close_program
grep -q "^Beacon" "$table" || fail "the redone icon was not recovered"
grep -q "^Renamed" "$table" || fail "the edits were not recovered"
grep -qF "${harbour[notes + 1]}" "$table" && fail "the deleted note came back"
[ -f "$table.journal" ] && fail "the journal outlived a clean close"

# No: the table opens as it was, and is written with a link at the journal's place.
cp "$WORK/original.plt" "$table"
kill_after_edits
answer_recovery alt+n
wait_until "No to take the journal away" eval "[ ! -e '$table.journal' ]"
grep -q "^Beacon" "$tables/Harbour (recovered).plt" || fail "No did not keep the edits beside"
ln -s "$WORK/outside" "$table.journal"
harbour_shown
place_beacon
close_program
[ "$(cat "$WORK/outside")" = precious ] || fail "the journal was written through a link"
grep -q "^Beacon" "$table" || fail "a link at the journal's place stopped the table being written"
sed '/^Beacon\r$/,+3d' "$table" | cmp -s "$WORK/original.plt" - || fail "No changed the table"
rm "$table.journal"

printf 'gone.jpg\r\nBasicSet\r\n[Notes]\r\n[End]\r\n' >"$tables/Lost.plt"
launch "$tables/Lost.plt"
wait_until "the Missing File box" eval \
    '[ "$(xdotool search --onlyvisible --name "^Quenbrack$" | wc -l)" -ge 2 ]'
kill -TERM "$APP_PID"
DEADLINE=5 wait_until "the program to end on TERM in a start-up box" eval "! kill -0 $APP_PID"
echo "PASS: $E2E_NAME"
