#!/usr/bin/env bash
# The desktop program on a demo program folder: builds, starts the demo
# enquiry server on a free loopback port, points the folder's enquiry
# addresses at it and opens `quorvan`. The server stops when the program
# closes (or however the script ends).
#
# Usage: tools/demo.sh [--screenshots]
#   --screenshots   instead of opening the program, take the pictures of the
#                   main window, the single enquiry window, the batch window on
#                   the demo list run into the archive and the archive browser
#                   on its results into docs/screenshots/ (under Xvfb when
#                   there is no display)
# Environment: BUILD_DIR (default build/), QUORVAN_DEMO_HOME (default
# build/demo-home/), QUORVAN_DEMO_SECONDS (close the program after that many seconds,
# for unattended checks), SKIP_BUILD=1 (use what BUILD_DIR holds already).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
home=${QUORVAN_DEMO_HOME:-$build/demo-home}
mode=open
[ "${1:-}" = "--screenshots" ] && mode=screenshots

[ "${SKIP_BUILD:-}" = 1 ] || BUILD_DIR=$build "$root/tools/build.sh"
bin=$build/bin
mkdir -p "$home"

# shellcheck source=tools/demo-common.sh
. "$root/tools/demo-common.sh"
# Pictures are taken during a list run: the server answers a little slower.
if [ "$mode" = screenshots ]; then start_demo_server "$bin" --latency 150; else start_demo_server "$bin"; fi
base=$demo_base
point_addresses_at_server "$home/Quorvan.ini"
write_demo_list "$home"

# A display is needed; without one the program runs on a virtual one.
run=()
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  if command -v xvfb-run >/dev/null; then
    run=(xvfb-run -a)
    [ "$mode" = open ] && echo "demo.sh: no display, the program runs on a virtual one (Xvfb)"
  else
    export QT_QPA_PLATFORM=offscreen
  fi
fi

if [ "$mode" = screenshots ]; then
  "${run[@]}" "$bin/quorvan-schermate" "$home" "$root/docs/screenshots"
  echo "demo.sh: pictures in docs/screenshots/"
  exit 0
fi

echo "Demo server on $base; program folder $home"
echo "Try \"&Singolo\" with 24IT123456789012E1 (export), 24IT123456789012T6 (transit),"
echo "24IT123456789012E5 (pending); \"&Elenco\" runs the demo list ElencoMRN.txt of the program"
echo "folder into the archive, \"&Archivio\" browses it; the rule is in docs/demo-server.md."
if [ -n "${QUORVAN_DEMO_SECONDS:-}" ]; then
  status=0
  QUORVAN_HOME=$home timeout "$QUORVAN_DEMO_SECONDS" "${run[@]}" "$bin/quorvan" || status=$?
  # 124: closed by the timeout, as asked.
  [ "$status" -eq 124 ] || [ "$status" -eq 0 ] || exit "$status"
else
  QUORVAN_HOME=$home "${run[@]}" "$bin/quorvan"
fi
