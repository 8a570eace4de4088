#!/usr/bin/env bash
# Installs the program and its desktop registration into a temporary folder
# whose name has a blank, then opens a table the way the desktop would: by
# the menu entry's Exec line with an absolute path that has blanks too.
# Arguments: the staged program folder, the build folder, cmake.
source "$(dirname "$0")/lib.sh"
staged=$1 build=$2 cmake=$3
for tool in desktop-file-validate update-mime-database update-desktop-database; do
    command -v "$tool" >/dev/null || { echo "SKIP: missing $tool"; exit $E2E_SKIP; }
done
e2e_start

APP="$WORK/Quen brack"
export XDG_DATA_HOME="$WORK/data home"
"$cmake" --install "$build" --prefix "$APP" >"$WORK/install.log" 2>&1 &&
    "$cmake" --install "$build" --prefix "$APP" --component desktop >>"$WORK/install.log" 2>&1 ||
    fail "installing failed: $(cat "$WORK/install.log")"

for folder in Icons "Plot Templates"; do
    diff -r "$staged/$folder" "$APP/$folder" >/dev/null || fail "'$folder' was not installed whole"
done

entry="$XDG_DATA_HOME/applications/quenbrack.desktop"
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
grep -qx 'MimeType=application/x-quenbrack-plot-table;' "$entry" || fail "the entry opens no plot tables"
grep -qx 'Icon=quenbrack' "$entry" || fail "the entry names no icon"
[ "$(identify -format '%m %wx%h' "$XDG_DATA_HOME/icons/hicolor/64x64/apps/quenbrack.png")" = "PNG 64x64" ] ||
    fail "no 64x64 application icon"
[ -f "$XDG_DATA_HOME/mime/packages/quenbrack.xml" ] || fail "no MIME package"
# What the desktop actually reads: the databases made from those files.
grep -qx '[0-9]*:application/x-quenbrack-plot-table:\*\.plt' "$XDG_DATA_HOME/mime/globs2" ||
    fail "*.plt is not in the MIME database"
grep -qx 'application/x-quenbrack-plot-table=quenbrack.desktop;' \
    "$XDG_DATA_HOME/applications/mimeinfo.cache" || fail "no program opens *.plt"

# The Exec line as a launcher reads it: the value's backslashes halved,
# then split like a shell does, and %f replaced by the file.
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[[ $exec_line == *' %f' ]] || fail "Exec does not end with %f: $exec_line"
exec_line=${exec_line% %f}
eval "launch=(${exec_line//\\\\/\\})"
[ "${launch[0]}" = "$APP/quenbrack" ] || fail "Exec starts ${launch[0]}, not $APP/quenbrack"

table="$APP/Plot Tables/Office Floor.plt"
cp "$table" "$WORK/before.plt"
sed -i 's/\r$//' "$table"
start_command "${launch[@]}" "$table"
locate_picture "$APP/Plot Templates/floorplan.jpg" >/dev/null
close_program
cmp -s "$WORK/before.plt" "$table" || fail "the table opened from the entry was not written back"
grep -qxF "Path=$APP" "$XDG_CONFIG_DIRS/Brindlemoor/Quenbrack.ini" ||
    fail "the settings store does not name the installed folder"
echo "PASS: $E2E_NAME"
