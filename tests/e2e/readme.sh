#!/bin/bash
# The read-me file end to end: その他(&O) → "ReadMe.txt 表示" opens the Shift-JIS guide beside the
# program as a page with its jump column switched on; a click on the digit button 8 puts the caret
# on the line of mark "&8" (a letter typed there and saved lands on that line), and the open-file
# list records the column as on at exit. The program runs from a copy of its folder, so the
# guide it edits is the test's own.
set -u
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session readme
INI=$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini
SOURCE=$(dirname "${TOLMO_BIN:?TOLMO_BIN names the program}")

KEY_PAUSE=0
# Line $2 (from 1) of the Shift-JIS file $1 as UTF-8.
lineOf() {
    python3 -c "import sys; print(open(sys.argv[1],'rb').read().decode('cp932').split('\r\n')[int(sys.argv[2])-1])" "$1" "$2"
}

[ -f "$SOURCE/ReadMe.txt" ] || fail "no ReadMe.txt beside the program"
PROG=$T/prog
mkdir -p "$PROG"
cp "$TOLMO_BIN" "$PROG/tolmo"
cp "$SOURCE/ReadMe.txt" "$SOURCE/HDay.dat" "$PROG/"
BIN=$PROG/tolmo
README=$PROG/ReadMe.txt
# The guide is Shift-JIS with a jump mark for each of its nine sections; the line of "&8".
MARK8=$(python3 - "$README" <<'PY'
import sys
lines = open(sys.argv[1], 'rb').read().decode('cp932').split('\r\n')
marks = [(i, l[:2]) for i, l in enumerate(lines) if l.startswith('&')]
if [m for _, m in marks] != ['&%d' % i for i in range(1, 10)]:
    sys.exit(1)
print(marks[7][0] + 1)
PY
) || fail "ReadMe.txt is not a Shift-JIS guide with marks &1..&9"

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
import -window root "$SHOTS/readme-1-menu.png"
key Up Up Up Up Return
e2e_wait_for 300 nineButtons || fail "no jump column with nine marked buttons: $(e2e_marked_jump_buttons | tr '\n' ' ')"
import -window root "$SHOTS/readme-2-guide.png"

# Digit 8 jumps to its section: the typed letter lands at the start of the "&8" line.
read -r x y < <(e2e_marked_jump_buttons | sed -n 8p)
xdotool mousemove --sync "$x" "$y" click 1
xdotool type --delay 60 "Z"
key ctrl+s
jumped() { case "$(lineOf "$README" "$MARK8")" in "Z&8"*) return 0 ;; esac; return 1; }
e2e_wait_for 300 jumped || fail "digit 8 did not lead to its section: line $MARK8 is '$(lineOf "$README" "$MARK8")'"
import -window root "$SHOTS/readme-3-jumped.png"
[ "$(lineOf "$README" 1)" = "$(lineOf "$SOURCE/ReadMe.txt" 1)" ] || fail "the letter went elsewhere too"

e2e_stop
line=$(grep '^File[0-9]*=ReadMe.txt,' "$INI")
[ -n "$line" ] || fail "ReadMe.txt was not in the open-file list: $(cat "$INI")"
[ "$(echo "$line" | cut -d= -f2- | cut -d, -f3)" = "1" ] || fail "the jump column was not on: $line"
echo "1 passed, 0 failed"
