#!/usr/bin/env bash
# Builds the system, then starts the claim program on a ready-made demo folder (build/demo): settings pointing at
# the test clearing house on 127.0.0.1, which this script starts for a bounded time, and a few sample claims.
# With a display the window opens; without one the program runs headless for DEMO_SECONDS and then stops.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
echo "Built: build/bin/Claimora and the libraries in build/lib"

demo_seconds=${DEMO_SECONDS:-15}
port=${DEMO_PORT:-21261}
demo=$root/build/demo
rm -rf "$demo"
mkdir -p "$demo/send" "$demo/receive"
cd "$demo"

# The worker reads its key store even for clear connections: a throw-away self-signed one.
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout key.pem -out cert.pem \
  -days 2 -subj /CN=127.0.0.1 >/dev/null 2>&1
openssl pkcs12 -export -in cert.pem -inkey key.pem -out jssecerts -passout pass:tumbrelosk >/dev/null 2>&1

cat > cm.ini <<INI
rem Demo settings: the test clearing house on loopback, clear TCP.
security=off
remote_ipaddress=127.0.0.1
remote_clear_port=$port
remote_timeout=5000
file_wait=500
send_dir=send\\
receive_dir=receive\\
INI

server_seconds=$((demo_seconds + 600))
"$root/build/bin/clearinghouse" --address 127.0.0.1 --port "$port" --seconds "$server_seconds" \
  --response "51B11A01PHARMACY000001220261209AM20F4PAID" &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
sleep 0.5

# Three claims framed by STX and ETX, and one too short to send (logged as not properly formatted).
claim() { printf '\002610020%sPCN0000001101PHARMACY000001220261209%s\003' "$1" "$2"; }
claim 51B1 "AM01SAMPLE-CLAIM-ONE" > send/claim1.clm
claim 51B1 "AM01SAMPLE-CLAIM-TWO" > send/claim2.clm
claim 51B2 "AM01SAMPLE-REVERSAL" > send/claim3.clm
printf '\002SHORT\003' > send/short.clm
echo "Demo folder: $demo (claims in send/, responses appear in receive/, log in system.log)"

if [ -n "${DISPLAY:-}" ]; then
  echo "Opening the window; File > Exit ends the demo."
  "$root/build/bin/Claimora" || true
else
  echo "No display: running headless for $demo_seconds s (SIGTERM ends it)."
  timeout -s TERM "$demo_seconds" "$root/build/bin/Claimora" --headless || true
fi
echo "Responses:"
ls -l receive/
