#!/bin/bash
# Backup and restore as a slow user meets them, under a window manager: every question and
# result waits 6 seconds before it is answered, and must then be the top window, with no
# progress window shown meanwhile. The backup replaces an older copy on the stick (overwrite
# question), keeping the memo's mode and time; the restore brings the backup back, keeps the
# edited memo in SafeGuard and ends the program.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session backup
e2e_window_manager

KEY_PAUSE=0.4
PAUSE=${BACKUP_PAUSE:-6}

PROG=$T/prog STICK=$T/stick
mkdir -p "$PROG/Files/sub" "$STICK/Tolmobak/Files"
cp "$BIN" "$PROG/tolmo"
BIN=$PROG/tolmo
printf 'memo\r\n' >"$PROG/Files/memo.txt"
printf 'sub\r\n' >"$PROG/Files/sub/b.txt"
printf 'an older backup\r\n' >"$STICK/Tolmobak/Files/memo.txt"
chmod 600 "$PROG/Files/memo.txt"
touch -d '2001-09-09 10:00' "$PROG/Files/memo.txt"
printf '[Setup]\nedtCopy1=%s/Tolmobak/\nedtCopy3=%s/Tolmobak/Files/\n' "$STICK" "$STICK" \
    >"$PROG/Tolmo.ini"

# The top-level frame (a child of the root window) that holds window $1.
frame() {
    local w=$1 parent
    while parent=$(xwininfo -id "$w" -tree 2>/dev/null | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p') &&
        [ -n "$parent" ] && [ "$(xwininfo -id "$parent" 2>/dev/null | grep -c 'root window')" -eq 0 ]; do
        w=$parent
    done
    printf '%d\n' "$w"
}
# True when window $1 is stacked above every other window of the program.
onTop() {
    local mine top w
    mine=$(frame "$1")
    top=""
    for w in $(xdotool search --onlyvisible --pid "$PID" 2>/dev/null); do
        [ "$(frame "$w")" = "$mine" ] && continue
        top="$top $(frame "$w")"
    done
    # xwininfo lists root's children top-most first: ours must come before the others.
    xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p' | while read -r c; do printf '%d\n' "$c"; done |
        awk -v mine="$mine" -v others="$top" 'BEGIN { n = split(others, o, " "); for (i = 1; i <= n; i++) isOther[o[i]] = 1 }
            $1 == mine { seen = 1 } !seen && ($1 in isOther) { bad = 1 } END { exit !(seen && !bad) }'
}
# Waits for a window whose title matches $1 (other than $2), waits $PAUSE seconds as a slow user,
# checks that no progress window is shown and that the window is on top, then presses $3.
answerSlowly() {
    local w="" id _
    for _ in $(seq 300); do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
            [ "$id" != "${2:-}" ] && w=$id
        done
        [ -n "$w" ] && break
        sleep 0.1
    done
    [ -n "$w" ] || fail "no window '$1' ($4)"
    sleep "$PAUSE"
    shot "backup-$4"
    [ -z "$(xdotool search --onlyvisible --name '^データ(退避|回復)$' 2>/dev/null)" ] ||
        fail "a progress window is shown over '$4'"
    onTop "$w" || fail "'$4' is not the top window"
    xdotool windowactivate --sync "$w" 2>/dev/null || xdotool windowfocus --sync "$w"
    sleep 0.3
    key "$3"
    e2e_wait_for 100 bash -c "! xdotool search --onlyvisible --name '$1' 2>/dev/null | grep -qx '$w'" ||
        fail "'$4' did not take the answer"
}

e2e_start
e2e_activate
# その他(&O) → バックアップ＆リストア, the menu's last item.
key alt+o
key Up Return
DLG=$(e2e_find_window '^トルモ -Tolmo-$')
[ -n "$DLG" ] || fail "no backup dialog"
xdotool windowactivate --sync "$DLG" 2>/dev/null
sleep 0.5
shot backup-1-dialog

# The copy page: the tab bar has the focus; edtCopy1, its folder button, then データ退避実行.
key Tab Tab Tab space
answerSlowly '^ファイル上書きの確認$' "" alt+a 2-overwrite
answerSlowly '^トルモ -Tolmo-$' "$DLG" Return 3-backed-up
[ "$(cat "$STICK/Tolmobak/Files/memo.txt")" = "$(cat "$PROG/Files/memo.txt")" ] || fail "memo not backed up"
[ "$(stat -c '%a %Y' "$STICK/Tolmobak/Files/memo.txt")" = "$(stat -c '%a %Y' "$PROG/Files/memo.txt")" ] ||
    fail "mode or time changed: $(stat -c '%a %y' "$STICK/Tolmobak/Files/memo.txt")"
[ -f "$STICK/Tolmobak/Files/sub/b.txt" ] || fail "sub-folder not backed up"

# The memo is edited after the backup; the restore brings the backup back.
printf 'edited\r\n' >"$PROG/Files/memo.txt"
# The restore page (Ctrl+Tab), 「データ回復」をオン and Yes, then データ回復実行.
xdotool windowactivate --sync "$DLG" 2>/dev/null
key ctrl+Tab
key Tab space
answerSlowly '^確認$' "" alt+y 4-restore-switch
xdotool windowactivate --sync "$DLG" 2>/dev/null
key Tab Tab Tab space
answerSlowly '^確認$' "" alt+y 5-restore-question
answerSlowly '^ファイル上書きの確認$' "" alt+a 6-overwrite
answerSlowly '^トルモ -Tolmo-$' "$DLG" Return 7-restored
e2e_ended "$PID" "the program did not end after the restore"

[ "$(cat "$PROG/Files/memo.txt")" = "$(printf 'memo\r\n')" ] || fail "memo not restored: $(cat "$PROG/Files/memo.txt")"
[ "$(stat -c '%a %Y' "$PROG/Files/memo.txt")" = "600 $(date -d '2001-09-09 10:00' +%s)" ] ||
    fail "restored memo: $(stat -c '%a %y' "$PROG/Files/memo.txt")"
[ "$(cat "$PROG/SafeGuard/Files/01_memo.txt" 2>/dev/null)" = "$(printf 'edited\r\n')" ] ||
    fail "the edited memo was not kept in SafeGuard: $(ls -R "$PROG")"
echo "backup and restore: OK"
