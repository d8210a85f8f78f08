#!/bin/bash
# First start under a fresh HOME: the data folder made without a notice, and closing writes
# ~/.config/Brix/Tolmo/Tolmo.ini with every key in order and nothing else beside it. (The window's
# place and the values are the core and widget tests' cases.)
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
[ "$(ls -A "$XDG_CONFIG_HOME/Brix/Tolmo" | tr "\n" " ")" = "Tolmo.ini Tolmo.rec " ] || fail "stray files: $(ls -A "$XDG_CONFIG_HOME/Brix/Tolmo")"

echo "first start: OK"
