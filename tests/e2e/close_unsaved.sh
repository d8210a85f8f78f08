#!/bin/bash
# Closing the program with a page that cannot be saved (its folder is closed to the user): the
# message names the folder, not the file, and the question after it offers 保存 (under another
# name), 破棄 and キャンセル; キャンセル keeps the window and the text, 保存 writes it elsewhere and
# the program ends. Run as an ordinary user (root writes into any folder).
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session closeunsaved
CLOSED=$T/docs/closed
mkdir -p "$CLOSED"
printf 'mine\n' >"$CLOSED/mine.txt"
if [ "$(id -u)" -eq 0 ]; then
    # The program runs as "nobody", in a session that user owns.
    chmod 711 "$T"
    chown -R nobody "$T/home" "$T/run" "$T/docs"
    PROGRAM=$BIN
    setpriv --reuid=nobody --regid=nogroup --clear-groups -- test -x "$PROGRAM" ||
        { echo "SKIPPED: the program is closed to the user nobody"; exit 0; }
    BIN=$T/run-as-nobody
    printf '#!/bin/sh\nexec setpriv --reuid=nobody --regid=nogroup --clear-groups -- "%s" "$@"\n' \
        "$PROGRAM" >"$BIN"
    chmod 755 "$BIN"
fi
chmod 555 "$CLOSED"

# Waits for a window with the title, presses the key in it and waits until it has gone.
answer() {
    e2e_answer "$1" "$3" "$2"
    e2e_closed "$1" || fail "the window \"$1\" stayed open"
}
# Asks the window to close through the menu (ファイル > 終了), as the user would.
closeWindow() {
    e2e_activate
    key alt+f
    key x
}

e2e_start "$CLOSED/mine.txt"
e2e_activate
typeText "X"
# 1. The close saves (named pages are saved without a question), fails and says why; キャンセル
#    (Escape) in the question that follows keeps the window and the page's text.
closeWindow
answer "トルモ -Tolmo-" 1-error Return
answer "確認" 2-question Escape
sleep 1
kill -0 "$PID" 2>/dev/null || fail "the program ended after キャンセル"
[ -n "$(xdotool search --onlyvisible --name "トルモ - Tolmo" 2>/dev/null)" ] || fail "no window after キャンセル"
# 2. Closing again: 保存 (Alt+S) opens the save dialog; a name in a writable folder saves the
#    text there and the program ends.
closeWindow
answer "トルモ -Tolmo-" 3-error Return
answer "確認" 4-question alt+s
[ -n "$(e2e_find_window "保存するファイル名を指定してください" 300)" ] || fail "no save dialog after 保存"
key ctrl+a
typeText "$T/docs/elsewhere.txt"
key Return
e2e_ended "$PID" "the program did not end after the text was saved elsewhere"
grep -q "Xmine" "$T/docs/elsewhere.txt" || fail "the text was not saved elsewhere"
[ "$(cat "$CLOSED/mine.txt")" = mine ] || fail "the file in the closed folder changed"
echo PASS
