#!/bin/bash
# A real installation: `cmake --install` (what `make install PREFIX=...` runs) into a temporary
# prefix puts the program, its companion files, the desktop entry, the icons and the metainfo
# where a desktop expects them; the entry and the metainfo validate, and the installed program
# starts and shows its guide. With CPack at hand, the Debian package carries the same files and computed dependencies.
set -u
BIN=${TOLMO_BIN:?TOLMO_BIN names the program}
BUILD=${TOLMO_BUILD_DIR:?TOLMO_BUILD_DIR names the build folder}
. "$(dirname "$0")/../support/e2e_session.sh"
e2e_session install
PREFIX="$T/prefix with blank"

cmake --install "$BUILD" --prefix "$PREFIX" >"$T/install.log" 2>&1 || { cat "$T/install.log"; fail "install"; }
for f in bin/tolmo share/tolmo/HDay.dat share/icons/hicolor/scalable/apps/tolmo.svg; do
    [ -f "$PREFIX/$f" ] || fail "missing $f"
done
for s in 16 32 48 64 128 256; do
    png="$PREFIX/share/icons/hicolor/${s}x${s}/apps/tolmo.png"
    [ "$(file -b "$png" | grep -o "$s x $s")" = "$s x $s" ] || fail "icon $png: $(file -b "$png")"
done
[ -x "$PREFIX/bin/tolmo" ] || fail "the program is not executable"
entry=$(ls "$PREFIX"/share/applications/*.desktop) || fail "no desktop entry"
desktop-file-validate "$entry" || fail "invalid desktop entry"
grep -q '^MimeType=text/plain;$' "$entry" || fail "the entry does not offer text files"
meta=$(ls "$PREFIX"/share/metainfo/*.metainfo.xml) || fail "no metainfo"
appstreamcli validate --no-net --pedantic "$meta" >"$T/as.log" 2>&1 || { cat "$T/as.log"; fail "metainfo"; }
[ "$(basename "$entry" .desktop)" = "$(basename "$meta" .metainfo.xml)" ] || fail "entry and metainfo ids differ"

# Without a display, --help and --version still answer, and a plain start says in one line why
# it cannot show a window.
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANG=C.UTF-8 "$PREFIX/bin/tolmo" "$@"; }
nodisplay --help >"$T/help" 2>&1 || fail "--help failed: $(cat "$T/help")"
grep -q '^Usage: tolmo \[FILE...\]' "$T/help" || fail "--help: $(cat "$T/help")"
[ "$(nodisplay --version 2>&1)" = "tolmo 1.7.1.1" ] || fail "--version: $(nodisplay --version 2>&1)"
nodisplay "$T/docs/a.txt" >"$T/nodisplay" 2>&1 && fail "started without a display"
[ "$(wc -l <"$T/nodisplay")" = 1 ] && grep -q 'no display' "$T/nodisplay" || fail "no-display message: $(cat "$T/nodisplay")"
# The manual page is installed compressed and reads without a formatter warning.
man="$PREFIX/share/man/man1/tolmo.1.gz"
[ -f "$man" ] || fail "no manual page"
MANWIDTH=80 man --warnings -l "$man" 2>"$T/man.err" | grep -q 'memo editor for Japanese plain text' || fail "manual page"
[ -s "$T/man.err" ] && fail "manual page warnings: $(cat "$T/man.err")"

# The installed program starts, and その他 → "ReadMe.txt 表示" (fourth from the menu's end) opens
# the guide from share/tolmo/: the open-file list holds it at exit.
BIN="$PREFIX/bin/tolmo"
e2e_start
e2e_activate
KEY_PAUSE=0.5
key alt+o
key Up Up Up Up Return
sleep 1
e2e_stop
grep -q "^File[0-9]*=ReadMe.txt,.*$PREFIX/share/tolmo/" "$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini" ||
    fail "ReadMe.txt 表示 did not open the installed guide: $(grep '^File' "$XDG_CONFIG_HOME/Brix/Tolmo/Tolmo.ini")"
# The installed program keeps the user's texts in the user's data folder, not beside itself in
# the prefix (which a user cannot write).
[ -d "$XDG_DATA_HOME/tolmo/Files" ] || fail "no texts folder under $XDG_DATA_HOME/tolmo"
[ -e "$PREFIX/bin/Files" ] && fail "the installed program made its texts folder in the prefix"

if command -v cpack >/dev/null && command -v dpkg-deb >/dev/null; then
    (cd "$BUILD" && cpack -G DEB -B "$T/pkg") >"$T/cpack.log" 2>&1 || { cat "$T/cpack.log"; fail "cpack"; }
    deb=$(ls "$T"/pkg/tolmo_*.deb) || fail "no package"
    dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "dependencies not computed: $(dpkg-deb -f "$deb" Depends)"
    contents=$(dpkg-deb -c "$deb")
    grep -q '\./usr/bin/tolmo$' <<<"$contents" || fail "the package lacks /usr/bin/tolmo"
    grep -q '\./usr/share/tolmo/HDay.dat$' <<<"$contents" || fail "the package lacks HDay.dat"
    # Debian's own checker finds neither an error nor a warning in the package.
    if command -v lintian >/dev/null; then
        lintian --fail-on error,warning "$deb" >"$T/lintian.log" 2>&1 || { cat "$T/lintian.log"; fail "lintian"; }
    fi
fi
echo "make install: OK"
