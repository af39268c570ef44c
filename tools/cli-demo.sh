#!/usr/bin/env bash
# The unattended side of the program's main job: build, start the demo
# enquiry server on loopback, and query codes of every kind through
# quorvan-cli against it. The server is stopped however the script ends.
# Usage: tools/cli-demo.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build "$root/tools/build.sh"

bin=$build/bin
home=$build/demo-home
mkdir -p "$home"

# shellcheck source=tools/demo-common.sh
. "$root/tools/demo-common.sh"
start_demo_server "$bin"
echo "Demo server on $demo_base; program folder $home"
point_addresses_at_server "$home/Quorvan.ini"

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
    echo "cli-demo.sh: expected exit status $expected" >&2
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
  echo "cli-demo.sh: some enquiries did not end as expected" >&2
  exit 1
fi
echo "cli-demo.sh: all enquiries ended as expected"
