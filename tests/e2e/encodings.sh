#!/bin/bash
# Encodings end to end: a UTF-8 file with LF line ends opens, takes typed Japanese and "〜"
# (xdotool sends U+301C WAVE DASH, as Linux input methods commit it) and is saved still UTF-8 with
# LF, the new characters in UTF-8; the same typing in a Shift-JIS file with CR LF gives 0x8160.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session encodings

stop() {
    e2e_stop
    # The next start opens only its own file.
    rm -f "$XDG_CONFIG_HOME"/Brix/Tolmo/Tolmo.*
}
# One character at a time: xdotool remaps a spare key for each character outside the keymap, and a
# character sent while the last remapping settles can be lost.
typeText() {
    local i
    for ((i = 0; i < ${#1}; i++)); do
        xdotool type --delay 150 "${1:i:1}"
        sleep 0.4
    done
}
# The first character xdotool types after a start can be lost while the keymap settles: a letter
# and its BackSpace go first (at the start of the text BackSpace changes nothing either way).
warmUp() {
    sleep 1
    e2e_activate
    key ctrl+Home
    typeText "あ"
    key BackSpace
}

# 1. UTF-8 with LF, and a character Shift-JIS cannot hold that must survive untouched.
U8=$T/docs/utf8.txt
printf 'line one 😀\nあいう\n' > "$U8"
e2e_start "$U8"
warmUp
typeText "日本〜"
import -window root "$SHOTS/1-utf8-typed.png"
key ctrl+s
sleep 0.5
# xdotool may drop a leading character under load; what arrived must be a tail of "日本〜" that
# holds the wave dash, in UTF-8, before the untouched original (still LF, the emoji kept).
actual=$(e2e_hex < "$U8")
ok=""
for typed in '日本〜' '本〜' '〜'; do
    [ "$(printf '%sline one 😀\nあいう\n' "$typed" | e2e_hex)" = "$actual" ] && ok=1
done
[ -n "$ok" ] || fail "UTF-8 file saved as: $actual"
stop

# 2. Shift-JIS with CR LF: "〜" becomes 0x8160.
SJ=$T/docs/sjis.txt
printf 'abc\r\n\x82\xa0\r\n' > "$SJ"
e2e_start "$SJ"
warmUp
typeText "〜"
key ctrl+s
sleep 0.5
expected=$(printf '\x81\x60abc\r\n\x82\xa0\r\n' | e2e_hex)
actual=$(e2e_hex < "$SJ")
[ "$expected" = "$actual" ] || fail "Shift-JIS file saved as: $actual (expected $expected)"
stop
echo "ok"
