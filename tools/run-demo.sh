#!/usr/bin/env bash
# The main job: installs what is needed, builds, starts the reference server with its demo
# database, binds this computer to a demo user and starts the client against it. The server
# stops when the client exits.
#
#   tools/run-demo.sh                        # this computer logs in as the dealer BAYI
#   B2B_DEMO_USER=TEMSILCI1 tools/run-demo.sh  # ... or as any other demo user
#   tools/run-demo.sh --no-build             # skip install and build (binaries already in build/bin)
#
# Environment: BUILD_DIR (build), B2B_DEMO_DB (BUILD_DIR/demo/b2b-demo.sqlite), B2B_DEMO_USER (BAYI),
# B2B_DEMO_PORT (9090), B2B_DEMO_WEB_PORT (8080). Other arguments go to b2b-client.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=1
if [ "${1:-}" = "--no-build" ]; then
  BUILD=0
  shift
fi
if [ "$BUILD" = 1 ]; then
  bash tools/install-deps.sh
  bash tools/build.sh
fi

BUILD_DIR=${BUILD_DIR:-build}
BIN="$BUILD_DIR/bin"
DB=${B2B_DEMO_DB:-"$BUILD_DIR/demo/b2b-demo.sqlite"}
DEMO_USER=${B2B_DEMO_USER:-BAYI}
PORT=${B2B_DEMO_PORT:-9090}
WEB_PORT=${B2B_DEMO_WEB_PORT:-8080}
for exe in b2b-server b2b-client; do
  if [ ! -x "$BIN/$exe" ]; then
    echo "run-demo: $BIN/$exe is missing (build first, or drop --no-build)" >&2
    exit 1
  fi
done
mkdir -p "$(dirname "$DB")" "$BUILD_DIR/demo"

# The login is bound to the computer: the server returns the user record registered for this
# machine id. Binding before the server starts also creates and seeds the database on first use.
MACHINE_ID=$("$BIN/b2b-client" --machine-id)
if [ -z "$MACHINE_ID" ]; then
  echo "run-demo: this computer has neither a disk serial number nor a network adapter address;" >&2
  echo "          the server cannot register it, so the login will be refused." >&2
else
  echo "Preparing the demo database $DB (the first start builds the catalogue, please wait) ..."
  "$BIN/b2b-server" --db "$DB" assign "$MACHINE_ID" "$DEMO_USER"
fi

"$BIN/b2b-server" --db "$DB" --port "$PORT" --web-port "$WEB_PORT" >"$BUILD_DIR/demo/server.log" 2>&1 &
SERVER_PID=$!
stop_server() {
  kill "$SERVER_PID" 2>/dev/null || true
  wait "$SERVER_PID" 2>/dev/null || true
}
trap stop_server EXIT

ready=0
for _ in $(seq 1 240); do
  if curl -fsS "http://127.0.0.1:$WEB_PORT/ip" >/dev/null 2>&1; then
    ready=1
    break
  fi
  if ! kill -0 "$SERVER_PID" 2>/dev/null; then break; fi
  sleep 0.5
done
if [ "$ready" != 1 ]; then
  echo "run-demo: the reference server did not start; its log:" >&2
  cat "$BUILD_DIR/demo/server.log" >&2 || true
  exit 1
fi

cat <<EOF

Reference server: remote methods on 127.0.0.1:$PORT, web site on 127.0.0.1:$WEB_PORT (log: $BUILD_DIR/demo/server.log)
This computer ($MACHINE_ID) logs in as $DEMO_USER. Demo users (user name / password):

  BAYI       BAYI123     dealer
  TEMSILCI1  TEMSIL123   representative, type 1 (own customers)
  TEMSILCI2  TEMSIL456   representative, type 2 (all customers)
  TIP3       TIP3123     user type 3
  TIP4       TIP4123     user type 4

Only the user bound to this computer is accepted; for another role run
  B2B_DEMO_USER=TEMSILCI1 tools/run-demo.sh
Type the user name and password in the login window (letters are upper-cased as you type).

EOF

# The server answers on loopback, so the client's public host is 127.0.0.1: the echo service
# reports 127.0.0.1 as well, which is not the configured public address, so the public settings stay.
set +e
"$BIN/b2b-client" --host 127.0.0.1 --port "$PORT" --web-port "$WEB_PORT" "$@"
rc=$?
set -e
exit "$rc"
