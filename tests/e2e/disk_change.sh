#!/bin/bash
# A page's file changed or deleted by another program: the page asks whether to re-read it (Yes
# re-reads, No keeps the page's text, which a save then writes), and a save over a deleted file
# asks before it writes the file again.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session diskchange
MEMO=$T/docs/a.txt
printf 'alpha\r\n' >"$MEMO"

noWindow() { [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }
# Waits (30 s at most) until no visible window has the title.
windowGone() { e2e_wait_for 300 noWindow "$1" || fail "the window \"$1\" stayed open"; }
bytesOf() { od -An -c <"$MEMO" 2>/dev/null | tr -d ' \n'; }
holds() { [ "$(bytesOf)" = "$1" ]; }
# Waits (30 s at most) until the file holds the bytes (as od -c shows them).
expectFile() { e2e_wait_for 300 holds "$1" || fail "$2: $(bytesOf)"; }
# Waits for the question, shows it and answers it with the key.
answer() {
    local q
    q=$(e2e_find_window "$1" 300)
    [ -n "$q" ] || fail "no question: $2"
    import -window root "$SHOTS/diskchange-$2.png"
    xdotool windowactivate --sync "$q" 2>/dev/null
    xdotool key --clearmodifiers "$3"
    windowGone "$1"
}

e2e_start "$MEMO"
e2e_activate
# 1. Changed by another process while the page has the focus: Yes (the default for a page
#    without edits) re-reads it; the typed character lands in the new text.
sh -c "printf 'beta\\r\\n' >'$MEMO'"
answer "確認" reload Return
e2e_activate
typeText "1"
key ctrl+s
expectFile '1beta\r\n' "not re-read"

# 2. Changed again: No keeps the page's text, and the save after it writes the page's text
#    without asking again.
sh -c "printf 'gamma\\r\\n' >'$MEMO'"
answer "確認" keep Escape
e2e_activate
key ctrl+s
expectFile '1beta\r\n' "page text not kept"

# 3. Deleted: the page says so; a save asks first and then writes the file again.
rm "$MEMO"
answer "トルモ -Tolmo-" deleted Return
e2e_activate
typeText "2"
key ctrl+s
answer "確認" save-deleted Return
expectFile '12beta\r\n' "the deleted file was not written again"
e2e_stop
echo PASS
