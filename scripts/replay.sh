#!/usr/bin/env bash
# Usage: scripts/replay.sh RECORDING
# Replays a recording in the message-log record format ("PRN yy mm dd hh nn ss type HEX", one a
# line) through the bundled server on a free loopback port, looped, and starts the application
# against it in the work folder build/replay/<recording name>, whose userapp.cfg is written anew
# at each start: the server's port, and a GEO row that names the recording's GEO on that port.
# The server stops when the application exits.
set -euo pipefail

if [ $# -ne 1 ] || [ "$1" = "-h" ] || [ "$1" = "--help" ]; then
  echo "usage: $0 RECORDING" >&2
  exit 2
fi
recording="$(realpath -e -- "$1" 2>/dev/null)" || { echo "$0: cannot read $1" >&2; exit 1; }
[ -f "$recording" ] && [ -r "$recording" ] || { echo "$0: cannot read $1" >&2; exit 1; }
cd "$(dirname "$0")/.."
source scripts/app-common.sh

# The GEO is the first field of the record lines; the first record names it.
prn="$(awk '$1 ~ /^[0-9]+$/ && NF >= 9 { print $1; exit }' "$recording")"
if [ -z "$prn" ]; then
  echo "$0: $1 holds no message record (PRN yy mm dd hh nn ss type HEX)" >&2
  exit 1
fi
others="$(awk -v prn="$prn" '$1 ~ /^[0-9]+$/ && NF >= 9 && $1 != prn { print $1 }' "$recording" | sort -u | tr '\n' ' ')"
[ -n "$others" ] && echo "The recording also holds messages of GEO ${others}; the GEO row names $prn."

build_app
name="$(basename "$recording")"
work="build/replay/${name%.*}"
prepare_workdir "$work"

# Port 0: the server takes a free port and says which in its first line.
log="$work/server.log"
build/tools/du2ro-server --address 127.0.0.1 --port 0 --recording "$recording" --loop >"$log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
port=""
for _ in $(seq 100); do
  port="$(sed -n 's/^listening on 127\.0\.0\.1:\([0-9]*\),.*/\1/p' "$log")"
  [ -n "$port" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$port" ]; then
  cat "$log" >&2
  echo "$0: the replay server did not start" >&2
  exit 1
fi

{
  printf '%s\r\n' IPServer 127.0.0.1 PortClient 6666 PortServer "$port" MessageRequestMethod Subscribe \
    VelmarGpsDir " " ESPDir " " NoSISMargin 60 BufLen 15 BufPer 10 GEO1 "$prn;GEO-$prn;SBAS;$port;"
  for row in 2 3 4 5 6; do
    printf '%s\r\n' "GEO$row" " ; ; ; ;"
  done
  printf '%s\r\n' EndOfConfigFile EndOfConfigFile
} >"$work/userapp.cfg"

echo "Replaying $name (GEO $prn) on 127.0.0.1:$port; the server's log is $log."
echo "Press Connect and enter any user name and password."
start_app "$work"
