#!/bin/bash
# Recovery end to end: type into a named and an untitled page, wait for the recovery files, kill
# the program (SIGKILL), start again and recover both pages from the dialog; then end with SIGTERM:
# the named page is saved, the untitled one is kept in a recovery file without a question, and
# once everything is saved a SIGTERM leaves the settings and the open-file list written and
# nothing to recover.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session recovery
INI=$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini
REC=$HOME/.local/state/Brix/Tolmo/recovery
MEMO=$T/docs/a.txt
printf 'alpha\r\n' >"$MEMO"

fail() {
    echo "FAIL: $*"
    cat "$T"/stderr.* 2>/dev/null
    ls -lR "$REC" 2>/dev/null
    import -window root "$SHOTS/recovery-failure.png" 2>/dev/null
    exit 1
}
recoveryFiles() { find "$REC" -name 'page-*.recovery' 2>/dev/null | sort; }

# 1. Type into the named page and into a new untitled one; the recovery files appear a few
#    seconds after typing stops, private to the user.
e2e_start "$MEMO"
e2e_activate
typeText "NAMED"
key ctrl+n
typeText "UNTITLED"
e2e_wait_for 100 eval '[ "$(recoveryFiles | wc -l)" -eq 2 ]' || fail "no recovery files after typing"
[ "$(stat -c %a "$REC")" = 700 ] || fail "recovery folder mode $(stat -c %a "$REC")"
for f in $(recoveryFiles); do [ "$(stat -c %a "$f")" = 600 ] || fail "mode of $f"; done
grep -q "UNTITLED" $(recoveryFiles) || fail "the untitled text is not in a recovery file"
kill -KILL "$PID"
wait "$PID" 2>/dev/null
[ "$(od -An -c <"$MEMO" | tr -d ' ')" = 'alpha\r\n' ] || fail "the file changed without a save"

# 2. The next start offers both pages; OK recovers them, modified, with their texts.
e2e_start
e2e_answer "復元 - トルモ" Return "no recovery dialog" 100
sleep 1
import -window root "$SHOTS/recovery-2-recovered.png"
[ -z "$(e2e_find_window "復元 - トルモ" 5)" ] || fail "the dialog stayed"
# The old run's files are gone once the texts are safe in this run's.
[ "$(recoveryFiles | wc -l)" -eq 2 ] || fail "recovery files after recovering: $(recoveryFiles)"

# 3. SIGTERM asks nothing: the named page is saved, the untitled one stays in a recovery file.
e2e_stop
grep -q "NAMED" "$MEMO" || fail "the recovered named page was not saved: $(cat "$MEMO")"
grep -q "^File0=a.txt,$T/docs/" "$INI" || fail "open-file list: $(grep File "$INI")"
[ "$(recoveryFiles | wc -l)" -eq 1 ] || fail "untitled page not kept: $(recoveryFiles)"
grep -q "UNTITLED" $(recoveryFiles) || fail "the kept file lacks the untitled text"

# 4. Recover it once more and save it under a name; then SIGTERM leaves nothing to recover.
e2e_start
e2e_answer "復元 - トルモ" Return "no recovery dialog for the untitled page" 100
sleep 0.5
e2e_activate
key ctrl+s
[ -n "$(e2e_find_window "保存するファイル名を指定してください")" ] || fail "no save dialog"
key ctrl+a
typeText "$T/docs/b.txt"
key Return
sleep 0.5
grep -q "UNTITLED" "$T/docs/b.txt" || fail "the recovered untitled text was not saved"
sleep 2
e2e_stop
[ -z "$(recoveryFiles)" ] || fail "recovery files after a clean end: $(recoveryFiles)"
grep -q "b.txt" "$INI" || fail "open-file list without b.txt"
e2e_start
[ -z "$(e2e_find_window "復元 - トルモ" 30)" ] || fail "a recovery dialog after a clean end"
e2e_stop

# 5. A UTF-8 page keeps its characters beyond Shift-JIS through a crash, also when its file was
#    rewritten meanwhile with them in another order (the page's own character codes come back).
#    The dialog marks the page whose file changed since (in red), and the first save of the
#    restored page asks before it writes over that change.
U8=$T/docs/u.txt
printf '\xc3\xa9\xf0\x9f\x98\x80\n' >"$U8" # é😀
hasRecovery() { [ -n "$(recoveryFiles)" ]; }
redPixels() {
    import -window root "$T/screen.png" 2>/dev/null
    convert "$T/screen.png" -alpha off -fuzz 12% -fill black +opaque '#B00000' -fill white \
        -opaque '#B00000' -format '%[fx:int(mean*w*h)]' info: 2>/dev/null
}
e2e_start "$U8"
e2e_activate
typeText "X"
e2e_wait_for 300 hasRecovery || fail "no recovery file of the UTF-8 page"
kill -KILL "$PID"
wait "$PID" 2>/dev/null
printf '\xf0\x9f\x98\x80\xc3\xa9\n' >"$U8" # 😀é
e2e_start
[ -n "$(e2e_find_window "復元 - トルモ" 100)" ] || fail "no recovery dialog for the UTF-8 page"
[ "$(redPixels)" -gt 20 ] || fail "the dialog does not mark the page whose file changed"
e2e_answer "復元 - トルモ" Return "the recovery dialog went"
e2e_wait_for 100 eval '[ -z "$(e2e_find_window "復元 - トルモ" 1)" ]' || fail "the dialog stayed"
e2e_activate
key ctrl+s
# No: the other program's text stays, and the save says it did not write.
e2e_answer "確認" Escape "the restored page's save did not ask about the changed file"
e2e_answer "トルモ -Tolmo-" Return "no message after the declined save"
[ "$(od -An -tx1 <"$U8" | tr -d ' \n')" = f09f9880c3a90a ] || fail "written over after No"
e2e_activate
key ctrl+s
e2e_answer "確認" alt+y "the second save did not ask" # はい (いいえ is the default)
savedU8() { [ "$(od -An -tx1 <"$U8" | tr -d ' \n')" = 58c3a9f09f98800a ]; }
e2e_wait_for 100 savedU8 || fail "the recovered UTF-8 page was saved as $(od -An -tx1 <"$U8")"
e2e_stop
echo PASS
