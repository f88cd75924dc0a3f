#!/usr/bin/env bash
# Installs the Debian packages the game, the forge and the tests need. Safe to run again:
# it only installs what is missing (as root through apt-get, otherwise through sudo).
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  liballegro4-dev libloadpng4-dev libjpgalleg4-dev libsdl2-mixer-dev
  libfreetype-dev fonts-dejavu-core fonts-liberation2 libvorbis-dev libogg-dev
  libgtest-dev xvfb xdotool x11-apps imagemagick
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
