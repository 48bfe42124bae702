#!/usr/bin/env bash
# Builds the Debian package (build/quantrel_<version>_amd64.deb) after checking the
# desktop entry and the AppStream metainfo. Install it with
#   sudo apt-get install ./build/quantrel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh desktop-file-utils appstream dpkg-dev

desktop-file-validate packaging/org.quantrel.quantrel.desktop
appstreamcli validate --no-net --pedantic packaging/org.quantrel.quantrel.metainfo.xml

# "default" and "ci" both build in build/.
preset="${1:-default}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target quantrel quantrel-tape quantrel_icon_files
(cd build && cpack -G DEB)
ls -1 build/quantrel_*.deb
