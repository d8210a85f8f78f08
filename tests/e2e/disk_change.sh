#!/bin/bash
# A page's file changed or deleted by another program: the page asks whether to re-read it (Yes
# re-reads, No keeps the page's text, which a save then writes), and a save over a deleted file
# asks before it writes the file again.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session diskchange
INI=$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini
REC=$HOME/.local/state/Brix/Tolmo/recovery
MEMO=$T/docs/a.txt
printf 'alpha\r\n' >"$MEMO"

fail() {
    echo "FAIL: $*"
    cat "$T"/stderr.* 2>/dev/null
    ls -lR "$REC" 2>/dev/null
    import -window root "$SHOTS/diskchange-failure.png" 2>/dev/null
    exit 1
}
start() { e2e_start "$@"; }
activate() { xdotool windowactivate --sync "$WIN" 2>/dev/null || xdotool windowfocus --sync "$WIN"; }
waitGone() {
    for _ in $(seq 100); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$PID" 2>/dev/null && fail "the program did not end"
    wait "$PID" 2>/dev/null
}
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
typeText() { xdotool type --delay 40 "$1"; sleep 0.3; }
findWindow() {
    local w=""
    for _ in $(seq ${2:-50}); do
        w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        [ -n "$w" ] && break
        sleep 0.1
    done
    echo "$w"
}
recoveryFiles() { find "$REC" -name 'page-*.recovery' 2>/dev/null | sort; }

for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "no X display"
question() {
    QST=$(findWindow "確認" 50)
    [ -n "$QST" ] || fail "no question: $1"
    import -window root "$SHOTS/diskchange-$1.png"
    xdotool windowactivate --sync "$QST" 2>/dev/null
}

start "$MEMO"
activate
# 1. Changed outside while the page has the focus: Yes (the default for a page without edits)
#    re-reads it.
sh -c "printf 'beta\\r\\n' >'$MEMO'"
question reload
key Return
sleep 0.5
activate
typeText "1"
key ctrl+s
sleep 0.5
[ "$(od -An -c <"$MEMO" | tr -d ' ')" = '1beta\r\n' ] || fail "not re-read: $(od -An -c <"$MEMO")"

# 2. Changed again: No keeps the page's text; the save after it writes the page's text.
sh -c "printf 'gamma\\r\\n' >'$MEMO'"
question keep
key Escape
sleep 0.5
activate
key ctrl+s
sleep 0.5
[ "$(od -An -c <"$MEMO" | tr -d ' ')" = '1beta\r\n' ] || fail "page text not kept: $(od -An -c <"$MEMO")"

# 3. Deleted: the page says so; a save asks first and then writes the file again.
rm "$MEMO"
sleep 0.5
import -window root "$SHOTS/diskchange-deleted.png"
key Return
sleep 0.5
activate
typeText "2"
key ctrl+s
question save-deleted
key Return
sleep 0.5
[ -f "$MEMO" ] || fail "the deleted file was not written again"
[ "$(od -An -c <"$MEMO" | tr -d ' ')" = '12beta\r\n' ] || fail "saved text: $(od -An -c <"$MEMO")"
kill -TERM "$PID"
waitGone
echo PASS
