#!/bin/bash
# A second start hands its files to the running instance and ends quickly without a window; the
# running instance receives each line exactly once. A second start while the running instance
# is stuck starts as a full instance of its own.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session handoff
pids=()
# A stopped instance must go on before it can end.
trap 'for p in "${pids[@]}"; do kill -CONT "$p" 2>/dev/null; done; e2e_cleanup' EXIT
[ -n "${TOLMO_E2E_DEBUG:-}" ] && set -x
export TOLMO_TRACE_HANDOFF=$T/trace
: >"$TOLMO_TRACE_HANDOFF"
for f in one two "three four"; do echo "$f" >"$T/docs/$f.txt"; done

now_ms() { date +%s%3N; }
# Waits (up to 30 s) until a visible window of the process exists.
wait_window() { e2e_wait_for 300 eval "xdotool search --onlyvisible --pid $1 >/dev/null 2>&1"; }
# Waits (up to 10 s) until the trace holds the number of lines.
traced() { [ "$(wc -l <"$TOLMO_TRACE_HANDOFF")" -ge "$1" ]; }
wait_trace() { e2e_wait_for 100 traced "$1"; }
channelOpen() { [ -e "$XDG_RUNTIME_DIR/Tolmo2005" ]; }
data_state() { find "$XDG_CONFIG_HOME" -type f -printf '%p %s %T@\n' 2>/dev/null | sort; }

"$BIN" >"$T/first.log" 2>&1 &
first=$!
pids+=("$first")
wait_window "$first" || fail "the first instance shows no window"
e2e_wait_for 200 channelOpen || fail "the first instance did not open its channel"
before=$(data_state)

# Three files, one given relative to the messenger's folder and one with a blank in its name.
t0=$(now_ms)
(cd "$T/docs" && timeout 10 "$BIN" "$T/docs/one.txt" two.txt "$T/docs/three four.txt")
rc=$?
t1=$(now_ms)
[ $rc -eq 0 ] || fail "the messenger exited with $rc"
# A messenger that was not answered waits 5 s before it gives up; one that was ends sooner.
[ $((t1 - t0)) -lt 5000 ] || fail "the messenger took $((t1 - t0)) ms"
wait_trace 3 || fail "the first instance did not receive the files"
sleep 0.3
expected=$(printf '%s\n' "$T/docs/one.txt" "$T/docs/two.txt" "$T/docs/three four.txt")
[ "$(cat "$TOLMO_TRACE_HANDOFF")" = "$expected" ] ||
    fail "received: $(cat "$TOLMO_TRACE_HANDOFF")"
echo "hand-off of three files: $((t1 - t0)) ms"
[ "$(data_state)" = "$before" ] || fail "the messenger wrote settings or lists"

# Without arguments: the running instance comes forward and opens nothing.
timeout 10 "$BIN" || fail "the bare second start failed"
sleep 0.3
[ "$(wc -l <"$TOLMO_TRACE_HANDOFF")" -eq 3 ] || fail "a bare second start handed something over"

# A command line longer than the block: what fits is handed over, the rest is reported.
long=$(printf 'x%.0s' $(seq 200))
timeout 10 "$BIN" "/$long/a.txt" "/$long/b.txt" 2>"$T/long.err"
rc=$?
[ $rc -ne 0 ] || fail "a cut command line was reported as success"
grep -q "/$long/b.txt" "$T/long.err" || fail "the left-out file was not named"
wait_trace 4 || fail "the fitting file was not handed over"
[ "$(tail -n 1 "$TOLMO_TRACE_HANDOFF")" = "/$long/a.txt" ] || fail "wrong file handed over"

# The running instance is stuck: the second start waits 5 s, then runs as a full instance.
kill -STOP "$first"
"$BIN" "$T/docs/one.txt" >"$T/second.log" 2>&1 &
second=$!
pids+=("$second")
sleep 6
kill -0 "$second" 2>/dev/null || fail "the second start ended although nobody took its files"
wait_window "$second" || { cat "$T/second.log"; ps -o pid,stat,etime,cmd -p "$second"; fail "the second start shows no window of its own"; }
kill -CONT "$first"
sleep 0.5
[ "$(wc -l <"$TOLMO_TRACE_HANDOFF")" -eq 4 ] || fail "the stuck instance received the files too"
echo "PASS"
