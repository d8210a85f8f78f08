#!/usr/bin/env bash
# Installs the system packages Tolmo needs to build, test and run, when any is missing.
# Uses apt-get directly as root, through sudo otherwise; prints the exact command when neither works.
set -u
PKGS=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  qt6-translations-l10n qt6-gtk-platformtheme qt6-xdgdesktopportal-platformtheme
  libicu-dev libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  python3 universal-ctags
  libx11-dev
  xvfb xauth xdotool x11-utils imagemagick poppler-utils twm
  desktop-file-utils appstream dpkg-dev file lintian man-db
  cups-daemon cups-client printer-driver-cups-pdf
  fonts-noto-cjk fonts-ipafont-gothic fonts-ipafont-mincho
  fcitx5 fcitx5-frontend-qt6 fcitx5-anthy
  qt6-wayland weston
  dbus dbus-daemon dbus-bin at-spi2-core python3-gi gir1.2-atspi-2.0
)
missing=()
for p in "${PKGS[@]}"; do
  st=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$st" == "install ok installed" ]] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing missing packages: ${missing[*]}"
cmd=(apt-get install -y --no-install-recommends "${missing[@]}")
export DEBIAN_FRONTEND=noninteractive
if [ "$(id -u)" -eq 0 ]; then
  apt-get update -qq && "${cmd[@]}" && exit 0
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  sudo -n apt-get update -qq && sudo -n env DEBIAN_FRONTEND=noninteractive "${cmd[@]}" && exit 0
fi
echo "Could not install the packages Tolmo needs. Run this as root, then try again:" >&2
echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
exit 1
