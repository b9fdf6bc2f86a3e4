#!/bin/sh
# Installs the Debian 12 packages the build, the program and the tests need.
# Safe to run again: apt-get skips what is already there.
set -eu

packages="
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins qt6-translations-l10n
  libsimpleini-dev libsqlite3-dev sqlite3
  libgtest-dev googletest
  clang libclang-rt-14-dev
  xvfb xauth libx11-dev libxtst-dev fonts-dejavu-core fonts-liberation2
"

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
