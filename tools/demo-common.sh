# Sourced by the demo scripts: starts quorvan-demo-server on a free loopback
# port (stopped however the script ends) and points a program folder's
# enquiry addresses at it.

# start_demo_server BIN_DIR [SERVER OPTIONS]: sets $demo_base to the server's address.
start_demo_server() {
  local bin=$1 started
  shift
  started=$(mktemp)
  "$bin/quorvan-demo-server" --port 0 "$@" >"$started" &
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
# file points at $demo_base, and so does the maker's site of the update check
# (section "AGGIORNA", key "ZENTRI"); every other section is kept.
point_addresses_at_server() {
  local ini=$1
  touch "$ini"
  awk 'BEGIN { skip = 0 }
       /^\[/ { skip = (toupper($0) ~ /^\[(INDIRIZZIWEB|AGGIORNA)\]/) }
       !skip { print }' "$ini" >"$ini.tmp"
  printf '[INDIRIZZIWEB]\r\nEXPORT=%s\r\nTRANSITI=%s\r\nVAT=%s\r\nVATPIVA=&piva=\r\n' \
    "$demo_base/ed/servizi/esportazione/export.htm?mrn=" \
    "$demo_base/ed/servizi/ecustoms/transito/mrn/transito.htm?mrn=" \
    "$demo_base/servizi/vies/vies.htm?act=piva&stato=" >>"$ini.tmp"
  printf '[AGGIORNA]\r\nZENTRI=%s/\r\n' "${demo_base#http://}" >>"$ini.tmp"
  mv "$ini.tmp" "$ini"
}

# write_demo_list FOLDER: "ElencoMRN.txt" with codes of every kind the demo
# server answers (export done, pending, refused; transit discharged, with its
# export page; an error page), unless the folder has its own list already.
write_demo_list() {
  local list=$1/ElencoMRN.txt
  [ -e "$list" ] && return 0
  printf '%s\r\n' 24IT123456789012E1 24IT123456789012E2 24IT123456789012E5 24IT123456789012E6 \
    24IT123456789012E8 23DE123456789012E3 23FR123456789012T2 24IT123456789012T6 \
    24AT123456789012T7 24IT123456789012T9 22ES123456789012E4 24IT123456789012E9 >"$list"
}
