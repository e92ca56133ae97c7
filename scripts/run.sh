#!/usr/bin/env bash
# Installs what is missing, builds in Release, starts the bundled replay server on
# 127.0.0.1:7777 and the application against it; the server stops when the application exits.
set -euo pipefail
cd "$(dirname "$0")/.."

extra=()
[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && extra=(xvfb xauth)
bash scripts/install-deps.sh "${extra[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -Wno-dev
# Only what runs here: the tests and benchmarks are the test command's business.
cmake --build build -j"$(nproc)" --target velmar-userapp du2ro-server
# The Help menu opens the manual and the disclaimer from the working directory, and the grid
# maps reload world.bmp from there at each reset.
cp build/help/*.pdf .
cp -f build/world.bmp world.bmp

build/tools/du2ro-server --address 127.0.0.1 --port 7777 --recording data/demo-recording.txt --loop &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting under a virtual X server."
  xvfb-run -a build/src/app/velmar-userapp
else
  build/src/app/velmar-userapp
fi
