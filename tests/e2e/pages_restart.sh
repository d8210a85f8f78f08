#!/bin/bash
# Pages end to end: type into a new page, save it under a name, close the program, start it again
# and find the page with its caret where it was; the saved bytes are Shift-JIS with CR LF. A
# second start with a file name hands it to the running instance, which opens it.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session pages
INI=$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini
MEMO=$T/docs/memo.txt

# The bytes of memo.txt are those of printf's format $1.
savedAs() { [ -f "$MEMO" ] && [ "$(printf "$1" | od -An -tx1)" = "$(od -An -tx1 <"$MEMO")" ]; }

# 1. A new start shows one untitled page; type two lines and save under a name.
e2e_start
e2e_activate
typeText "first line"
key Return
typeText "second あ"
key ctrl+s
[ -n "$(e2e_find_window "保存するファイル名を指定してください")" ] || fail "no save dialog"
import -window root "$SHOTS/1-save-dialog.png"
key ctrl+a
typeText "$MEMO"
key Return
e2e_wait_for 100 savedAs 'first line\r\nsecond \x82\xa0' ||
    fail "memo.txt was not written as typed: $(od -An -tx1 <"$MEMO" 2>&1)"
# Put the caret on the second row (the open-file list keeps the caret row and the top row).
key ctrl+Home
key Down
import -window root "$SHOTS/2-saved.png"
e2e_stop
grep -q "^File0=memo.txt,$T/docs/,0,,,,,,1,0,1,0,0" "$INI" || fail "open-file list: $(grep File0 "$INI")"
grep -q "^Count=1" "$INI" || fail "Count"

# 2. The second start brings the page back with its caret: typing lands on the second row.
e2e_start
e2e_activate
import -window root "$SHOTS/3-restarted.png"
typeText "X"
e2e_stop
expected=$(printf 'first line\r\nXsecond \x82\xa0' | od -An -tx1)
actual=$(od -An -tx1 < "$MEMO")
[ "$expected" = "$actual" ] || fail "caret not restored: $actual"

# 3. With the save question switched on, closing the modified page asks; Yes saves it. The page
#    goes into the recent-file list and an untitled page takes its place.
sed -i 's/^KnKakunin=1/KnKakunin=0/' "$INI"
e2e_start
e2e_activate
typeText "Y"
key alt+f
key c
e2e_answer "確認" Return "no save question on close"
e2e_wait_for 100 savedAs 'first line\r\nYXsecond \x82\xa0' ||
    fail "not saved on close: $(od -An -tx1 <"$MEMO")"
import -window root "$SHOTS/5-closed.png"
e2e_stop
grep -q "^Count=0" "$INI" || fail "the untitled page was remembered"
grep -q "^Item0=$MEMO" "$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.rec" || fail "recent list"

# 4. A second start with a file name hands it to the running instance.
printf 'other\r\n' > "$T/docs/other.txt"
e2e_start
e2e_activate
e2e_window_geometry
tabs() { import -window root -crop "${WWIDTH}x50+$WX+$WY" +repage "$T/tabs.png" 2>/dev/null; md5sum <"$T/tabs.png"; }
before=$(tabs)
tabsChanged() { [ "$(tabs)" != "$before" ]; }
"$BIN" "$T/docs/other.txt"
rc=$?
[ $rc -eq 0 ] || fail "the messenger ended with $rc"
# The running instance picks the hand-over up on its own time: its tab appears.
e2e_wait_for 200 tabsChanged || fail "no new tab after the hand-over"
import -window root "$SHOTS/6-handed-over.png"
e2e_stop
grep -q "^File0=other.txt,$T/docs/" "$INI" || fail "handed-over file not opened: $(grep File "$INI")"
grep -q "^Page=0" "$INI" || fail "the handed-over page was not active"
grep -q "^Count=1" "$INI" || fail "Count after the hand-off"
echo "PASS"
