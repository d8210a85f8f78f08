#!/bin/bash
# The command surface end to end under a real window manager: the menus open, F6 splits the
# page, Shift+F12 shows the jump column and its digit button jumps to the marked line,
# Ctrl+Right walks three pages (wrapping around), and Caps Lock shows in the status bar and
# goes again. Results are checked on disk and on screen.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session surface
e2e_window_manager

KEY_PAUSE=0
text() { python3 -c "import sys; print(open(sys.argv[1],'rb').read().decode('cp932'), end='')" "$1"; }

A=$T/docs/a.txt B=$T/docs/b.txt C=$T/docs/c.txt
e2e_cp932 "$A" $'alpha\r\n'
e2e_cp932 "$B" $'beta\r\n'
body=""
for i in $(seq 0 79); do
    case $i in 10 | 40) body+=$'&3 見出し\r\n' ;; *) body+="line $i"$'\r\n' ;; esac
done
e2e_cp932 "$C" "$body"

e2e_start "$A" "$B" "$C"
xdotool windowactivate --sync "$WIN" 2>/dev/null; xdotool windowfocus --sync "$WIN"; sleep 0.5
e2e_window_geometry
shot plain

# Line $2 of the Shift-JIS file $1 reads $3 (a CR at its end).
lineIs() { [ "$(text "$1" | sed -n "$2p")" = "$3"$'\r' ]; }

# 1. The menus open (and close again with Escape). The crop lies right of the caret's column.
before=$(e2e_crop 100 30 200 150)
key alt+e
e2e_wait_for 100 e2e_changes 100 30 200 150 "$before" || fail "the edit menu did not open"
shot menu_edit
key Escape
key Escape
e2e_wait_for 100 e2e_looks 100 30 200 150 "$before" || fail "the edit menu did not close"

# 2. The caption layers of the function-key bar: Shift, then Ctrl, each back to the plain ones.
barY=$((WHEIGHT - 60))
plain=$(e2e_crop 0 "$barY" "$WWIDTH" 60)
xdotool keydown shift
e2e_wait_for 100 e2e_changes 0 "$barY" "$WWIDTH" 60 "$plain" || fail "no Shift captions"
shot layer_shift
shifted=$(e2e_crop 0 "$barY" "$WWIDTH" 60)
xdotool keyup shift
e2e_wait_for 100 e2e_looks 0 "$barY" "$WWIDTH" 60 "$plain" || fail "the plain captions did not come back after Shift"
xdotool keydown ctrl
e2e_wait_for 100 e2e_changes 0 "$barY" "$WWIDTH" 60 "$plain" || fail "no Ctrl captions"
shot layer_ctrl
[ "$(e2e_crop 0 "$barY" "$WWIDTH" 60)" != "$shifted" ] || fail "the Ctrl captions are the Shift ones"
xdotool keyup ctrl
e2e_wait_for 100 e2e_looks 0 "$barY" "$WWIDTH" 60 "$plain" || fail "the plain captions did not come back after Ctrl"

# 3. The jump column on page c (the active one): only digit 3 is marked, so its caption is the
#    one green one in the column; a click on it puts the caret on line 40.
markedButton() { [ -n "$(e2e_marked_jump_buttons)" ]; }
key shift+F12
e2e_wait_for 100 markedButton || fail "no jump column with a marked digit after Shift+F12"
shot jump_column
read -r x y < <(e2e_marked_jump_buttons)
xdotool mousemove --sync "$x" "$y" click 1
xdotool type --delay 60 "J"
key ctrl+s
e2e_wait_for 100 lineIs "$C" 41 "J&3 見出し" ||
    fail "digit 3 did not jump to line 40: $(text "$C" | sed -n 39,42p)"

# 4. F6 splits the page (a second ruler crosses the middle of the text area) and joins it
#    again. The crop lies right of the short lines and the caret.
editor=$(e2e_crop 100 150 300 250)
key F6
e2e_wait_for 100 e2e_changes 100 150 300 250 "$editor" || fail "F6 did not split the page"
shot split
key F6
e2e_wait_for 100 e2e_looks 100 150 300 250 "$editor" || fail "the second F6 did not join the halves"

# 5. Ctrl+Right walks a, b and back around to c; each page takes a digit and is saved. The keys
#    reach the program in order, so only the files are waited for.
for page in 1 2 3; do
    key ctrl+Right
    xdotool type --delay 60 "$page"
    key ctrl+s
done
e2e_wait_for 100 lineIs "$A" 1 "1alpha" || fail "a.txt: $(text "$A")"
e2e_wait_for 100 lineIs "$B" 1 "2beta" || fail "b.txt: $(text "$B")"
e2e_wait_for 100 lineIs "$C" 41 "J3&3 見出し" || fail "c.txt: $(text "$C" | sed -n 41p)"

# 6. Caps Lock shows in the status bar and goes again.
statusY=$((WHEIGHT - 24))
off=$(e2e_crop 240 "$statusY" 120 24)
xdotool key Caps_Lock
e2e_wait_for 100 e2e_changes 240 "$statusY" 120 24 "$off" || fail "Caps did not appear in the status bar"
shot caps_on
xdotool key Caps_Lock
e2e_wait_for 100 e2e_looks 240 "$statusY" 120 24 "$off" || fail "Caps did not go from the status bar"
shot caps_off

e2e_stop
echo "1 passed, 0 failed"
