# Sourced by end-to-end tests: a temporary folder $T, an X server of the test's own and a fresh
# HOME with its XDG folders under $T. Call: e2e_session <name>.
e2e_session() {
    T=$(mktemp -d "/tmp/tolmo-$1-e2e-XXXXXX")
    SHOTS=${TOLMO_E2E_SHOTS:-$T}
    # -displayfd lets the server pick a free display number itself, so tests running side by side
    # never share one; -noreset keeps it from resetting (and refusing clients) between clients.
    Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp -noreset 5>"$T/display" 2>/dev/null &
    XVFB=$!
    # The server must be gone before the next test starts one: a server still shutting down
    # removes the socket of a new one that took the same display number.
    trap 'kill $(jobs -p) 2>/dev/null; kill $XVFB 2>/dev/null; wait $XVFB 2>/dev/null; rm -rf "$T"' EXIT
    for _ in $(seq 100); do [ -s "$T/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -1 "$T/display")
    export HOME=$T/home XDG_CONFIG_HOME=$T/home/.config XDG_DATA_HOME=$T/home/.local/share
    export XDG_STATE_HOME=$T/home/.local/state XDG_CACHE_HOME=$T/home/.cache
    export XDG_RUNTIME_DIR=$T/run LANG=C.UTF-8
    mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/Brix/Tolmo" "$T/docs"
    chmod 700 "$XDG_RUNTIME_DIR"
}
