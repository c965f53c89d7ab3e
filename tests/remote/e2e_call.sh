#!/bin/sh
# b2b-call against the reference server: a scalar, a login-record call, a table as text and JSON,
# a stream to a file, and a clear error for a bad call.
# Usage: e2e_call.sh B2B_CALL B2B_SERVER
set -eu
call=$1
server=$2
work=$(mktemp -d)
spid=""
cleanup() {
    [ -n "$spid" ] && kill "$spid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    cat "$work/server.log" >&2 || true
    exit 1
}

"$server" --db "$work/db.sqlite" --port 0 --web-port -1 --items 300 >"$work/server.log" 2>&1 &
spid=$!
port=""
for _ in $(seq 1 300); do
    port=$(sed -n 's|.*handshake *http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$work/server.log")
    [ -n "$port" ] && break
    kill -0 "$spid" 2>/dev/null || fail "server did not start"
    sleep 0.2
done
[ -n "$port" ] || fail "no port in the server's output"

out=$("$call" --port "$port" BuyukGetir DEMO-BAYI) || fail "BuyukGetir"
echo "$out" | grep -q '"FVarmi": true' || fail "BuyukGetir did not find the demo dealer: $out"
echo "$out" | grep -q '"type": "baglantiu.TSonucBilgisi"' || fail "BuyukGetir type: $out"

"$call" --port "$port" --user-json '{"FCARINO":1,"FSirano":1}' SepetSayisi | grep -Eq '^result: [0-9]+$' \
    || fail "SepetSayisi"

"$call" --port "$port" CariEkstreVer 1 >"$work/ekstre.txt" || fail "CariEkstreVer"
head -1 "$work/ekstre.txt" | grep -q 'BAKIYE' || fail "statement header: $(head -1 "$work/ekstre.txt")"
grep -Eq '^\([0-9]+ rows\)$' "$work/ekstre.txt" || fail "statement row count line"

"$call" --port "$port" --json CariEkstreVer 1 | grep -q '^\[{"table":\[\["' || fail "statement as JSON"

"$call" --port "$port" --out "$work/banner.gif" BannerResimVer | grep -q 'bytes written' || fail "banner"
head -c 3 "$work/banner.gif" | grep -q GIF || fail "banner is not a GIF"

if "$call" --port "$port" CariEkstreVer kirk 2>"$work/err.txt"; then fail "a bad integer was accepted"; fi
grep -q 'must be a 32-bit integer' "$work/err.txt" || fail "bad integer message: $(cat "$work/err.txt")"
if "$call" --port "$port" YokBoyleMetod 2>"$work/err.txt"; then fail "an unknown method was accepted"; fi
grep -q 'Unknown method' "$work/err.txt" || fail "unknown method message"
echo "e2e_call: all checks passed"
