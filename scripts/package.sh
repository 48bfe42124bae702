#!/usr/bin/env bash
# Builds the Debian package (build/quantrel_<version>_amd64.deb) after checking the
# desktop entry and the AppStream metainfo. Install it with
#   sudo apt-get install ./build/quantrel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
missing=()
for p in desktop-file-utils appstream dpkg-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

desktop-file-validate packaging/org.quantrel.quantrel.desktop
appstreamcli validate --no-net --pedantic packaging/org.quantrel.quantrel.metainfo.xml

# "default" and "ci" both build in build/.
preset="${1:-default}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target quantrel quantrel-tape quantrel_icon_files
(cd build && cpack -G DEB)
ls -1 build/quantrel_*.deb
