#!/usr/bin/env bash
# Closing a table under a file-size limit, as on a full disk or past a quota: the short write
# is reported and another place is offered, and the file stays as it was. The program is never
# killed in the middle of its save (by SIGXFSZ), which would end it without a word.
source "$(dirname "$0")/lib.sh"
e2e_start "$1" prlimit
tables="$APP/Plot Tables"
cp "$tables/Harbour.plt" "$WORK/harbour.plt"
[ "$(stat -c %s "$WORK/harbour.plt")" -gt 512 ] || fail "Harbour.plt is too small to exceed the limit"

start_program prlimit --fsize=512 "$APP/quenbrack" "$tables/Harbour.plt"
locate "$APP/Plot Templates/harbour.jpg"
close_key
answer_dialog Quenbrack "" # the Plot Table could not be saved
wait_until "a window 'Save Plot Table As'" active_is "Save Plot Table As"
xdotool key Escape
wait_until "the program to end" eval "! kill -0 $APP_PID"

cmp -s "$WORK/harbour.plt" "$tables/Harbour.plt" || fail "Harbour.plt was changed"
left=$(ls -A "$tables" | grep -v '\.plt$' || true)
[ -z "$left" ] || fail "files were left beside the tables: $left"
echo "PASS: $E2E_NAME"
