#!/usr/bin/env bash
# Installs the Debian packages the build, the tests or the run need, only those missing.
set -euo pipefail

packages=(g++ make cmake qt6-base-dev qt6-charts-dev qt6-serialport-dev libqt6opengl6-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev "$@")
packages+=(xplanet-images imagemagick) # the world picture of the grid maps
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
