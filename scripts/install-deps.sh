#!/usr/bin/env bash
# Installs the Debian packages the build, the program and its tests need, when any is missing.
# Runs as root, or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ccache pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n qt6-svg-dev libgl-dev
  libxcb1-dev libxss-dev libdbus-1-dev
  libical-dev tzdata qtkeychain-qt6-dev libmosquitto-dev
  qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools qt6-httpserver-dev
  libwayland-dev libwayland-bin wayland-protocols qt6-wayland qt6-wayland-dev qt6-base-private-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-ipafont-gothic fonts-ipafont-mincho fontconfig fonts-dejavu-extra
  weston sway
  xvfb openbox trayer xdotool imagemagick x11-utils x11-xserver-utils dbus-daemon dbus-x11
  dunst libnotify-bin xscreensaver xss-lock xsecurelock
  mosquitto mosquitto-clients radicale apache2-utils gnome-keyring libsecret-tools
  lxqt-panel xfce4-panel
  python3 python3-gi python3-dbus gir1.2-glib-2.0 python3-fusepy at-spi2-core gir1.2-atspi-2.0
  desktop-file-utils appstream man-db dpkg-dev file hicolor-icon-theme
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "error: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
