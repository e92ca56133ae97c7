#!/usr/bin/env bash
# Installs the Debian packages the build, the tests or the run need, only those missing.
# --package adds what making and checking the Debian package needs; other arguments are packages.
set -euo pipefail

extra=()
for a in "$@"; do
  if [ "$a" = "--package" ]; then
    # dpkg-shlibdeps and file for the dependencies, then lintian and the desktop validators.
    extra+=(dpkg-dev file lintian desktop-file-utils appstream)
  else
    extra+=("$a")
  fi
done
packages=(g++ make cmake qt6-base-dev qt6-charts-dev qt6-serialport-dev libqt6opengl6-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev "${extra[@]}")
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
