#!/bin/bash
# First start under a fresh HOME: the data folder made without a notice, the main window centred
# at 779 x 575, closing writes ~/.config/Brix/Tolmo/Tolmo.ini with every key in order, a second
# start reads the values back (and keeps what it does not know), and a start after the data
# folder was removed says that it is made again.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
E2E_SCREEN=1280x1024
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session first_start
rmdir "$XDG_CONFIG_HOME/Brix/Tolmo" "$XDG_CONFIG_HOME/Brix"
INI="$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini"
NOTICE='^トルモ -Tolmo-$'

geometry() { xdotool getwindowgeometry "$WIN" | awk '/Position/{split($2,p,",")} /Geometry/{g=$2} END{print p[1]","p[2]" "g}'; }

# --- first start ---------------------------------------------------------------------------
e2e_start
[ -z "$(e2e_find_window "$NOTICE" 5)" ] || fail "a notice on a true first start"
[ "$(geometry)" = "250,224 779x575" ] || fail "main window at $(geometry), expected 250,224 779x575"
shot first_start-2-main
[ -d "$XDG_CONFIG_HOME/Brix/Tolmo" ] || fail "data folder not created"
e2e_stop
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
for line in Version=Ver1.7.1.1 fmTop=224 fmLeft=250 fmWidth=779 fmHeight=575 FuncChk=1 StatChk=1 \
    TabColorAct=clBtnFace; do
    grep -qx "$line" "$INI" || fail "not written: $line"
done
chien=$(sed -n 's/^vInfoChien=//p' "$INI")
[ "$chien" -ge 1 ] && [ "$chien" -le 99 ] || fail "vInfoChien $chien not drawn from 1..99"
[ "$(ls -A "$XDG_CONFIG_HOME/Brix/Tolmo" | tr "\n" " ")" = "Tolmo.ini Tolmo.rec " ] || fail "stray files: $(ls -A "$XDG_CONFIG_HOME/Brix/Tolmo")"

# --- second start reads the values back ------------------------------------------------------
sed -i -e 's/^FuncChk=1/FuncChk=0/' -e 's/^fmTop=224/fmTop=100/' -e 's/^fmLeft=250/fmLeft=60/' \
    -e 's/^fmWidth=779/fmWidth=700/' -e 's/^fmHeight=575/fmHeight=500/' \
    -e 's|^Browser=|Browser=/usr/bin/firefox|' "$INI"
printf '[Set]\nisZenkai=1\n\n[Mine]\nkeep=this\n' >> "$INI"
e2e_start
[ -z "$(e2e_find_window "$NOTICE" 5)" ] || fail "a notice on the second start"
[ "$(geometry)" = "60,100 700x500" ] || fail "second start at $(geometry), expected 60,100 700x500"
shot first_start-3-second
e2e_stop
for line in FuncChk=0 Browser=/usr/bin/firefox "vInfoChien=$chien" isZenkai=1 keep=this fmTop=100; do
    grep -qx "$line" "$INI" || fail "not kept: $line"
done

# --- the data folder removed: the next start says it makes it again ------------------------
rm -rf "$XDG_CONFIG_HOME/Brix/Tolmo"
"$BIN" 2>"$T/stderr.notice" & PID=$!
[ -n "$(e2e_find_window "$NOTICE" 300)" ] || fail "no notice about the missing data folder"
shot first_start-4-notice
xdotool key Return
[ -n "$(e2e_find_window '^  トルモ - Tolmo - $' 300)" ] || fail "no main window after the notice"
[ -d "$XDG_CONFIG_HOME/Brix/Tolmo" ] || fail "data folder not made again"
e2e_stop
echo "first start: OK"
