#!/usr/bin/env bash
# Installs what is missing, builds the application and the replay server (Release), starts the
# server on 127.0.0.1:7777 replaying the demo recording (looped) and the application against
# it in the work folder build/run; the server stops when the application exits.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/app-common.sh

build_app
work=build/run
prepare_workdir "$work"
# A first start begins from the example configuration, whose GEO row names the demo's GEO on
# port 7777; settings confirmed later are kept in the work folder's own copy.
if [ ! -e "$work/userapp.cfg" ]; then
  cp data/userapp.cfg.example "$work/userapp.cfg"
  echo "Started $work/userapp.cfg from data/userapp.cfg.example."
fi

build/tools/du2ro-server --address 127.0.0.1 --port 7777 --recording data/demo-recording.txt --loop &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT

start_app "$work"
