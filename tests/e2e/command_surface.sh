#!/bin/bash
# The command surface end to end under a real window manager: the menus open, F6 splits the
# page, Shift+F12 shows the jump column and its digit button jumps to the marked line,
# Ctrl+Right walks three pages (wrapping around), and Caps Lock shows in the status bar and
# goes again. Results are checked on disk and on screen.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session surface
command -v twm >/dev/null || { echo "FAIL: twm (the window manager) is missing"; exit 1; }

fail() {
    echo "FAIL: $*"
    cat "$T"/stderr.* 2>/dev/null
    import -window root "$SHOTS/failure.png" 2>/dev/null
    exit 1
}
key() { xdotool key --clearmodifiers "$@"; sleep 0.4; }
cp932() { python3 -c "import sys; open(sys.argv[1],'wb').write(sys.argv[2].encode('cp932'))" "$@"; }
text() { python3 -c "import sys; print(open(sys.argv[1],'rb').read().decode('cp932'), end='')" "$1"; }
# A crop of the main window (x y w h relative to it) as a checksum of its pixels.
crop() {
    import -window root -crop "$3x$4+$((WX + $1))+$((WY + $2))" +repage "$T/crop.png" 2>/dev/null
    md5sum <"$T/crop.png" | cut -d' ' -f1
}
shot() { import -window root "$SHOTS/$1.png" 2>/dev/null; }

# The server's built-in "fixed" font serves every font twm asks for, so no X font package is needed.
printf '%s\n' 'TitleFont "fixed"' 'ResizeFont "fixed"' 'MenuFont "fixed"' 'IconFont "fixed"' \
    'IconManagerFont "fixed"' 'RandomPlacement' >"$T/twmrc"
LC_ALL=C twm -f "$T/twmrc" 2>"$T/twm.log" &
WM=$!
sleep 1
kill -0 $WM 2>/dev/null || fail "the window manager did not start: $(cat "$T/twm.log")"

A=$T/docs/a.txt B=$T/docs/b.txt C=$T/docs/c.txt
cp932 "$A" $'alpha\r\n'
cp932 "$B" $'beta\r\n'
body=""
for i in $(seq 0 79); do
    case $i in 10 | 40) body+=$'&3 見出し\r\n' ;; *) body+="line $i"$'\r\n' ;; esac
done
cp932 "$C" "$body"

e2e_start "$A" "$B" "$C"
xdotool windowactivate --sync "$WIN" 2>/dev/null; xdotool windowfocus --sync "$WIN"; sleep 0.5
e2e_window_geometry
shot plain

# 1. The menus open (and close again with Escape).
before=$(crop 0 0 300 200)
key alt+e
opened=$(crop 0 0 300 200)
shot menu_edit
key Escape
key Escape
[ "$before" != "$opened" ] || fail "the edit menu did not open"

# 2. The caption layers of the function-key bar.
barY=$((WHEIGHT - 60))
plain=$(crop 0 "$barY" "$WWIDTH" 60)
xdotool keydown shift; sleep 0.5; shot layer_shift; shifted=$(crop 0 "$barY" "$WWIDTH" 60)
xdotool keyup shift; sleep 0.3
xdotool keydown ctrl; sleep 0.5; shot layer_ctrl; ctrled=$(crop 0 "$barY" "$WWIDTH" 60)
xdotool keyup ctrl; sleep 0.5
[ "$plain" != "$shifted" ] && [ "$shifted" != "$ctrled" ] || fail "the caption layers did not change"
[ "$(crop 0 "$barY" "$WWIDTH" 60)" = "$plain" ] || fail "the plain captions did not come back"

# 3. The jump column on page c (the active one), and its digit 3.
right=$(crop $((WWIDTH - 44)) 100 44 200)
key shift+F12
[ "$(crop $((WWIDTH - 44)) 100 44 200)" != "$right" ] || fail "no jump column after Shift+F12"
shot jump_column
# Only digit 3 is marked: its caption is the one green one in the column.
read -r x y < <(e2e_marked_jump_buttons)
[ -n "${y:-}" ] || fail "no marked digit button in the jump column"
xdotool mousemove --sync "$x" "$y" click 1; sleep 0.5
xdotool type --delay 60 "J"; sleep 0.3
key ctrl+s
[ "$(text "$C" | sed -n 41p)" = $'J&3 見出し\r' ] || fail "digit 3 did not jump to line 40: $(text "$C" | sed -n 39,42p)"

# 4. F6 splits the page; typing in the upper half reaches the file.
editor=$(crop 100 150 300 200)
key F6
[ "$(crop 100 150 300 200)" != "$editor" ] || fail "F6 did not split the page"
shot split
key F6

# 5. Ctrl+Right walks a, b and back around; each page takes a letter.
key ctrl+Right
xdotool type --delay 60 "1"; sleep 0.2; key ctrl+s
key ctrl+Right
xdotool type --delay 60 "2"; sleep 0.2; key ctrl+s
key ctrl+Right
xdotool type --delay 60 "3"; sleep 0.2; key ctrl+s
[ "$(text "$A")" = $'1alpha\r' ] || fail "a.txt: $(text "$A")"
[ "$(text "$B")" = $'2beta\r' ] || fail "b.txt: $(text "$B")"
[ "$(text "$C" | sed -n 41p)" = $'J3&3 見出し\r' ] || fail "c.txt: $(text "$C" | sed -n 41p)"

# 6. Caps Lock shows in the status bar and goes again.
statusY=$((WHEIGHT - 24))
off=$(crop 240 "$statusY" 120 24)
xdotool key Caps_Lock; sleep 0.7
on=$(crop 240 "$statusY" 120 24)
shot caps_on
xdotool key Caps_Lock; sleep 0.7
shot caps_off
[ "$on" != "$off" ] || fail "Caps did not appear in the status bar"
[ "$(crop 240 "$statusY" 120 24)" = "$off" ] || fail "Caps did not go from the status bar"

e2e_stop
echo "1 passed, 0 failed"
