#!/bin/bash
# Pages end to end: type into a new page and save it under a name through the save dialog; the
# saved bytes are Shift-JIS with CR LF and the open-file list keeps the page with its caret at
# the end. (Restoring the pages and opening handed-over files are the core and widget tests'
# cases; the hand-off between processes is the hand-off test's.)
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session save_as
INI=$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini
MEMO=$T/docs/memo.txt

# The bytes of memo.txt are those of printf's format $1.
savedAs() { [ -f "$MEMO" ] && [ "$(printf "$1" | od -An -tx1)" = "$(od -An -tx1 <"$MEMO")" ]; }

# A new start shows one untitled page; type two lines and save under a name.
e2e_start
e2e_activate
typeText "first line"
key Return
typeText "second あ"
key ctrl+s
DLG=$(e2e_find_window "保存するファイル名を指定してください")
[ -n "$DLG" ] || fail "no save dialog"
import -window root "$SHOTS/1-save-dialog.png"
key ctrl+a
typeText "$MEMO"
key Return
e2e_wait_for 100 savedAs 'first line\r\nsecond \x82\xa0' ||
    fail "memo.txt was not written as typed: $(od -An -tx1 <"$MEMO" 2>&1)"
import -window root "$SHOTS/2-saved.png"
e2e_stop
grep -q "^File0=memo.txt,$T/docs/,0,,,,,,1,0,1,0,0" "$INI" || fail "open-file list: $(grep File0 "$INI")"
grep -q "^Count=1" "$INI" || fail "Count"
echo "PASS"
