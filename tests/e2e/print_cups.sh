#!/bin/bash
# Printing through a CUPS queue: a private CUPS server of the test's own with a cups-pdf queue as
# the default printer; Ctrl+P and 印刷実行 must hand one job to it (no file dialog: a queue, not
# the PDF choice). Skipped, saying why, where no such server can be started.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
skip() { echo "SKIPPED: $*"; exit 0; }
command -v cupsd >/dev/null || skip "no CUPS server (cupsd) is installed"
command -v lpadmin >/dev/null || skip "the CUPS client tools (lpadmin) are not installed"
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "the cups-pdf backend (printer-driver-cups-pdf) is not installed"
PPD=$(ls /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -1)
[ -n "$PPD" ] || skip "no PPD of cups-pdf found"
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session cups
MEMO=$T/docs/memo.txt
e2e_cp932 "$MEMO" $'印刷のテスト\r\nCUPS queue\r\n'

# The private server: its own socket, spool and logs under $T; nothing of the system's is used.
C=$T/cups
mkdir -p "$C/spool" "$C/cache" "$C/state" "$C/log" "$C/ppd"
cp -r /etc/cups/. "$C/" 2>/dev/null
cat >"$C/cupsd.conf" <<CONF
Listen $C/cups.sock
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
CONF
cat >"$C/cups-files.conf" <<CONF
ServerRoot $C
RequestRoot $C/spool
CacheDir $C/cache
StateDir $C/state
AccessLog $C/log/access_log
ErrorLog $C/log/error_log
PageLog $C/log/page_log
CONF
cupsd -f -c "$C/cupsd.conf" -s "$C/cups-files.conf" 2>"$C/log/stderr" &
export CUPS_SERVER=$C/cups.sock
e2e_wait_for 50 test -S "$C/cups.sock" || skip "the private CUPS server did not start: $(head -3 "$C/log/stderr")"
lpadmin -p TolmoPDF -E -v cups-pdf:/ -P "$PPD" 2>"$C/log/lpadmin" ||
    skip "no PDF queue could be added: $(head -2 "$C/log/lpadmin")"
lpadmin -d TolmoPDF

KEY_PAUSE=0.4
e2e_start "$MEMO"
xdotool windowfocus --sync "$WIN"
key ctrl+p
DLG=$(e2e_find_window "^印刷$")
[ -n "$DLG" ] || fail "no print dialog"
xdotool windowfocus --sync "$DLG"
key alt+p
jobs=""
for _ in $(seq 100); do
    jobs=$(lpstat -W all -o TolmoPDF 2>/dev/null; lpstat -W completed -o 2>/dev/null)
    [ -n "$jobs" ] && break
    sleep 0.2
done
key alt+q
kill -TERM "$PID"
[ -n "$jobs" ] || fail "no job reached the queue TolmoPDF"
# The job carries the page's file name as its title (cups-pdf names its PDF after it); the
# server writes the job's control file a moment after taking the job.
e2e_wait_for 100 grep -aqs "memo.txt" "$C"/spool/c00001 || fail "the job has no title (memo.txt)"
echo "1 passed, 0 failed"
