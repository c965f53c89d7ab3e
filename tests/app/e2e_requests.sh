#!/bin/sh
# End to end under Xvfb: the client against the reference server.
#  1. A server expecting version 3: the login opens the update window, which downloads the server's
#     setup script, runs it with "/silent" (the script writes a marker file) and ends the client.
#  2. A server that does not know this computer: the login shows the access request page; "Kapat"
#     ends the client with exit code 0.
# Usage: e2e_requests.sh B2B_CLIENT B2B_SERVER   (needs xvfb-run and xdotool)
set -eu

client=$1
server=$2

# Always on a private X server, never on the user's desktop.
if [ -z "${B2B_E2E_IN_XVFB:-}" ]; then
    B2B_E2E_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb

work=$(mktemp -d)
spid=""
cpid=""
cleanup() {
    [ -n "$cpid" ] && kill "$cpid" 2>/dev/null || true
    [ -n "$spid" ] && kill "$spid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    for f in "$work"/*.log; do echo "--- $f" >&2; cat "$f" >&2; done
    exit 1
}

# Starts a server with a fresh database; sets spid, port and webport.
start_server() { # name version
    "$server" --db "$work/$1.sqlite" --port 0 --web-port 0 --items 200 --version "$2" >"$work/$1-server.log" 2>&1 &
    spid=$!
    for _ in $(seq 1 300); do
        grep -q "web paths" "$work/$1-server.log" 2>/dev/null && break
        kill -0 "$spid" 2>/dev/null || fail "server $1 did not start"
        sleep 0.2
    done
    port=$(sed -n 's|.*handshake *http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$work/$1-server.log")
    webport=$(sed -n 's|.*web paths *http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$work/$1-server.log")
    [ -n "$port" ] && [ -n "$webport" ] || fail "no ports in the server's output"
}

stop_server() {
    kill "$spid" 2>/dev/null || true
    wait "$spid" 2>/dev/null || true
    spid=""
}

# Starts the client and logs in as the demo dealer.
start_client() { # name
    XDG_DATA_HOME="$work/$1-data" XDG_CONFIG_HOME="$work/$1-config" B2B_SETUP_MARKER="$work/marker" \
        "$client" --host 127.0.0.1 --port "$port" --web-port "$webport" --public-ip "" >"$work/$1-client.log" 2>&1 &
    cpid=$!
    xdotool search --sync --onlyvisible --name "." >/dev/null
    sleep 2
    xdotool type --delay 100 "BAYI"
    xdotool key Tab
    xdotool type --delay 100 "BAYI123"
    xdotool key Return
}

wait_client() { # seconds -> exit code in $rc
    rc=""
    for _ in $(seq 1 "$1"); do
        if ! kill -0 "$cpid" 2>/dev/null; then
            wait "$cpid" && rc=0 || rc=$?
            cpid=""
            return
        fi
        sleep 1
    done
    fail "the client did not end within $1 s"
}

# 1. Update.
start_server update 3
start_client update
wait_client 60
[ "$rc" = 0 ] || fail "update: client exit code $rc"
for _ in $(seq 1 50); do [ -s "$work/marker" ] && break; sleep 0.1; done
grep -q "arguments=/silent" "$work/marker" || fail "update: the setup script did not run with /silent"
grep -q "version=3" "$work/marker" || fail "update: not the server's setup script"
echo "update: setup script ran ($(tr '\n' ' ' <"$work/marker"))"
stop_server

# 2. Access request page.
start_server request 2
start_client request
win=$(timeout 30 xdotool search --sync --onlyvisible --name "Telvar Otomotiv B2B Merdal İstek Formu" | head -1) ||
    fail "request: the request page did not open"
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$WIDTH" = 780 ] && [ "$HEIGHT" = 555 ] || fail "request: window is ${WIDTH}x${HEIGHT}"
if [ -n "${B2B_E2E_SHOTS:-}" ]; then import -window root "$B2B_E2E_SHOTS/request-page.png"; fi
# "Kapat" sits at the left end of the bottom strip.
xdotool mousemove $((X + 60)) $((Y + HEIGHT - 20)) click 1
wait_client 20
[ "$rc" = 0 ] || fail "request: client exit code $rc"
echo "request: page shown, Kapat ended the client with 0"
echo "PASS"
