#!/usr/bin/env bash
# The program's main job, until the desktop program exists: build, start the
# demo enquiry server on loopback, and query codes of every kind through
# quorvan-cli against it. The server is stopped however the script ends.
# Usage: tools/demo.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build "$root/tools/build.sh"

bin=$build/bin
home=$build/demo-home
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
  echo "demo.sh: the demo server did not start" >&2
  exit 1
fi
base="http://127.0.0.1:$port"
echo "Demo server on $base; program folder $home"

# The demo program folder's configuration: the enquiry addresses point at
# the demo server (the rest of the file is left to the program).
printf '[INDIRIZZIWEB]\r\nEXPORT=%s\r\nTRANSITI=%s\r\nVAT=%s\r\nVATPIVA=&piva=\r\n' \
  "$base/ed/servizi/esportazione/export.htm?mrn=" \
  "$base/ed/servizi/ecustoms/transito/mrn/transito.htm?mrn=" \
  "$base/servizi/vies/vies.htm?act=piva&stato=" >"$home/Quorvan.ini"

failed=0
# code, expected exit status, what the demo server answers for it
query() {
  local code=$1 expected=$2 what=$3 status=0
  shift 3
  echo
  echo "== quorvan-cli query $code $*   ($what)"
  "$bin/quorvan-cli" --home "$home" query "$code" "$@" || status=$?
  echo "-- exit status $status"
  if [ "$status" -ne "$expected" ]; then
    echo "demo.sh: expected exit status $expected" >&2
    failed=1
  fi
}

query 24IT123456789012E1 0 "export declaration, exit confirmed"
query 24IT123456789012E0 0 "export declaration, page without the exit date's label"
query 24IT123456789012E5 0 "export declaration still pending"
query 24IT123456789012E7 0 "export declaration unknown to the service"
query 24IT123456789012T0 0 "transit: no transit data for the MRN"
query 24IT123456789012T2 0 "transit through two offices"
query 24IT123456789012T8 0 "transit through four offices, export page with data"
query IT12345678901 0 "VAT number, valid"
query IT12345678908 0 "VAT number, not valid"
query IT12345678909 0 "VAT number, VIES service error"
query 24IT123456789012X1 1 "rejected: wrong kind"
query IT123 1 "rejected: wrong VAT length"
query 24IT123456789012T4 0 "transit through four offices, as JSON" --json

echo
if [ "$failed" -ne 0 ]; then
  echo "demo.sh: some enquiries did not end as expected" >&2
  exit 1
fi
echo "demo.sh: all enquiries ended as expected"
