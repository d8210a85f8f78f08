#!/bin/bash
# The command surface end to end under a real window manager: the menus open and close, and Caps
# Lock shows in the status bar and goes again, checked on screen. (The caption layers, the jump
# column, the split and Ctrl+arrow page switching are the widget tests' cases.)
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session surface
command -v twm >/dev/null || { echo "FAIL: twm (the window manager) is missing"; exit 1; }

KEY_PAUSE=0
# A crop of the main window (x y w h relative to it) as a checksum of its pixels.
crop() {
    import -window root -crop "$3x$4+$((WX + $1))+$((WY + $2))" +repage "$T/crop.png" 2>/dev/null
    md5sum <"$T/crop.png" | cut -d' ' -f1
}

# The server's built-in "fixed" font serves every font twm asks for, so no X font package is needed.
printf '%s\n' 'TitleFont "fixed"' 'ResizeFont "fixed"' 'MenuFont "fixed"' 'IconFont "fixed"' \
    'IconManagerFont "fixed"' 'RandomPlacement' >"$T/twmrc"
LC_ALL=C twm -f "$T/twmrc" 2>"$T/twm.log" &
WM=$!
sleep 1
kill -0 $WM 2>/dev/null || fail "the window manager did not start: $(cat "$T/twm.log")"

C=$T/docs/c.txt
printf 'line 0\r\nline 1\r\n' >"$C"
e2e_start "$C"
xdotool windowactivate --sync "$WIN" 2>/dev/null; xdotool windowfocus --sync "$WIN"; sleep 0.5
e2e_window_geometry
shot plain

# Checks that wait (up to 10 s) for a crop to differ from a checksum, or to match it again.
changes() { [ "$(crop "$1" "$2" "$3" "$4")" != "$5" ]; }
looks() { [ "$(crop "$1" "$2" "$3" "$4")" = "$5" ]; }

# 1. The menus open (and close again with Escape). The crop lies right of the caret's column.
before=$(crop 100 30 200 150)
key alt+e
e2e_wait_for 100 changes 100 30 200 150 "$before" || fail "the edit menu did not open"
shot menu_edit
key Escape
key Escape
e2e_wait_for 100 looks 100 30 200 150 "$before" || fail "the edit menu did not close"

# 2. Caps Lock shows in the status bar and goes again.
statusY=$((WHEIGHT - 24))
off=$(crop 240 "$statusY" 120 24)
xdotool key Caps_Lock
e2e_wait_for 100 changes 240 "$statusY" 120 24 "$off" || fail "Caps did not appear in the status bar"
shot caps_on
xdotool key Caps_Lock
e2e_wait_for 100 looks 240 "$statusY" 120 24 "$off" || fail "Caps did not go from the status bar"
shot caps_off

e2e_stop
echo "1 passed, 0 failed"
