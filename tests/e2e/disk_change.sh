#!/bin/bash
# A page's file changed or deleted by another program while the user types: a bar above the text
# tells of it at once, the focus stays with the page and every key typed lands in the text (no
# question takes them). Alt+C (このまま編集) keeps the text, Alt+R (再読込) reads the file again as
# one undo step: Ctrl+Z brings the edited text back, which meanwhile waits in the recovery folder.
# A save over a deleted file asks before it writes the file again; SIGTERM while it asks ends the
# program and keeps the text in the recovery folder.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session diskchange
MEMO=$T/docs/a.txt
REC=$HOME/.local/state/Brix/Tolmo/recovery
printf 'alpha\r\n' >"$MEMO"

bytesOf() { od -An -c <"$MEMO" 2>/dev/null | tr -d ' \n'; }
holds() { [ "$(bytesOf)" = "$1" ]; }
# Waits (30 s at most) until the file holds the bytes (as od -c shows them).
expectFile() { e2e_wait_for 300 holds "$1" || fail "$2: $(bytesOf)"; }
# The bar's pale yellow on the screen, in pixels.
barPixels() {
    import -window root "$T/screen.png" 2>/dev/null
    convert "$T/screen.png" -alpha off -fill black +opaque '#FFF4C8' -fill white -opaque '#FFF4C8' \
        -format '%[fx:int(mean*w*h)]' info: 2>/dev/null
}
barShown() { [ "$(barPixels)" -gt 2000 ]; }
barGone() { [ "$(barPixels)" -lt 100 ]; }
noQuestion() { e2e_no_window "確認" && e2e_no_window "トルモ -Tolmo-"; }
replacedFiles() { find "$REC" -name '*-replaced.recovery' 2>/dev/null; }

e2e_start "$MEMO"
e2e_activate
barGone || fail "a bar before any change"

# 1. Keys typed without a pause while another process appends to the file five times: every key
#    lands in the text (also "y", "n" and blanks, which would answer a question), no question
#    comes up, and the bar shows.
TYPED="note typed y n yes no while it changes "
sh -c "for i in 1 2 3 4 5; do sleep 0.4; printf 'appended %s\\r\\n' \$i >>'$MEMO'; done" &
WRITER=$!
xdotool type --delay 50 "$TYPED"
wait $WRITER
e2e_wait_for 100 barShown || fail "no bar after the file changed"
noQuestion || fail "a question window came up"
shot diskchange-1-bar
# 2. Alt+C keeps the page's text; its save asks nothing and writes what was typed.
key alt+c
e2e_wait_for 100 barGone || fail "the bar stayed after このまま編集"
key ctrl+s
expectFile "${TYPED// /}alpha\\r\\n" "typed keys lost or the text not kept"
noQuestion || fail "the save after このまま編集 asked"

# 3. An edit, then another change: Alt+R reads the file; the replaced text waits in the recovery
#    folder, and Ctrl+Z brings it back; a save writes it and lets the kept copy go.
typeText "Q"
printf 'beta\r\n' >>"$MEMO"
e2e_wait_for 100 barShown || fail "no bar after the second change"
key alt+r
e2e_wait_for 100 barGone || fail "the bar stayed after 再読込"
[ -n "$(replacedFiles)" ] || fail "the replaced text is not in the recovery folder"
grep -q "changes Qalpha" $(replacedFiles) || fail "the kept copy lacks the edit"
key ctrl+z
key ctrl+s
expectFile "${TYPED// /}Qalpha\\r\\n" "Ctrl+Z did not bring the edited text back"
e2e_wait_for 100 test -z "$(replacedFiles)" || fail "the kept copy stayed after the save"

# 4. Deleted: the bar tells; a save asks first and then writes the file again.
rm "$MEMO"
e2e_wait_for 100 barShown || fail "no bar after the file was deleted"
key ctrl+Home
typeText "2"
key ctrl+s
e2e_answer "確認" Return "no question before writing a deleted file again"
e2e_closed "確認" || fail "the question stayed open"
expectFile "2${TYPED// /}Qalpha\\r\\n" "the deleted file was not written again"

# 5. SIGTERM while a question is open ends the program at once; the unsaved text is kept in the
#    recovery folder as at any end without questions.
e2e_activate # the question had the focus
rm "$MEMO"
e2e_wait_for 100 barShown || fail "no bar after the file was deleted again"
typeText "3"
key ctrl+s
[ -n "$(e2e_find_window "確認" 300)" ] || fail "no question to end the program under"
e2e_stop
grep -q "23note" $(find "$REC" -name 'page-*.recovery') 2>/dev/null || fail "the text was not kept"
echo PASS
