#!/bin/bash
# The display settings panel end to end: Shift+F1 opens it beside the memo, a right click on the
# palette previews a background colour, 決定 keeps it, and the settings file holds it after the
# program ends; Shift+F1 on an open panel cancels it.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session display
INI=$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini
MEMO=$T/docs/memo.txt
e2e_cp932 "$MEMO" $'トルモのメモ Tolmo memo\r\n'

KEY_PAUSE=0.5
# Colour of the pixel at window-relative x y, as "r,g,b".
pixel() {
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    import -window root -crop "1x1+$((X + $1))+$((Y + $2))" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | head -1
}

e2e_start "$MEMO"
xdotool windowfocus --sync "$WIN"; sleep 0.3

# The left part of the window is the white memo before, the panel after Shift+F1.
[ "$(pixel 60 400)" = "255,255,255" ] || fail "memo not at the left: $(pixel 60 400)"
key shift+F1
[ "$(pixel 60 400)" != "255,255,255" ] || fail "Shift+F1 did not open the panel"
import -window root "$SHOTS/display-panel.png"
key shift+F1
[ "$(pixel 60 400)" = "255,255,255" ] || fail "Shift+F1 did not cancel the panel"

# Right click on the palette's fourth cell of the first row (#FFFFCC), then 決定.
key shift+F1
eval "$(xdotool getwindowgeometry --shell "$WIN")"
xdotool mousemove $((X + 79)) $((Y + 86)) click 3; sleep 0.5
[ "$(pixel 500 400)" = "255,255,204" ] || fail "no preview of the background: $(pixel 500 400)"
xdotool mousemove $((X + 66)) $((Y + 475)) click 1; sleep 0.5
[ "$(pixel 60 400)" = "255,255,204" ] || fail "決定 did not close the panel: $(pixel 60 400)"

e2e_stop
grep -qx 'Color=\$00CCFFFF' "$INI" || fail "the colour is not stored: $(grep '^Color' "$INI")"
echo "1 passed, 0 failed"
