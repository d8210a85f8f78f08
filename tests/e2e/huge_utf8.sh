#!/bin/bash
# A 300 MB UTF-8 file opens with its first screen at once and the window answers while the rest
# loads: started with it, the program shows the first screen within 0.5 s of the time it takes
# with a small file of the same first lines (both timed from the start, in the same session); the
# file is still being read when the screen shows, and a key pressed then (Shift+Down selects a
# line) shows while the reading goes on.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session huge_utf8

HUGE=$T/docs/huge.txt
SMALL=$T/docs/small.txt
python3 - "$HUGE" "$SMALL" <<'PY'
import sys
line = "日本語のメモ、とても長いファイルの一行です。ASCII words too 0123456789\n".encode()
block = line * 16384
with open(sys.argv[1], "wb") as f:
    for _ in range(300 * 1024 * 1024 // len(block) + 1):
        f.write(block)
with open(sys.argv[2], "wb") as f:
    f.write(line * 200)
PY
SIZE=$(stat -c %s "$HUGE")

now() { date +%s.%N; }
# Arithmetic on decimals, and a test of it.
calc() { awk "BEGIN { print $* }"; }
holds() { awk "BEGIN { exit !($*) }"; }
# The share of dark pixels in the window (its text, menus and bars).
darkness() {
    import -window "$WIN" "$T/shot.png" 2>/dev/null || { echo 0; return; }
    convert "$T/shot.png" -colorspace Gray -threshold 50% -format '%[fx:1-mean]' info: 2>/dev/null ||
        echo 0
}
readBytes() { awk '/^rchar:/ {print $2}' "/proc/$PID/io" 2>/dev/null || echo 0; }

# Starts the program with a file; samples "seconds-since-start darkness" into $T/samples until
# the darkness reaches $2 (or for 10 s when $2 is 0).
run() {
    local file=$1 want=$2 t0 d t
    E2E_RUNS=$((E2E_RUNS + 1))
    : >"$T/samples"
    t0=$(now)
    "$BIN" "$file" 2>"$T/stderr.$E2E_RUNS" &
    PID=$!
    WIN=""
    for _ in $(seq 600); do
        kill -0 "$PID" 2>/dev/null || fail "the program ended at start"
        [ -n "$WIN" ] || WIN=$(xdotool search --onlyvisible --name "トルモ - Tolmo" 2>/dev/null | head -1)
        if [ -n "$WIN" ]; then
            t=$(now)
            d=$(darkness)
            echo "$(calc "$t - $t0") $d" >>"$T/samples"
            if [ "$want" = 0 ]; then
                holds "$t - $t0 > 10" && return
            elif holds "$d >= $want"; then
                FIRST_AT=$(calc "$t - $t0")
                FIRST_READ=$(readBytes)
                DARK=$d
                return
            fi
        fi
        sleep 0.05
    done
    fail "no first screen (last samples: $(tail -3 "$T/samples" | tr '\n' ' '))"
}

# 1. The small file: its settled darkness, and when nine tenths of it first showed.
run "$SMALL" 0
FULL=$(tail -1 "$T/samples" | cut -d' ' -f2)
WANT=$(calc "$FULL * 0.9")
SMALL_AT=$(awk -v w="$WANT" '$2 >= w {print $1; exit}' "$T/samples")
[ -n "$SMALL_AT" ] && holds "$FULL > 0.001" || fail "the small file showed nothing"
e2e_stop
rm -f "$XDG_CONFIG_HOME"/Brix/Tolmo/Tolmo.*

# 2. The huge file: the same first screen, at most 0.5 s later, before the file was read whole.
run "$HUGE" "$WANT"
echo "first screen: small file ${SMALL_AT}s, 300 MB file ${FIRST_AT}s (read $FIRST_READ of $SIZE bytes)"
holds "$FIRST_AT - $SMALL_AT <= 0.5" ||
    fail "the first screen of the 300 MB file came ${FIRST_AT}s after the start, the small file's ${SMALL_AT}s"
[ "$FIRST_READ" -lt "$SIZE" ] || fail "the first screen waited for the whole file"

# 3. The window answers while the rest loads: a selected line shows before the reading ends.
e2e_activate
xdotool key --clearmodifiers shift+Down
answered=""
for _ in $(seq 40); do
    d=$(darkness)
    read=$(readBytes)
    if holds "$d != $DARK"; then
        answered=$read
        break
    fi
    [ "$read" -ge "$SIZE" ] && break
    sleep 0.05
done
[ -n "$answered" ] || fail "the window did not answer the key while the file loaded"
[ "$answered" -lt "$SIZE" ] || fail "the key showed only after the whole file was read"
echo "the key showed with $answered of $SIZE bytes read"
e2e_stop
echo "PASS"
