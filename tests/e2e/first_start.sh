#!/bin/bash
# First start under a fresh HOME: the data folder made without a notice, and closing writes
# ~/.config/Brix/Tolmo/Tolmo.ini, without the untitled page, and nothing else beside it. (The
# window's place and the keys in their order are the core and widget tests' cases.)
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session first_start
rmdir "$XDG_CONFIG_HOME/Brix/Tolmo" "$XDG_CONFIG_HOME/Brix"
INI="$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini"

e2e_start
[ -z "$(e2e_find_window '^トルモ -Tolmo-$' 5)" ] || fail "a notice on a true first start"
shot first_start-2-main
[ -d "$XDG_CONFIG_HOME/Brix/Tolmo" ] || fail "data folder not created"
e2e_stop
[ -f "$INI" ] || fail "no $INI after closing"

grep -qx "Count=0" "$INI" || fail "the untitled page was remembered: $(grep -A1 MyFileList "$INI")"
[ "$(ls -A "$XDG_CONFIG_HOME/Brix/Tolmo" | tr "\n" " ")" = "Tolmo.ini Tolmo.rec " ] || fail "stray files: $(ls -A "$XDG_CONFIG_HOME/Brix/Tolmo")"

echo "first start: OK"
