#!/bin/bash
# Japanese through a real input method: fcitx5 with Anthy (which, unlike Mozc's server, runs as
# root), reached through its Qt 6 front end on a D-Bus session bus of the test's own. Romaji is
# typed, converted and committed; a composition is cancelled with Escape (and a second Escape
# changes nothing); Backspace works inside a composition; a click during a composition commits it
# where it was typed, and so do opening a menu and a switch of pages; a composition at the end of
# a wrapped row goes in there; a selected word is converted again. The saved bytes are compared,
# and the candidate window must open at the composition inside the main window (also where it
# went on to the next row).
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_private_bus "$@"
e2e_session input_method

for tool in fcitx5 fcitx5-remote dbus-send unshare; do
    command -v "$tool" >/dev/null || fail "$tool is missing (tools/install-deps.sh installs it)"
done

# Anthy is the only input method, on from the start.
mkdir -p "$XDG_CONFIG_HOME/fcitx5"
cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'P'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=anthy

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=anthy
Layout=

[GroupOrder]
0=Default
P
cat >"$XDG_CONFIG_HOME/fcitx5/config" <<'P'
[Behavior]
ActiveByDefault=True
ShareInputState=All
P
# Anthy keeps what it learns in the account's home from the password database, whatever HOME
# says: the input method runs with the test's home mounted over it (in a mount namespace of its
# own), so the real one is never touched and every run starts from the same dictionary.
PWHOME=$(getent passwd "$(id -u)" | cut -d: -f6)
unshare --mount --propagation private sh -c 'mount --bind "$1" "$2" && exec "$3" -r --disable=wayland,waylandim' \
    sh "$HOME" "$PWHOME" "$(command -v fcitx5)" >"$T/fcitx5.log" 2>&1 &
FCITX=$!
trap 'kill $FCITX 2>/dev/null; wait $FCITX 2>/dev/null; e2e_cleanup' EXIT
# Asked only once it owns its bus name (an earlier question would start a second one).
fcitxOnBus() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep -q true
}
e2e_wait_for 300 fcitxOnBus || { cat "$T/fcitx5.log"; fail "fcitx5 did not start"; }
export QT_IM_MODULE=fcitx

# Romaji one letter at a time, as a person types.
romaji() {
    xdotool type --delay 120 "$1"
    sleep 1
}
# The input method answers each key over D-Bus: keys get time to settle.
KEY_PAUSE=0.5
# Anthy is active for the focused field (fcitx5-remote says 2).
imeActive() { [ "$(fcitx5-remote 2>/dev/null)" = 2 ]; }

DOC=$T/docs/memo.txt
LONG=$(printf '0123456789%.0s' $(seq 30)) # one line of 300 digits: it wraps
e2e_cp932 "$DOC" "$(printf 'first line\r\nsecond\r\n%s\r\nend' "$LONG")"
e2e_start "$DOC"
e2e_activate
e2e_wait_for 200 imeActive || { cat "$T/fcitx5.log"; fail "the input method is not active in the page"; }
sleep 2 # the front end's context is made over D-Bus: keys before it pass by the input method
e2e_window_geometry

# Two clauses being converted ("今日は" and "いい天気") at the end of the text, in the middle of a
# line and at a wrap edge, then cancelled: Escape leaves the conversion, a second one the
# composition; a third (nothing composed) does what it does in the page: nothing.
convertTwoClauses() {
    romaji kyouhaiitenki
    key space
    sleep 0.5
    shot "$1"
    key Escape
    key Escape
    key Escape
}
key ctrl+End
convertTwoClauses composition-end-of-text
key ctrl+Home
key Right Right Right Right Right
convertTwoClauses composition-mid-line
key Down Down
key Home
key End
convertTwoClauses composition-wrap-edge

# 1. Typed, converted and committed at the start of the text: "日本語".
key ctrl+Home
romaji nihongo
key space
sleep 0.5
key Return
# Reconversion: "にほんご" committed as typed, selected, goes back to the input method (the
# selection and the row around it) and comes back converted.
romaji nihongo
key Return
key shift+Left shift+Left shift+Left shift+Left
key shift+Henkan_Mode
sleep 0.8
key Return
key End

