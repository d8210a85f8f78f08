# Sourced by end-to-end tests: a temporary folder $T, an X server of the test's own (a screen of
# $E2E_SCREEN, default 1024x768) and a fresh HOME with its XDG folders under $T. Call:
# e2e_session <name>; then e2e_start starts the program.
# The helpers below (fail, key, typeText, shot) may be redefined by a test after sourcing.
e2e_session() {
    E2E_NAME=$1
    T=$(mktemp -d "/tmp/tolmo-$1-e2e-XXXXXX")
    SHOTS=${TOLMO_E2E_SHOTS:-$T}
    # -displayfd lets the server pick a free display number itself, so tests running side by side
    # never share one; -noreset keeps it from resetting (and refusing clients) between clients.
    Xvfb -displayfd 5 -screen 0 "${E2E_SCREEN:-1024x768}x24" -nolisten tcp -noreset 5>"$T/display" 2>/dev/null &
    XVFB=$!
    # The server must be gone before the next test starts one: a server still shutting down
    # removes the socket of a new one that took the same display number.
    trap e2e_cleanup EXIT
    for _ in $(seq 100); do [ -s "$T/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -1 "$T/display")
    export HOME=$T/home XDG_CONFIG_HOME=$T/home/.config XDG_DATA_HOME=$T/home/.local/share
    export XDG_STATE_HOME=$T/home/.local/state XDG_CACHE_HOME=$T/home/.cache
    export XDG_RUNTIME_DIR=$T/run LANG=C.UTF-8
    mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/Brix/Tolmo" "$T/docs"
    chmod 700 "$XDG_RUNTIME_DIR"
    e2e_wait_for 100 xdotool getdisplaygeometry >/dev/null 2>&1 || fail "no X display"
    E2E_RUNS=0
}

# Ends the test as failed: says why, shows the program's errors and keeps a screenshot.
fail() {
    echo "FAIL: $*"
    cat "$T"/stderr* 2>/dev/null
    import -window root "$SHOTS/$E2E_NAME-failure.png" 2>/dev/null
    exit 1
}

# A key press, with a pause of $KEY_PAUSE seconds (default 0.3) for the program to take it.
key() {
    xdotool key --clearmodifiers "$@"
    sleep "${KEY_PAUSE:-0.3}"
}
# A character the keyboard map lacks (あ, 猫) is typed through a spare key mapped to it for the
# moment; the program must read the changed map before the map changes back, which a loaded
# machine delays, so text with such characters is typed slowly.
typeText() {
    local delay=40
    [ "$(printf %s "$1" | wc -c)" -ne "${#1}" ] && delay=400
    xdotool type --delay "$delay" "$1"
    sleep 0.3
}
# A screenshot of the whole screen as $SHOTS/<name>.png.
shot() { import -window root "$SHOTS/$1.png" 2>/dev/null; }

# Ends what the test started and the X server, and removes $T. A test with more to end sets its
# own EXIT trap that ends it first and then calls this.
e2e_cleanup() {
    kill $(jobs -p) 2>/dev/null
    kill $XVFB 2>/dev/null
    wait $XVFB 2>/dev/null
    rm -rf "$T"
}

# Waits up to $1 tenths of a second for the command in the remaining arguments to succeed.
e2e_wait_for() {
    local n=$1 _
    shift
    for _ in $(seq "$n"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# The first visible window whose title matches $1, waiting up to $2 tenths of a second (default
# 200: a dialog built for the first time on a loaded machine takes its time); prints its id, or
# nothing.
e2e_find_window() {
    local w="" _
    for _ in $(seq "${2:-200}"); do
        w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        [ -n "$w" ] && break
        sleep 0.1
    done
    echo "$w"
}

# Starts $BIN with the given arguments in the background and waits until its main window is
# shown: PID and WIN name them, $T/stderr.<n> holds the n-th start's errors. A loaded machine
# gets 30 seconds; a start that could not reach the X server is tried again. Calls the test's
# `fail` when the program ends at start or shows no window.
e2e_start() {
    local attempt _
    for attempt in 1 2 3; do
        E2E_RUNS=$((E2E_RUNS + 1))
        "$BIN" "$@" 2>"$T/stderr.$E2E_RUNS" &
        PID=$!
        WIN=""
        for _ in $(seq 300); do
            WIN=$(xdotool search --onlyvisible --name "トルモ - Tolmo" 2>/dev/null | head -1)
            [ -n "$WIN" ] && break
            kill -0 "$PID" 2>/dev/null || break
            sleep 0.1
        done
        [ -n "$WIN" ] && break
        kill "$PID" 2>/dev/null
        wait "$PID" 2>/dev/null
        grep -q "could not connect to display" "$T/stderr.$E2E_RUNS" ||
            fail "the program ended at start or showed no window"
        sleep 1
    done
    [ -n "$WIN" ] || fail "no main window"
    # The window is mapped before its first show has opened the pages: wait until it answers
    # (its geometry is known) and give the event loop a moment to settle.
    for _ in $(seq 100); do xdotool getwindowgeometry "$WIN" >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 1
}

# Gives the main window the keyboard focus.
e2e_activate() {
    xdotool windowactivate --sync "$WIN" 2>/dev/null || xdotool windowfocus --sync "$WIN"
}

# The main window's place and size on the screen: WX, WY, WWIDTH, WHEIGHT.
e2e_window_geometry() {
    eval "$(xdotool getwindowgeometry --shell "$WIN" | sed 's/^/W/')"
    [ "${WWIDTH:-0}" -gt 300 ] || fail "no window geometry"
}

# The centres ("x y" on the screen) of the jump column's digit buttons with green captions (the
# marked ones), top to bottom, found in the pixels of the window's right edge. Call
# e2e_window_geometry first.
e2e_marked_jump_buttons() {
    import -window root -crop "44x$WHEIGHT+$((WX + WWIDTH - 44))+$WY" +repage "$T/column.txt" \
        2>/dev/null || return 1
    python3 - "$T/column.txt" "$((WX + WWIDTH - 44))" "$WY" <<'PY'
import re, sys
pts = []
for line in open(sys.argv[1]):
    m = re.match(r'(\d+),(\d+):\s*\((\d+),(\d+),(\d+)', line)
    if m:
        x, y, r, g, b = map(int, m.groups())
        if g > 90 and g > r + 50 and g > b + 50:
            pts.append((x, y))
groups = []
for x, y in sorted(pts, key=lambda p: p[1]):
    if groups and y - groups[-1][-1][1] <= 4:
        groups[-1].append((x, y))
    else:
        groups.append([(x, y)])
for g in groups:
    xs = [p[0] for p in g]
    ys = [p[1] for p in g]
    print((min(xs) + max(xs)) // 2 + int(sys.argv[2]), (min(ys) + max(ys)) // 2 + int(sys.argv[3]))
PY
}

# Ends the program the normal way (SIGTERM: its close handling runs), waits for it and fails the
# test unless it ended well.
e2e_stop() {
    local _ status
    kill -TERM "$PID"
    for _ in $(seq 300); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$PID" 2>/dev/null && fail "the program did not end"
    wait "$PID" 2>/dev/null
    status=$?
    [ "$status" -eq 0 ] || fail "the program ended with $status"
}

# Runs the test again on a D-Bus session bus of its own, gone with the test (unless it runs on
# one already). Call it first, with the test's arguments.
e2e_private_bus() {
    [ -n "${TOLMO_E2E_PRIVATE_BUS:-}" ] && return
    exec env TOLMO_E2E_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@"
}

# A window manager (twm) on the test's server. Its built-in "fixed" font serves every font twm
# asks for, so no X font package is needed.
e2e_window_manager() {
    command -v twm >/dev/null || fail "twm (the window manager) is missing"
    printf '%s\n' 'TitleFont "fixed"' 'ResizeFont "fixed"' 'MenuFont "fixed"' 'IconFont "fixed"' \
        'IconManagerFont "fixed"' 'RandomPlacement' >"$T/twmrc"
    LC_ALL=C twm -f "$T/twmrc" 2>"$T/twm.log" &
    sleep 1
    kill -0 $! 2>/dev/null || fail "the window manager did not start: $(cat "$T/twm.log")"
}

# Writes the text $2 to the file $1 in Shift-JIS (CP932).
e2e_cp932() {
    python3 -c "import sys; open(sys.argv[1],'wb').write(sys.argv[2].encode('cp932'))" "$1" "$2"
}
# The bytes on standard input in hexadecimal, on one line.
e2e_hex() { od -An -tx1 | tr -s ' \n' ' '; }

# Whether no shown window has a title matching $1; e2e_closed waits up to 30 s for that.
e2e_no_window() { [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }
e2e_closed() { e2e_wait_for 300 e2e_no_window "$1"; }

# A checksum of the pixels of a part of the main window (x y width height, relative to the
# window; call e2e_window_geometry first). e2e_changes and e2e_looks compare the part with an
# earlier checksum, as conditions for e2e_wait_for.
e2e_crop() {
    import -window root -crop "$3x$4+$((WX + $1))+$((WY + $2))" +repage "$T/crop.png" 2>/dev/null
    md5sum <"$T/crop.png" | cut -d' ' -f1
}
e2e_changes() { [ "$(e2e_crop "$1" "$2" "$3" "$4")" != "$5" ]; }
e2e_looks() { [ "$(e2e_crop "$1" "$2" "$3" "$4")" = "$5" ]; }

# Waits (up to $4 tenths of a second, default 300) for a shown window whose title matches $1,
# gives it the focus, keeps a screenshot of it and presses the key $2 there; fails saying $3
# when no such window comes.
e2e_answer() {
    local w
    w=$(e2e_find_window "$1" "${4:-300}")
    [ -n "$w" ] || fail "no window \"$1\": $3"
    xdotool windowactivate --sync "$w" 2>/dev/null || xdotool windowfocus --sync "$w" 2>/dev/null
    sleep 0.3
    E2E_ANSWERS=$((${E2E_ANSWERS:-0} + 1))
    shot "$E2E_NAME-answer-$E2E_ANSWERS"
    key "$2"
}
# Waits up to $3 tenths of a second (default 300) for the process $1 to end; fails saying $2
# when it runs on.
e2e_ended() {
    e2e_wait_for "${3:-300}" eval "! kill -0 $1 2>/dev/null" || fail "$2"
}
