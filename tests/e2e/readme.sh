#!/bin/bash
# The read-me file end to end: その他(&O) → "ReadMe.txt 表示" opens the Shift-JIS guide beside the
# program as a page with its jump buttons switched on (recorded in the open-file list at exit).
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session readme
INI=$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini
README=$(dirname "$BIN")/ReadMe.txt

fail() {
    echo "FAIL: $*"
    cat "$T/stderr" 2>/dev/null
    import -window root "$SHOTS/failure.png" 2>/dev/null
    exit 1
}
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
waitWindow() {
    local w=""
    for _ in $(seq 50); do
        w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        [ -n "$w" ] && break
        sleep 0.1
    done
    echo "$w"
}

[ -f "$README" ] || fail "no ReadMe.txt beside the program"
# The guide is Shift-JIS with a jump mark for each of its nine sections.
python3 - "$README" <<'PY' || fail "ReadMe.txt is not a Shift-JIS guide with marks &1..&9"
import sys
text = open(sys.argv[1], 'rb').read().decode('cp932')
marks = [l[:2] for l in text.split('\r\n') if l.startswith('&')]
sys.exit(0 if marks == ['&%d' % i for i in range(1, 10)] else 1)
PY

for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
for attempt in 1 2 3; do
    "$BIN" 2>"$T/stderr" & PID=$!
    WIN=$(waitWindow "トルモ - Tolmo")
    [ -n "$WIN" ] && break
    kill "$PID" 2>/dev/null; wait "$PID" 2>/dev/null
    grep -q "could not connect to display" "$T/stderr" || break
    sleep 1
done
[ -n "$WIN" ] || fail "no main window"
sleep 1
xdotool windowfocus --sync "$WIN" 2>/dev/null
sleep 0.3

# その他(&O): "ReadMe.txt 表示" is the fourth item from the end (起動方法, セットアップ and
# バックアップ＆リストア follow it), so four steps up from the opened menu reach it.
key alt+o
sleep 0.3
import -window root "$SHOTS/1-sonota-menu.png"
key Up
key Up
key Up
key Up
key Return
sleep 1
import -window root "$SHOTS/2-readme.png"

kill -TERM "$PID"
for _ in $(seq 100); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$PID" 2>/dev/null && fail "the program did not end"
line=$(grep '^File[0-9]*=ReadMe.txt,' "$INI")
[ -n "$line" ] || fail "ReadMe.txt was not opened: $(cat "$INI")"
jump=$(echo "$line" | cut -d= -f2- | cut -d, -f3)
[ "$jump" = "1" ] || fail "the jump buttons were not switched on: $line"
echo "1 passed, 0 failed"