# 2. Backspace inside a composition takes its last kana, not the text's: "にほん".
romaji nihongo
key BackSpace
key Return
# 3. A click during a composition commits it where it was typed ("きょう" before "second"),
#    then the caret is where the click was (past the last line's end: "あ" goes there).
key Down
key Home
romaji kyou
xdotool mousemove $((WX + WWIDTH / 2)) $((WY + WHEIGHT - 120)) click 1
sleep 0.6
romaji a
key Return
# 3b. Opening a menu commits a composition first ("い" after "あ").
romaji i
xdotool mousemove $((WX + 30)) $((WY + 8)) click 1
sleep 1
key Escape
key Escape
xdotool mousemove $((WX + WWIDTH / 2)) $((WY + WHEIGHT - 120)) click 1
sleep 0.5
# 4. At the end of the long line's first row (a wrap edge).
key ctrl+Home
key Down Down
key Home
key End
romaji nihongo
shot wrap-composing
# The composition went on to the next row: so does the candidate window, inside the main window.
key space
sleep 0.5
key space
sleep 0.8
CAND=$(xdotool search --onlyvisible --class fcitx 2>/dev/null | head -1)
[ -n "$CAND" ] || fail "no candidate window at the wrap edge"
eval "$(xdotool getwindowgeometry --shell "$CAND" | sed 's/^/C/')"
[ "$CX" -ge "$WX" ] && [ "$CX" -lt $((WX + WWIDTH / 3)) ] && [ "$CY" -gt "$WY" ] &&
    [ "$CY" -lt $((WY + WHEIGHT / 2)) ] || fail "candidate window at $CX,$CY at the wrap edge"
key Escape # back to "にほんご"
key Return

key ctrl+s
sleep 1
e2e_stop
python3 - "$DOC" "$LONG" <<'PY' || fail "saved bytes differ"
import sys
data = open(sys.argv[1], "rb").read().decode("cp932")
long = sys.argv[2]
lines = data.split("\r\n")
want = ["日本語日本語first lineにほん", "きょうsecond", None, "endあい"]
ok = len(lines) == 4 and all(w is None or l == w for l, w in zip(lines, want))
# The wrapped line holds "にほんご" inside it, everything else of it untouched.
k = lines[2].find("にほんご") if ok else -1
ok = ok and 0 < k < len(long) and lines[2] == long[:k] + "にほんご" + long[k:]
if not ok:
    print("saved:", repr(data))
sys.exit(0 if ok else 1)
PY

# 5. A switch to another page commits the composition in the page it was typed in, and only
#    there.
rm -f "$XDG_CONFIG_HOME"/Brix/Tolmo/Tolmo.* # the next start opens only its own files
A=$T/docs/a.txt
B=$T/docs/b.txt
printf 'aaa\r\n' >"$A"
printf 'bbb\r\n' >"$B"
e2e_start "$A" "$B" # b is the active page, a's tab the first
e2e_activate
e2e_wait_for 200 imeActive || fail "the input method is not active in the second start"
sleep 2
e2e_window_geometry
romaji kyou
xdotool mousemove $((WX + 18)) $((WY + 32)) click 1
sleep 1
romaji i
key Return
key ctrl+s
xdotool mousemove $((WX + 58)) $((WY + 32)) click 1
sleep 1
key ctrl+s
sleep 1
e2e_stop
# "い" is 82 A2, "きょう" 82 AB 82 E5 82 A4 in Shift-JIS.
[ "$(e2e_hex <"$A")" = "$(printf '\x82\xa2aaa\r\n' | e2e_hex)" ] || fail "page a saved as: $(e2e_hex <"$A")"
[ "$(e2e_hex <"$B")" = "$(printf '\x82\xab\x82\xe5\x82\xa4bbb\r\n' | e2e_hex)" ] ||
    fail "page b saved as: $(e2e_hex <"$B")"
echo ok
