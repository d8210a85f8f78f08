#!/bin/bash
# A new wrap width on a 500 MB memo: the rows are wrapped anew on worker threads while the window
# answers. The width is typed in the display panel (Shift+F1, マージン, Return); keys typed in the
# text meanwhile show at once, before the new rows do, and Ctrl+S then saves the text as it
# stands; every typed key is in the file saved after the new rows came. Ending the program while
# another re-wrap runs ends it well.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session rewrap_huge

MEMO=$T/docs/huge.txt
# Lines of 190 bytes: 60 columns wrap each into four rows, 20 columns into ten.
python3 - "$T/original.txt" <<'PY'
import sys
line = ("日本語のメモ、とても長いファイルの一行です。" * 3 +
        "ASCII words too 0123456789 and more words to wrap here\r\n").encode("cp932")
with open(sys.argv[1], "wb") as f:
    for _ in range(500 * 1024 * 1024 // len(line) // 16384 + 1):
        f.write(line * 16384)
PY
cp "$T/original.txt" "$MEMO"
SIZE=$(stat -c %s "$MEMO")
# The wrap at 60 columns, not following the window's width.
printf '[Editor]\r\nWrapByte=60\r\nWrapDou=0\r\n' >"$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini"

# The memo as saved: $1 typed before the original text (waiting for the save to end).
saved() {
    local want=$((SIZE + ${#1}))
    e2e_wait_for 600 eval '[ "$(stat -c %s "$MEMO")" -eq $want ]' &&
        { printf %s "$1"; cat "$T/original.txt"; } | cmp -s - "$MEMO"
}
# A picture of the window, and the share of dark pixels in a part of it: w h x y.
picture() { import -window "$WIN" "$T/now.png" 2>/dev/null; }
darkness() {
    convert "$T/now.png" -crop "$1x$2+$3+$4" +repage -colorspace Gray -threshold 50% \
        -format '%[fx:1-mean]' info: 2>/dev/null || echo -1
}
holds() { awk "BEGIN { exit !($*) }"; }

e2e_start "$MEMO"
e2e_activate
key ctrl+End # waits for the whole memo
key ctrl+Home
key shift+F1
xdotool mousemove --window "$WIN" 114 32 click 1 # the マージン tab
sleep 1
# With the panel open the text starts about 270 pixels into the window: its first row, and a
# band that only rows of more than 40 columns reach.
ROW="140 18 290 66"
BAND="100 440 560 64"
wide() { holds "$(darkness $BAND) > 0.01"; }
# The wrap width typed into the panel.
width() {
    xdotool mousemove --window "$WIN" 157 254 click --repeat 3 1
    sleep 0.3
    xdotool type "$1"
    xdotool key Return
}

# 20 columns; then a click in the text, Ctrl+Home and a key, looked for until it or the new rows
# show. A machine that wraps the memo anew before the key shows tries again (from 60 columns).
ALL=""
ANSWERED=""
for attempt in 1 2 3 4 5; do
    [ "$attempt" -gt 1 ] && width 60
    e2e_wait_for 600 eval 'picture && wide' || fail "the rows are not 60 columns wide"
    FIRST=$(darkness $ROW)
    width 20
    xdotool mousemove --window "$WIN" 500 300 click 1
    xdotool key ctrl+Home
    xdotool type b
    ALL="b$ALL"
    # One picture: the key shows in the first row while the rows are still 60 columns wide.
    for _ in $(seq 600); do
        picture && wide || break
        holds "$(darkness $ROW) != $FIRST" || continue
        ANSWERED=yes
        # Saved while the rows are wrapped anew: the text as it stands, exactly; then more keys.
        xdotool key ctrl+s
        saved "$ALL" || fail "the save while re-wrapping did not save the text"
        xdotool type cde
        ALL="bcde${ALL#b}"
        break
    done
    e2e_wait_for 600 eval 'picture && ! wide' || fail "the rows did not become 20 columns wide"
    [ -n "$ANSWERED" ] && break
done
[ -n "$ANSWERED" ] || fail "no key showed before the new rows"
echo "attempt $attempt: a key showed and was saved while re-wrapping; '$ALL' typed in all"
shot rewrap-huge-after

# Every key typed, in order, in the file saved now.
key ctrl+s
saved "$ALL" || fail "typed keys are missing from the saved memo"

# Another width, and the window closed while it is being applied.
width 60
e2e_stop
echo "PASS"
