#!/bin/bash
# First start under a fresh HOME: the data folder made without a notice, the main window centred
# at 779 x 575, and closing writes ~/.config/Brix/Tolmo/Tolmo.ini with every key in order.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
E2E_SCREEN=1280x1024
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session first_start
rmdir "$XDG_CONFIG_HOME/Brix/Tolmo" "$XDG_CONFIG_HOME/Brix"
INI="$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini"

geometry() { xdotool getwindowgeometry "$WIN" | awk '/Position/{split($2,p,",")} /Geometry/{g=$2} END{print p[1]","p[2]" "g}'; }

e2e_start
[ -z "$(e2e_find_window '^トルモ -Tolmo-$' 5)" ] || fail "a notice on a true first start"
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

echo "first start: OK"
