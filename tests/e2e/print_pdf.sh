#!/bin/bash
# Printing end to end without a printer: Ctrl+P opens the print dialog on a Japanese memo, the
# preview shows its pages, and 印刷実行 writes the PDF file named in the save dialog. pdftotext
# reads back the header with today's date, the footer "- 1 -", the line numbers and every
# character of the text (a row cut inside a character would lose one). Screenshots of the
# dialog's tabs and of the preview's zoom modes land in $TOLMO_E2E_SHOTS when set.
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
# Stored settings: header on the left, footer centred, line numbers (the rest as configured).
python3 - "$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini" <<'PY'
import struct, sys
def i(name, v):
    return bytes([len(name)]) + name.encode() + b"i" + struct.pack("<i", v)
data = i("HeaderAlign", 1) + i("FooterAlign", 2) + i("LineNumber", 1) + i("End", 3)
hexd = data.hex().upper()
rows = [hexd[k:k + 64] for k in range(0, len(hexd), 64)]
with open(sys.argv[1], "w") as f:
    f.write("[Property]\nPropPrn_c=%d\n" % len(rows))
    for k, r in enumerate(rows):
        f.write("PropPrn_d%d=%s\n" % (k, r))
PY

KEY_PAUSE=0.4
focus() { xdotool windowfocus --sync "$1" 2>/dev/null; sleep 0.3; }

e2e_start "$MEMO"
focus "$WIN"

key ctrl+p
DLG=$(e2e_find_window "^印刷$")
[ -n "$DLG" ] || fail "no print dialog"
focus "$DLG"
shot print-dialog-tab1
key ctrl+Tab
shot print-dialog-tab2
key ctrl+Tab
shot print-dialog-tab3
key ctrl+Tab

# The preview in its three zoom modes.
key alt+v
PRV=$(e2e_find_window "印刷プレビュー")
[ -n "$PRV" ] || fail "no preview"
focus "$PRV"
sleep 0.5
shot print-preview-actual
key alt+k
shot print-preview-fit-height
key alt+l
shot print-preview-fit-width
key alt+q
sleep 0.5
focus "$DLG"

# Print: the PDF choice asks for the file.
key alt+p
SAVE=$(e2e_find_window "PDFファイルに印刷")
[ -n "$SAVE" ] || fail "no file dialog for the PDF"
focus "$SAVE"
key ctrl+a
xdotool type --delay 20 "$PDF"
key Return
e2e_wait_for 100 test -s "$PDF" || fail "no PDF written"
sleep 0.5
focus "$DLG"
key alt+q
sleep 0.5

TEXT=$(pdftotext -layout "$PDF" -)
today=$(date +'%Y年 %-m月 %-d日')
grep -q "$today" <<<"$TEXT" || fail "no header with today's date: $(head -3 <<<"$TEXT")"
# The default header ends with %f: the page's file with its folder.
head -3 <<<"$TEXT" | grep -qF "$MEMO" || fail "no file name in the header: $(head -3 <<<"$TEXT")"
grep -q -- "- 1 -" <<<"$TEXT" || fail "no footer - 1 -"
grep -qE '^ *1:' <<<"$TEXT" || fail "no line number 1:"
grep -qE '^ *3:.*吾輩は猫' <<<"$TEXT" || fail "line 3 without its number"
# Every row of the wrapped line 3 repeats its number.
[ "$(grep -cE '^ *3:' <<<"$TEXT")" -ge 2 ] || fail "the wrapped line's rows lack their numbers"
# All characters of the text, in order, with nothing cut inside a character.
body=$(sed -E 's/^ *[0-9]+://' <<<"$TEXT" | tr -d ' \n\f')
want=$(python3 -c "import sys; print(open(sys.argv[1],'rb').read().decode('cp932').replace(' ','').replace('\r\n',''), end='')" "$MEMO")
[[ "$body" == *"$want"* ]] || fail "the printed text differs from the memo"
grep -q "PropPrn_c" "$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini" || fail "settings not kept"

e2e_stop
echo "1 passed, 0 failed"
