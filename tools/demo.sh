#!/usr/bin/env bash
# The desktop program on a demo program folder: builds, starts the demo
# enquiry server on a free loopback port, points the folder's enquiry
# addresses at it and opens `quorvan`. The server stops when the program
# closes (or however the script ends).
#
# Usage: tools/demo.sh [--screenshots]
#   --screenshots   instead of opening the program, take the pictures of the
#                   main window, the single enquiry window, the batch window on
#                   the demo list run into the archive, the archive browser
#                   on its results and the workbook update window after a run
#                   over a fresh copy of the demo workbook, and of the
#                   database's windows (nations, colours, upgrade, repair,
#                   save, restore, update check) into docs/screenshots/
#                   (under Xvfb when there is no display)
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

# The demo workbook "Dichiarazioni.xlsx" (sheet "Maggio", MRNs in column C,
# status in E) and the keys of "Aggiorna XLS" on it: written by libxlsxwriter
# from tools/demo_dichiarazioni.txt when missing, afresh for the pictures, so
# that there is a status column to fill.
book=$home/Dichiarazioni.xlsx
if [ "$mode" = screenshots ] || [ ! -e "$book" ]; then
  "$bin/genera_cartella" "$book" "$root/tools/demo_dichiarazioni.txt"
fi
if [ "$mode" = screenshots ] || ! grep -qi '^\[AGGEXCEL\]' "$home/Quorvan.ini"; then
  awk 'BEGIN { skip = 0 } /^\[/ { skip = (toupper($0) ~ /^\[AGGEXCEL\]/) } !skip { print }' \
    "$home/Quorvan.ini" >"$home/Quorvan.ini.tmp"
  printf '[AGGEXCEL]\r\nEXCEL=%s\r\nFOGLIO=Maggio\r\nCOLMRN=3\r\nCOLSTS=5\r\n' "$book" >>"$home/Quorvan.ini.tmp"
  mv "$home/Quorvan.ini.tmp" "$home/Quorvan.ini"
fi

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
  # The database's windows, each on a sample folder of its own (a build with tests).
  if cmake --build "$build" --target qv_mostra_finestre_database >/dev/null 2>&1; then
    for w in nazioni:nazioni colori:colori aggiornadb:aggiornadb riparadb:riparadb SalvaArk:salva_ark \
      RestoreArk:restore_ark Aggiorna:aggiorna; do
      QUORVAN_BIN_DIR=$bin "${run[@]}" "$bin/qv_mostra_finestre_database" "${w%%:*}" \
        "$root/docs/screenshots/${w#*:}.png"
    done
  fi
  echo "demo.sh: pictures in docs/screenshots/"
  exit 0
fi

echo "Demo server on $base; program folder $home"
echo "Try \"&Singolo\" with 24IT123456789012E1 (export), 24IT123456789012T6 (transit),"
echo "24IT123456789012E5 (pending); \"&Elenco\" runs the demo list ElencoMRN.txt of the program"
echo "folder into the archive, \"&Archivio\" browses it; \"Aggiorna XLS\" fills the status column"
echo "of Dichiarazioni.xlsx in the program folder; the rule is in docs/demo-server.md."
if [ -n "${QUORVAN_DEMO_SECONDS:-}" ]; then
  status=0
  QUORVAN_HOME=$home timeout "$QUORVAN_DEMO_SECONDS" "${run[@]}" "$bin/quorvan" || status=$?
  # 124: closed by the timeout, as asked.
  [ "$status" -eq 124 ] || [ "$status" -eq 0 ] || exit "$status"
else
  QUORVAN_HOME=$home "${run[@]}" "$bin/quorvan"
fi
