# Sourced by the demo scripts: starts quorvan-demo-server on a free loopback
# port (stopped however the script ends) and points a program folder's
# enquiry addresses at it.

# start_demo_server BIN_DIR: sets $demo_base to the server's address.
start_demo_server() {
  local bin=$1 started
  started=$(mktemp)
  "$bin/quorvan-demo-server" --port 0 >"$started" &
  demo_server_pid=$!
  trap 'kill "$demo_server_pid" 2>/dev/null || true; wait "$demo_server_pid" 2>/dev/null || true' EXIT
  local port=""
  for _ in $(seq 100); do
    port=$(sed -n 's/^PORT //p' "$started")
    [ -n "$port" ] && break
    kill -0 "$demo_server_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$started"
  if [ -z "$port" ]; then
    echo "$(basename "$0"): the demo server did not start" >&2
    exit 1
  fi
  demo_base="http://127.0.0.1:$port"
}

# point_addresses_at_server INI: section "INDIRIZZIWEB" of the configuration
# file points at $demo_base; every other section is kept.
point_addresses_at_server() {
  local ini=$1
  touch "$ini"
  awk 'BEGIN { skip = 0 }
       /^\[/ { skip = (toupper($0) ~ /^\[INDIRIZZIWEB\]/) }
       !skip { print }' "$ini" >"$ini.tmp"
  printf '[INDIRIZZIWEB]\r\nEXPORT=%s\r\nTRANSITI=%s\r\nVAT=%s\r\nVATPIVA=&piva=\r\n' \
    "$demo_base/ed/servizi/esportazione/export.htm?mrn=" \
    "$demo_base/ed/servizi/ecustoms/transito/mrn/transito.htm?mrn=" \
    "$demo_base/servizi/vies/vies.htm?act=piva&stato=" >>"$ini.tmp"
  mv "$ini.tmp" "$ini"
}
