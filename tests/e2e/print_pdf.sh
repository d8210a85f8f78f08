#!/bin/bash
# Printing end to end without a printer: Ctrl+P opens the print dialog on a Japanese memo and
# 印刷実行 writes the PDF file named in the save dialog; pdftotext reads back every character of
# the text in order (a row cut inside a character would lose one). Header keywords, footers, line
# numbers and the preview are the core and widget tests' cases.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
command -v pdftotext >/dev/null || { echo "pdftotext missing (tools/install-deps.sh installs poppler-utils)"; exit 1; }
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session print
MEMO=$T/docs/memo.txt
PDF=$T/out/memo.pdf
mkdir -p "$T/out"
python3 - "$MEMO" <<'PY'
import sys
lines = ["印刷のテスト memo", ""]
lines.append("吾輩は猫である。名前はまだ無い。" * 6 + " English words stay whole when wrapped across rows.")
for i in range(4, 30):
    lines.append("%d行目: 日本語と English の混ざった行です。" % i)
open(sys.argv[1], "wb").write("\r\n".join(lines).encode("cp932"))
PY

KEY_PAUSE=0.4
focus() { xdotool windowfocus --sync "$1" 2>/dev/null; sleep 0.3; }

e2e_start "$MEMO"
focus "$WIN"
key ctrl+p
DLG=$(e2e_find_window "^印刷$")
[ -n "$DLG" ] || fail "no print dialog"
focus "$DLG"
shot print-dialog

# Print: the PDF choice asks for the file.
key alt+p
SAVE=$(e2e_find_window "PDFファイルに印刷")
[ -n "$SAVE" ] || fail "no file dialog for the PDF"
focus "$SAVE"
key ctrl+a
xdotool type --delay 20 "$PDF"
key Return
for _ in $(seq 100); do [ -s "$PDF" ] && break; sleep 0.1; done
[ -s "$PDF" ] || fail "no PDF written"
sleep 0.5
focus "$DLG"
key alt+q
sleep 0.5

# All characters of the text, in order, with nothing cut inside a character.
body=$(pdftotext -layout "$PDF" - | tr -d ' \n\f')
want=$(python3 -c "import sys; print(open(sys.argv[1],'rb').read().decode('cp932').replace(' ','').replace('\r\n',''), end='')" "$MEMO")
[[ "$body" == *"$want"* ]] || fail "the printed text differs from the memo"
e2e_stop
echo "1 passed, 0 failed"
