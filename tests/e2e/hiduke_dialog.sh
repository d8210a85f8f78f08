#!/bin/bash
# The date dialog under Xvfb, driven with real keys: Up twice in the day field and Return give
# the era text of the day two days on; Esc gives nothing. Screenshots land in the build folder.
set -u
BIN="$TOLMO_BUILD_DIR/uitest_calendar"
[ -x "$BIN" ] || { echo "no $BIN"; exit 1; }
OUT="$TOLMO_BUILD_DIR/e2e-hiduke"
mkdir -p "$OUT"

run() { # keys... ; prints the dialog's result line
    xvfb-run -a -s '-screen 0 640x480x24' bash -c '
        out="$1"; shift
        # A log left by the previous run must not be taken for this one.
        rm -f "$out/log"
        QT_QPA_PLATFORM=xcb TOLMO_HIDUKE_PRESET=2026/05/06 "$BIN" --gtest_also_run_disabled_tests \
            --gtest_filter="*ShowForALook*" > "$out/log" 2>&1 &
        pid=$!
        # Focus the dialog until it says that keys reach its day field.
        for i in $(seq 150); do
            grep -q "^ready" "$out/log" 2>/dev/null && break
            w=$(xdotool search --onlyvisible --name "日付入力" 2>/dev/null | head -1)
            [ -n "$w" ] && xdotool windowfocus "$w" 2>/dev/null
            sleep 0.2
        done
        grep -q "^ready" "$out/log" || { echo "dialog never ready"; kill $pid; exit 1; }
        for k in "$@"; do
            if [ "$k" = shot ]; then import -window root "$out/dialog.png"; else xdotool key "$k"; sleep 0.1; fi
        done
        for i in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
        kill $pid 2>/dev/null
        wait $pid 2>/dev/null
        grep "^result:" "$out/log"' _ "$OUT" "$@"
}
export BIN

r=$(run Up Up shot Return)
[ "$r" = "result: [R8.5.8 (金)]" ] || { echo "Return gave: $r"; cat "$OUT/log"; exit 1; }
r=$(run Down Escape)
[ "$r" = "result: []" ] || { echo "Esc gave: $r"; exit 1; }
r=$(run ctrl+d)
[ "$r" = "result: [R8.5.6 (水)]" ] || { echo "Ctrl+D gave: $r"; exit 1; }
echo "1 passed, 0 failed"
