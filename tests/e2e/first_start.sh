#!/usr/bin/env bash
# First start under a fresh HOME: the data folder made without a notice, the main window centred
# at 779 x 575, closing writes ~/.config/Brix/Tolmo/Tolmo.ini with every key in order, a second
# start reads the values back (and keeps what it does not know), and a start after the data
# folder was removed says that it is made again.
set -euo pipefail
if [ -z "${TOLMO_E2E_INNER:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" env TOLMO_E2E_INNER=1 bash "$0" "$@"
fi
: "${TOLMO_BIN:?TOLMO_BIN names the program}"
SHOTS="${TOLMO_BUILD_DIR:-/tmp}/e2e-shots"
mkdir -p "$SHOTS"

T=$(mktemp -d)
PID=
cleanup() { [ -n "$PID" ] && kill -KILL "$PID" 2>/dev/null; rm -rf "$T"; }
trap cleanup EXIT
export HOME="$T/home" XDG_CONFIG_HOME="$T/home/.config" XDG_DATA_HOME="$T/home/.local/share"
export XDG_STATE_HOME="$T/home/.local/state" XDG_CACHE_HOME="$T/home/.cache"
export XDG_RUNTIME_DIR="$T/run" LANG=C.UTF-8
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
INI="$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini"

fail() { echo "FAIL: $*" >&2; import -window root "$SHOTS/first_start-failure.png" 2>/dev/null || true; exit 1; }

# Waits for a visible window whose whole title matches; prints its id.
wait_window() {
    local pattern=$1 id
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

geometry() { xdotool getwindowgeometry "$1" | awk '/Position/{split($2,p,",")} /Geometry/{g=$2} END{print p[1]","p[2]" "g}'; }

close_program() {
    kill -TERM "$PID"
    local rc=0
    wait "$PID" || rc=$?
    PID=
    [ "$rc" -eq 0 ] || fail "the program ended with $rc"
}

MAIN='^  トルモ - Tolmo - $'

# --- first start ---------------------------------------------------------------------------
"$TOLMO_BIN" & PID=$!
win=$(wait_window "$MAIN") || fail "no main window"
sleep 0.5
xdotool search --onlyvisible --name '^トルモ -Tolmo-$' >/dev/null 2>&1 && fail "a notice on a true first start"
[ "$(geometry "$win")" = "250,224 779x575" ] || fail "main window at $(geometry "$win"), expected 250,224 779x575"
import -window root "$SHOTS/first_start-2-main.png"
[ -d "$XDG_CONFIG_HOME/Brix/Tolmo" ] || fail "data folder not created"
close_program
[ -f "$INI" ] || fail "no $INI after closing"

# Every key of the close-time write, grouped by section as a profile file holds them, then the
# open-file list (empty: the untitled page is not remembered).
expected="Header/Version Header/Folder Tab/TabColorAct Tab/TabColorDeAct Tab/TabFontAct
Tab/TabFontDeAct Tab/cbTabStyle Tab/TabLen Editor/FontName Editor/FontSize Editor/FontColor
Editor/Color Editor/MarginTop Editor/MarginLeft Editor/MarginCharacter Editor/MarginLine
Editor/RetMark Editor/EofMark Editor/underLine Editor/Ruler Editor/WrapByte Editor/WrapDou
Set/OpenFolder Set/isMaxSize Set/fmTop Set/fmLeft Set/fmHeight Set/fmWidth Set/FuncChk
Set/StatChk Set/Page Set/MenuCount Set/KnKakunin Set/isWaYMD Set/isYoubi Set/isClick
Set/isBrowser Set/Browser Set/Curs Set/isEditor Set/Editor Set/GEditor Info/vInfoChien
MyFileList/Count"
actual=$(awk '/^\[/{s=substr($0,2,length($0)-2); next} /=/{split($0,kv,"="); print s"/"kv[1]}' "$INI" | tr '\n' ' ')
[ "$(echo $actual)" = "$(echo $expected)" ] || fail "keys differ:
  got      $actual
  expected $(echo $expected)"
grep -qx 'Version=Ver1.7.1.1' "$INI" || fail "version"
grep -qx 'fmTop=224' "$INI" && grep -qx 'fmLeft=250' "$INI" || fail "bounds not written"
grep -qx 'fmWidth=779' "$INI" && grep -qx 'fmHeight=575' "$INI" || fail "size not written"
grep -qx 'FuncChk=1' "$INI" && grep -qx 'StatChk=1' "$INI" || fail "bars"
grep -qx 'TabColorAct=clBtnFace' "$INI" || fail "colour names"
chien=$(sed -n 's/^vInfoChien=//p' "$INI")
[ "$chien" -ge 1 ] && [ "$chien" -le 99 ] || fail "vInfoChien $chien not drawn from 1..99"
[ "$(ls -A "$XDG_CONFIG_HOME/Brix/Tolmo" | tr "\n" " ")" = "Tolmo.ini Tolmo.rec " ] || fail "stray files: $(ls -A "$XDG_CONFIG_HOME/Brix/Tolmo")"

# --- second start reads the values back ------------------------------------------------------
sed -i -e 's/^FuncChk=1/FuncChk=0/' -e 's/^fmTop=224/fmTop=100/' -e 's/^fmLeft=250/fmLeft=60/' \
    -e 's/^fmWidth=779/fmWidth=700/' -e 's/^fmHeight=575/fmHeight=500/' \
    -e 's|^Browser=|Browser=/usr/bin/firefox|' "$INI"
printf '[Set]\nisZenkai=1\n\n[Mine]\nkeep=this\n' >> "$INI"
"$TOLMO_BIN" & PID=$!
win=$(wait_window "$MAIN") || fail "no main window on the second start"
sleep 0.5
xdotool search --onlyvisible --name '^トルモ -Tolmo-$' >/dev/null 2>&1 && fail "a notice on the second start"
[ "$(geometry "$win")" = "60,100 700x500" ] || fail "second start at $(geometry "$win"), expected 60,100 700x500"
import -window root "$SHOTS/first_start-3-second.png"
close_program
grep -qx 'FuncChk=0' "$INI" || fail "FuncChk=0 not kept"
grep -qx 'Browser=/usr/bin/firefox' "$INI" || fail "Browser not kept"
grep -qx "vInfoChien=$chien" "$INI" || fail "vInfoChien changed"
grep -qx 'isZenkai=1' "$INI" || fail "isZenkai lost"
grep -qx 'keep=this' "$INI" || fail "unrelated section lost"
grep -qx 'fmTop=100' "$INI" || fail "bounds not written back"

# --- the data folder removed: the next start says it makes it again ------------------------
rm -rf "$XDG_CONFIG_HOME/Brix/Tolmo"
"$TOLMO_BIN" & PID=$!
box=$(wait_window '^トルモ -Tolmo-$') || fail "no notice about the missing data folder"
import -window root "$SHOTS/first_start-4-notice.png"
xdotool key Return
win=$(wait_window "$MAIN") || fail "no main window after the notice"
[ -d "$XDG_CONFIG_HOME/Brix/Tolmo" ] || fail "data folder not made again"
close_program
echo "first start: OK"
