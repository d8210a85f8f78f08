#!/bin/bash
# The program on Wayland itself (Qt's Wayland platform, no X server at all) under a headless
# compositor: it opens a file given on the command line, a second start hands its file (and its
# window-activation token) to the running window, and the program ends cleanly with both pages
# in its open-file list.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session wayland
unset DISPLAY # nothing may fall back to the X server
INI=$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini

command -v weston >/dev/null || fail "weston (the compositor) is missing"
weston --backend=headless-backend.so --socket=wayland-tolmo --width=1024 --height=768 \
    --idle-time=0 >"$T/weston.log" 2>&1 &
WESTON=$!
trap 'kill $WESTON 2>/dev/null; wait $WESTON 2>/dev/null; e2e_cleanup' EXIT
e2e_wait_for 100 test -S "$XDG_RUNTIME_DIR/wayland-tolmo" ||
    fail "the compositor did not start: $(cat "$T/weston.log")"
export WAYLAND_DISPLAY=wayland-tolmo QT_QPA_PLATFORM=wayland
export TOLMO_TRACE_HANDOFF=$T/trace
: >"$TOLMO_TRACE_HANDOFF"

e2e_cp932 "$T/docs/first.txt" $'最初のファイル\r\n'
e2e_cp932 "$T/docs/second.txt" $'二つ目\r\n'

"$BIN" "$T/docs/first.txt" 2>"$T/stderr.1" &
PID=$!
# The window's first show opens the channel later starts hand over to.
channelOpen() { [ -e "$XDG_RUNTIME_DIR/Tolmo2005" ] || ! kill -0 $PID 2>/dev/null; }
e2e_wait_for 300 channelOpen
kill -0 $PID 2>/dev/null || fail "the program ended at start"
[ -e "$XDG_RUNTIME_DIR/Tolmo2005" ] || fail "the window was not shown"
# Qt's Wayland platform drives the window (not X, not offscreen).
grep -q "libqwayland" "/proc/$PID/maps" || fail "the program does not run on Wayland"
grep -q "wayland-tolmo" <(tr '\0' '\n' <"/proc/$PID/environ") || fail "no Wayland display"

# A second start hands its file over, with the token its launcher gave it.
XDG_ACTIVATION_TOKEN=token-from-launcher timeout 10 "$BIN" "$T/docs/second.txt" 2>"$T/stderr.2" ||
    fail "the second start failed: $(cat "$T/stderr.2")"
traced() { grep -qx "$T/docs/second.txt" "$TOLMO_TRACE_HANDOFF"; }
e2e_wait_for 100 traced || fail "the running window did not receive the file"
grep -qx "activation token token-from-launcher" "$TOLMO_TRACE_HANDOFF" ||
    fail "the activation token did not arrive: $(cat "$TOLMO_TRACE_HANDOFF")"
sleep 1

e2e_stop
grep -q "^File[0-9]=first.txt,$T/docs/," "$INI" || fail "first.txt not open: $(grep '^File' "$INI")"
grep -q "^File[0-9]=second.txt,$T/docs/," "$INI" || fail "second.txt not open: $(grep '^File' "$INI")"

# Started again with a size and place of its own: the size is kept; the place, which a Wayland
# window is never told, stays as it was written.
sed -i -e 's/^fmWidth=.*/fmWidth=701/' -e 's/^fmHeight=.*/fmHeight=503/' \
    -e 's/^fmTop=.*/fmTop=44/' -e 's/^fmLeft=.*/fmLeft=55/' "$INI"
rm -f "$XDG_RUNTIME_DIR/Tolmo2005"
"$BIN" 2>"$T/stderr.3" &
PID=$!
e2e_wait_for 300 channelOpen
[ -e "$XDG_RUNTIME_DIR/Tolmo2005" ] || fail "the window was not shown again"
sleep 1
e2e_stop
for kv in fmWidth=701 fmHeight=503 fmTop=44 fmLeft=55; do
    grep -qx "$kv" "$INI" || fail "window state: $(grep '^fm' "$INI" | tr '\n' ' ') (wanted $kv)"
done
echo "PASS"
