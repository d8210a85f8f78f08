#!/bin/bash
# The edit and search menus end to end: Ctrl+D opens the date dialog and Return inserts today's
# date at the caret; Ctrl+F finds a Japanese word, F3 the next one; Ctrl+S writes Shift-JIS.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session commands
MEMO=$T/docs/neko.txt
e2e_cp932 "$MEMO" $'吾輩は猫\r\n二行目の猫\r\n'

# Without a window manager the focus does not come back by itself after a dialog.
focusMain() { xdotool windowfocus --sync "$WIN" 2>/dev/null; sleep 0.2; }
saved() { python3 -c "print(open('$MEMO','rb').read().decode('cp932'), end='')"; }
# Saves until the file holds $1 (a loaded machine may take the keys late); false after 20 s.
savedAs() {
    local _
    for _ in $(seq 40); do
        focusMain
        key ctrl+s
        [ "$(saved)" = "$1" ] && return 0
        sleep 0.2
    done
    return 1
}

e2e_start "$MEMO"
focusMain

# 1. The date at the end of the text.
key ctrl+End
key ctrl+d
[ -n "$(e2e_find_window "日付入力")" ] || fail "no date dialog"
sleep 0.5
key Return
e2e_closed "日付入力" || fail "the date dialog did not close on Return"
today=$(python3 -c "
import datetime
d = datetime.date.today()
print('R%d.%d.%d (%s)' % (d.year - 2018, d.month, d.day, '月火水木金土日'[d.weekday()]))")
savedAs $'吾輩は猫\r\n二行目の猫\r\n'"$today" || fail "date not inserted: $(saved)"

# 2. Find from the top, then the next hit; typing lands at the second hit.
key ctrl+Home
key ctrl+f
[ -n "$(e2e_find_window "^検索$")" ] || fail "no search dialog"
# The first character outside the keymap can be lost while xdotool's remapping settles: type it,
# then select what the field holds and type it again.
xdotool type --delay 150 "猫"
sleep 0.5
key ctrl+a
xdotool type --delay 150 "猫"
sleep 0.5
key Return
e2e_closed "^検索$" || fail "the search dialog did not close on Return"
focusMain
key F3
xdotool type --delay 40 "X"
sleep 0.3
savedAs $'吾輩は猫\r\n二行目のX猫\r\n'"$today" || fail "F3 did not reach the second hit: $(saved)"

e2e_stop
echo "1 passed, 0 failed"
