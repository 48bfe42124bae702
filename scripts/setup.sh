#!/usr/bin/env bash
# Installs what Quantrel needs to build, test and run on Debian 12.
# Skips apt-get when everything is already there.
set -euo pipefail

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

packages=(
  g++ cmake ninja-build
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  fonts-liberation2  # an Arial-metric face for the display
  locales
  # the desktop test: a window manager that frames windows, on a virtual display
  xvfb openbox xdotool x11-utils trayer
)

bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"

# The tests read numbers under a comma-decimal and a point-decimal locale.
for want in en_US de_DE; do
  if ! locale -a 2>/dev/null | grep -qi "^${want}\.utf-\?8$"; then
    $sudo sed -i "s/^# *\(${want}\.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    need_gen=1
  fi
done
if [ "${need_gen:-0}" = 1 ]; then
  $sudo locale-gen
fi
