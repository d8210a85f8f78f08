#!/bin/bash
# The read-me file end to end: その他(&O) → "ReadMe.txt 表示" opens the Shift-JIS guide beside the
# program as a page with its jump column switched on (nine marked digits: the guide's &1..&9), and
# the open-file list records the column as on at exit. That a digit jumps to its mark is shown by
# the command-surface test. The program runs from a copy of its folder.
set -u
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session readme
INI=$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini
SOURCE=$(dirname "${TOLMO_BIN:?TOLMO_BIN names the program}")

KEY_PAUSE=0
[ -f "$SOURCE/ReadMe.txt" ] || fail "no ReadMe.txt beside the program"
PROG=$T/prog
mkdir -p "$PROG"
cp "$TOLMO_BIN" "$PROG/tolmo"
cp "$SOURCE/ReadMe.txt" "$SOURCE/HDay.dat" "$PROG/"
BIN=$PROG/tolmo

e2e_start
e2e_activate
e2e_window_geometry

nineButtons() { [ "$(e2e_marked_jump_buttons | wc -l)" -eq 9 ]; }
menuOpen() { [ "$(xdotool search --onlyvisible --pid "$PID" 2>/dev/null | wc -l)" -gt "$windows" ]; }

nineButtons && fail "a jump column before the guide was opened"
# その他(&O): "ReadMe.txt 表示" is the fourth item from the end (起動方法, セットアップ and
# バックアップ＆リストア follow it), so four steps up from the opened menu reach it.
windows=$(xdotool search --onlyvisible --pid "$PID" 2>/dev/null | wc -l)
key alt+o
e2e_wait_for 100 menuOpen || fail "the その他 menu did not open"
shot readme-1-menu
key Up Up Up Up Return
e2e_wait_for 300 nineButtons || fail "no jump column with nine marked buttons: $(e2e_marked_jump_buttons | tr '\n' ' ')"
shot readme-2-guide
e2e_stop
line=$(grep '^File[0-9]*=ReadMe.txt,' "$INI")
[ -n "$line" ] || fail "ReadMe.txt was not in the open-file list: $(cat "$INI")"
[ "$(echo "$line" | cut -d= -f2- | cut -d, -f3)" = "1" ] || fail "the jump column was not on: $line"
echo "1 passed, 0 failed"
