#!/usr/bin/env bash
# Installs the program and its desktop registration into folders whose names have blanks,
# then opens a table as a file manager does: by the entry's Exec line with an absolute path
# that has blanks too. Arguments: the staged program folder, the build folder, cmake.
source "$(dirname "$0")/lib.sh"
staged=$1 build=$2 cmake=$3
e2e_start "" desktop-file-validate update-mime-database update-desktop-database identify
APP="$WORK/Quen brack" data="$WORK/data home"
{ "$cmake" --install "$build" --prefix "$APP" &&
    XDG_DATA_HOME=$data "$cmake" --install "$build" --prefix "$APP" --component desktop; } \
    >"$WORK/install.log" 2>&1 || fail "installing failed: $(cat "$WORK/install.log")"
diff -r "$staged/Icons" "$APP/Icons" >/dev/null || fail "the icon sets were not installed whole"
entry="$data/applications/quenbrack.desktop"
desktop-file-validate "$entry" || fail "the desktop entry is missing or not valid"
grep -qx 'Icon=quenbrack' "$entry" || fail "the entry names another icon"
[ "$(identify -format '%m %wx%h' "$data/icons/hicolor/64x64/apps/quenbrack.png")" = "PNG 64x64" ] ||
    fail "no application icon"
# What the desktop reads are the databases made from the registration files.
grep -qx '[0-9]*:application/x-quenbrack-plot-table:\*\.plt' "$data/mime/globs2" ||
    fail "*.plt is not in the MIME database"
grep -qx 'application/x-quenbrack-plot-table=quenbrack.desktop;' \
    "$data/applications/mimeinfo.cache" || fail "no program opens *.plt"

# The Exec line as a launcher reads it: the value's backslashes halved, then split like
# a shell does, and %f replaced by the file.
exec_line=$(sed -n 's/^Exec=\(.*\) %f$/\1/p' "$entry")
eval "launch=(${exec_line//\\\\/\\})"
[ "${launch[0]:-}" = "$APP/quenbrack" ] || fail "Exec does not start the installed program on %f"
table="$APP/Plot Tables/Office Floor.plt"
cp "$table" "$WORK/before.plt"
sed -i 's/\r$//' "$table" # written back, it has CR LF again
start_program "${launch[@]}" "$table"
locate "$APP/Plot Templates/floorplan.jpg"
close_program
cmp -s "$WORK/before.plt" "$table" || fail "the table opened from the entry was not written back"
echo "PASS: $E2E_NAME"
