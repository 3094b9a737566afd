#!/bin/sh
# Installs the Debian 12 packages needed to build, test and run Vantreo.
set -e
packages="cmake g++ make ccache qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
  libqt6svg6 libgl1-mesa-dev libgtest-dev fonts-dejavu-core xvfb xauth
  fonts-noto-core fonts-noto-cjk fonts-noto-color-emoji
  xdg-utils libglib2.0-bin
  assistant-qt6 libqt6sql6-sqlite qt6-documentation-tools qt6-tools-dev
  dpkg-dev file desktop-file-utils appstream lintian devscripts
  libcups2-dev cups-daemon cups-client printer-driver-cups-pdf poppler-utils libicu-dev
  python3-vobject libkf5contacts-dev abook
  qtkeychain-qt6-dev radicale openssl"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi
