#!/usr/bin/env bash
# Installs the Debian packages named as arguments that are not installed yet; skips
# apt-get when every one is there.
set -euo pipefail

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
