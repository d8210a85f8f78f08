#!/bin/bash
# An idle instance with 30 pages open wakes nobody: the context switches of all its threads over
# 30 s without input stay below 30 (the channel sleeps on its block, the caret stops blinking,
# the recovery timer rests while no edit waits). A second start's files still arrive at once:
# each of five hand-offs is taken within 50 ms of being written.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
SECONDS_IDLE=${TOLMO_IDLE_SECONDS:-30}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session idle
export TOLMO_TRACE_HANDOFF=$T/trace TOLMO_TRACE_HANDOFF_TIMES=$T/times
: >"$TOLMO_TRACE_HANDOFF"

files=()
for i in $(seq 30); do
    printf 'page %d\r\nline two\r\n' "$i" >"$T/docs/page$i.txt"
    files+=("$T/docs/page$i.txt")
done
"$BIN" "${files[@]}" >/dev/null 2>"$T/stderr" &
pid=$!
channelOpen() { [ -e "$XDG_RUNTIME_DIR/Tolmo2005" ]; }
e2e_wait_for 300 channelOpen || fail "the instance did not open its channel"
e2e_wait_for 300 eval "xdotool search --onlyvisible --pid $pid >/dev/null 2>&1" ||
    fail "no window"
sleep 12 # start-up settles; the caret's blinking ends ten seconds after the last input

# Context switches per thread ("tid count" lines). A pooled thread that ends meanwhile (Qt lets
# idle pool threads go after 30 s) takes its count along: the sum is over the threads of the end.
switches() {
    for t in /proc/"$pid"/task/*; do
        echo "${t##*/} $(awk '/^(voluntary|nonvoluntary)_ctxt_switches/ { n += $2 } END { print n }' "$t/status" 2>/dev/null)"
    done
}
switches >"$T/before"
sleep "$SECONDS_IDLE"
switches >"$T/after"
woke=$(awk 'NR == FNR { a[$1] = $2; next } { n += $2 - a[$1] } END { print n + 0 }' "$T/before" "$T/after")
echo "context switches of $(wc -l <"$T/after") threads over ${SECONDS_IDLE} s idle: $woke"
[ "$woke" -lt 30 ] || fail "an idle instance woke $woke times"

# Five hand-offs: from the messenger's update to the running instance taking the text.
for i in 1 2 3 4 5; do
    timeout 10 "$BIN" "$T/docs/page$i.txt" || fail "the second start failed"
done
e2e_wait_for 100 eval '[ "$(wc -l <"$TOLMO_TRACE_HANDOFF")" -ge 5 ]' || fail "the files did not arrive"
worst=$(awk '$1 == "sent" { s = $2 } $1 == "taken" { d = ($2 - s) / 1e6; if (d > w) w = d }
             END { printf "%d", w }' "$T/times")
echo "hand-off latency, worst of five: ${worst} ms"
[ "$(grep -c taken "$T/times")" -eq 5 ] || fail "not every hand-off was taken: $(cat "$T/times")"
[ "$worst" -lt 50 ] || fail "a hand-off took ${worst} ms"
echo "PASS"
