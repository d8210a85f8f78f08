#!/bin/bash
# A screen reader's view of the program: on a private D-Bus session with the AT-SPI registry, a
# real AT-SPI client finds the page, reads its text (a Shift-JIS file) and caret, hears the
# characters typed and deleted and the caret moving, and reads the month calendar's cells.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_private_bus "$@"
e2e_session accessibility
CLIENT=$(dirname "$0")/../support/atspi_client.py

# The accessibility bus and its registry, as a desktop session starts them.
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$T/atspi.log" &
e2e_wait_for 100 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null 2>&1 || fail "the accessibility bus did not start"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
e2e_cp932 "$T/docs/memo.txt" $'一行目の文章です。\r\n二行目：読み上げ\r\nthird line\r\n'

e2e_start "$T/docs/memo.txt"
e2e_activate
/usr/bin/python3 "$CLIENT" "$T/docs/memo.txt" "$PID" || fail "the accessibility client failed"
e2e_stop
echo "PASS"
