#!/bin/bash
# The setup dialog as a user meets it: a copy of the program on a stick (stand-alone marker with
# First=1) asks at its first start whether to set up now; Yes opens the setup page, Return on
# 開始 and Yes to the question install into ~/.local/share/Brix/Tolmo/ with its text folder and
# menu entries; the installed copy starts while the first one still runs, and the first one ends.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session setup

KEY_PAUSE=0.4
STICK="$T/stick"
mkdir -p "$STICK/Files"
cp "$BIN" "$STICK/tolmo"
cp "$(dirname "$BIN")/HDay.dat" "$STICK/"
printf 'メモ\r\n' > "$STICK/Files/memo.txt"
printf '[Set]\nFirst=1\n' > "$STICK/localfol.myc"
TARGET="$XDG_DATA_HOME/Brix/Tolmo"

(cd "$T" && exec "$STICK/tolmo") 2>"$T/stderr" & PID=$!

e2e_answer '^確認$' Return "no question to set up now"       # セットアップを今すぐ行いますか？ Yes
e2e_answer '^トルモ -Tolmo-$' Return "no setup dialog"       # 開始
e2e_answer '^確認$' alt+y "no question before the setup"  # セットアップを開始してよろしいですか？
e2e_answer '^確認$' Return "no word that the setup ended"  # …のセットアップが終了しました。
# 現在起動中のトルモを終了させ…: its title is the dialog's too, so the key goes to the box that has
# the focus.
sleep 1
import -window root "$SHOTS/setup-5-hand-over.png"
key Return

# The installed copy runs from the target, the first copy ends within the wait.
NEWPID=""
for _ in $(seq 100); do
    for p in $(pgrep -x tolmo); do
        [ "$(readlink /proc/$p/exe 2>/dev/null)" = "$TARGET/tolmo" ] && NEWPID=$p
    done
    [ -n "$NEWPID" ] && break
    sleep 0.1
done
[ -n "$NEWPID" ] || fail "the installed copy did not start"
e2e_ended "$PID" "the first copy still runs" 150
wait "$PID"
[ -n "$(e2e_find_window '  トルモ - Tolmo - ')" ] || fail "no main window of the installed copy"
import -window root "$SHOTS/setup-6-installed.png"

[ -x "$TARGET/tolmo" ] || fail "no program in $TARGET"
cmp -s "$STICK/HDay.dat" "$TARGET/HDay.dat" || fail "HDay.dat did not travel along"
[ "$(cat "$TARGET/Files/memo.txt")" = "$(cat "$STICK/Files/memo.txt")" ] || fail "Files not copied"
[ -e "$TARGET/Tolmo2Ju.\$\$\$" ] && fail "the hand-over marker is left"
[ -e "$TARGET/localfol.myc" ] && fail "a new setup made the target stand-alone"
for entry in "$XDG_DATA_HOME/applications/トルモ -Tolmo-.desktop" \
             "$XDG_DATA_HOME/applications/Brix/トルモ -Tolmo-.desktop"; do
    [ -f "$entry" ] || fail "no menu entry $entry"
    grep -qF "Exec=$TARGET/tolmo %F" "$entry" || fail "menu entry runs something else: $(grep Exec "$entry")"
    desktop-file-validate "$entry" || fail "invalid desktop entry $entry"
done
[ -e "$HOME/Desktop/トルモ.desktop" ] && fail "a desktop shortcut without the option"

kill -TERM "$NEWPID"
for _ in $(seq 50); do kill -0 "$NEWPID" 2>/dev/null || break; sleep 0.1; done
echo "setup dialog: OK"
