#!/bin/bash
# The window's Ctrl keys after menus opened with Alt and closed with one Escape (the menu bar keeps
# the focus then): each key of the menu table runs its command once, Ctrl+F3 opens the search,
# and a hidden menu bar (文字コード with the others) comes back with Ctrl+M and from the text's
# context menu. No key may be reported ambiguous.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session menukeys
# No window manager: one that gives the focus to the window under the pointer (twm) does so a
# moment after a popup under the pointer has closed, and closes whatever popup is open by then; a
# user's desktop gives the focus on a click, and the keys here go where the focus was put.

MEMO=$T/docs/memo.txt
printf 'abc\r\n' >"$MEMO"
e2e_start "$MEMO"
focusMain() { xdotool windowactivate --sync "$WIN" 2>/dev/null || xdotool windowfocus --sync "$WIN"; sleep 0.2; }
focusMain
e2e_window_geometry

# The program's shown windows: the main one, and a menu or dialog while one is open.
shown() { xdotool search --onlyvisible --pid "$PID" 2>/dev/null | wc -l; }
shownAre() { [ "$(shown)" -eq "$1" ]; }
e2e_wait_for 100 shownAre 1 || fail "more than the main window at start: $(shown)"
# Runs the command in the arguments and waits up to ten seconds for a popup to show.
opened() {
    "$@"
    e2e_wait_for 100 shownAre 2
}

# Opens the next menu of the bar with Alt and closes it with one Escape.
MENUS=(f e s w k o)
trips=0
roundTrip() {
    local m=${MENUS[$((trips % ${#MENUS[@]}))]}
    trips=$((trips + 1))
    opened key alt+"$m" || fail "Alt+$m opened no menu"
    key Escape
    e2e_wait_for 100 shownAre 1 || fail "one Escape did not close the Alt+$m menu"
}
# After a round trip, key $1 opens the dialog titled $2, which Escape closes again.
opensDialog() {
    roundTrip
    key "$1"
    [ -n "$(e2e_find_window "$2" 100)" ] || fail "$1 after a menu opened no dialog \"$2\""
    key Escape
    e2e_closed "$2" || fail "the dialog \"$2\" of $1 did not close"
    focusMain
}

# 1. The keys that open dialogs.
opensDialog ctrl+o "^開く$"
opensDialog ctrl+p "^印刷$"
opensDialog ctrl+d "^日付入力$"
opensDialog ctrl+f "^検索$"
opensDialog ctrl+r "^置換$"
opensDialog ctrl+F3 "^検索$"

# 2. Ctrl+N adds a page (the tabs change), Ctrl+F4 closes it; Ctrl+G shows the jump column and
#    hides it again.
tabs=$(e2e_crop 0 20 400 30)
roundTrip
key ctrl+n
e2e_wait_for 100 e2e_changes 0 20 400 30 "$tabs" || fail "Ctrl+N after a menu added no page"
roundTrip
key ctrl+F4
e2e_wait_for 100 e2e_looks 0 20 400 30 "$tabs" || fail "Ctrl+F4 after a menu did not close the new page"
column=$(e2e_crop $((WWIDTH - 44)) 60 44 200)
roundTrip
key ctrl+g
e2e_wait_for 100 e2e_changes $((WWIDTH - 44)) 60 44 200 "$column" || fail "Ctrl+G showed no jump column"
roundTrip
key ctrl+g
e2e_wait_for 100 e2e_looks $((WWIDTH - 44)) 60 44 200 "$column" || fail "the second Ctrl+G kept the column"

# 3. The editing keys, each after a round trip, and Ctrl+S after each step: the file shows that
#    every one acted.
holds() { python3 -c "import re,sys; sys.exit(not re.fullmatch(sys.argv[2].encode(), open(sys.argv[1],'rb').read(), re.S))" "$MEMO" "$1"; }
savedAs() {
    roundTrip
    key ctrl+s
    e2e_wait_for 100 holds "$1" || fail "$2: $(od -c "$MEMO" | head -3)"
}
for k in ctrl+a ctrl+x; do roundTrip; key "$k"; done
savedAs '' "Ctrl+A, Ctrl+X or Ctrl+S did not act"
roundTrip
key ctrl+v
savedAs 'abc\r\n' "Ctrl+V did not paste what Ctrl+X cut"
# Ctrl+S ended the menu bar's keyboard mode: letters go to the text again.
key ctrl+End
key z
for k in ctrl+a ctrl+c; do roundTrip; key "$k"; done
key ctrl+End
roundTrip
key ctrl+v
savedAs 'abc\r\nzabc\r\nz' "Ctrl+C did not copy"
roundTrip
key ctrl+z
savedAs 'abc\r\nz' "Ctrl+Z did not undo"
roundTrip
key ctrl+y
savedAs 'abc\r\nzabc\r\nz' "Ctrl+Y did not redo"
roundTrip
key ctrl+t
savedAs '.*[0-9].*' "Ctrl+T inserted no time"

# 4. Ctrl+M hides the menus, 文字コード among them, and brings them back.
roundTrip
key ctrl+m
key alt+k
sleep 0.5
shownAre 1 || fail "the encoding menu still opens with the menus hidden"
# The Alt key of a hidden menu leaves the focus in the text: the next letter is typed there.
key q
key ctrl+s
e2e_wait_for 100 holds '.*q.*' || fail "a letter typed after Alt+K with the menus hidden went nowhere"
key ctrl+m
opened key alt+k || fail "Ctrl+M did not bring the menus back"
key Escape
e2e_wait_for 100 shownAre 1 || fail "the encoding menu did not close"

# 5. With the menus hidden, the text's context menu brings them back.
key ctrl+m
shot hidden_menus
xdotool mousemove --sync $((WX + 200)) $((WY + 120))
sleep 0.5
opened xdotool click 3 || fail "no context menu"
sleep 0.5
shot context_menu
key m
e2e_wait_for 100 shownAre 1 || fail "the context menu did not close"
focusMain
opened key alt+f || fail "the context menu did not bring the menus back"
key Escape

grep -q "Ambiguous shortcut" "$T"/stderr* && fail "a key is bound twice"
e2e_stop
echo "1 passed, 0 failed"
