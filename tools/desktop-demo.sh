#!/usr/bin/env bash
# The desktop program on a demo program folder: builds, starts the demo
# enquiry server on a free loopback port, points the folder's enquiry
# addresses at it and opens `quorvan`. The server stops when the program
# closes (or however the script ends).
#
# Usage: tools/desktop-demo.sh [--screenshots]
#   --screenshots   instead of opening the program, take the pictures of the
#                   main window and the single enquiry window into
#                   docs/screenshots/ (under Xvfb when there is no display)
# Environment: BUILD_DIR (default build/), QUORVAN_DEMO_HOME (default
# demo-home/), QUORVAN_DEMO_SECONDS (close the program after that many seconds,
# for unattended checks), SKIP_BUILD=1 (use what BUILD_DIR holds already).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
home=${QUORVAN_DEMO_HOME:-$root/demo-home}
mode=open
[ "${1:-}" = "--screenshots" ] && mode=screenshots

[ "${SKIP_BUILD:-}" = 1 ] || BUILD_DIR=$build "$root/tools/build.sh"
bin=$build/bin
mkdir -p "$home"

started=$(mktemp)
"$bin/quorvan-demo-server" --port 0 >"$started" &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -f "$started"' EXIT

port=""
for _ in $(seq 100); do
  port=$(sed -n 's/^PORT //p' "$started")
  [ -n "$port" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "desktop-demo.sh: the demo server did not start" >&2
  exit 1
fi
base="http://127.0.0.1:$port"

# Section "INDIRIZZIWEB" of the folder's configuration points at the server;
# every other section (placement, applications, nations) is kept.
ini="$home/Quorvan.ini"
touch "$ini"
awk 'BEGIN { skip = 0 }
     /^\[/ { skip = (toupper($0) ~ /^\[INDIRIZZIWEB\]/) }
     !skip { print }' "$ini" >"$ini.tmp"
printf '[INDIRIZZIWEB]\r\nEXPORT=%s\r\nTRANSITI=%s\r\nVAT=%s\r\nVATPIVA=&piva=\r\n' \
  "$base/ed/servizi/esportazione/export.htm?mrn=" \
  "$base/ed/servizi/ecustoms/transito/mrn/transito.htm?mrn=" \
  "$base/servizi/vies/vies.htm?act=piva&stato=" >>"$ini.tmp"
mv "$ini.tmp" "$ini"

# A display is needed; without one the program runs on a virtual one.
run=()
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  if command -v xvfb-run >/dev/null; then
    run=(xvfb-run -a)
    [ "$mode" = open ] && echo "desktop-demo.sh: no display, the program runs on a virtual one (Xvfb)"
  else
    export QT_QPA_PLATFORM=offscreen
  fi
fi

if [ "$mode" = screenshots ]; then
  "${run[@]}" "$bin/quorvan-schermate" "$home" "$root/docs/screenshots"
  echo "desktop-demo.sh: pictures in docs/screenshots/"
  exit 0
fi

echo "Demo server on $base; program folder $home"
echo "Try \"&Singolo\" with 24IT123456789012E1 (export), 24IT123456789012T6 (transit),"
echo "24IT123456789012E5 (pending); the rule is in docs/demo-server.md."
if [ -n "${QUORVAN_DEMO_SECONDS:-}" ]; then
  status=0
  QUORVAN_HOME=$home timeout "$QUORVAN_DEMO_SECONDS" "${run[@]}" "$bin/quorvan" || status=$?
  # 124: closed by the timeout, as asked.
  [ "$status" -eq 124 ] || [ "$status" -eq 0 ] || exit "$status"
else
  QUORVAN_HOME=$home "${run[@]}" "$bin/quorvan"
fi
