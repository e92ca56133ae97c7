#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."

extra=()
[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && extra=(xvfb xauth)
bash scripts/install-deps.sh "${extra[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -Wno-dev
cmake --build build -j"$(nproc)"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting under a virtual X server."
  exec xvfb-run -a build/src/app/velmar-userapp
fi
exec build/src/app/velmar-userapp
