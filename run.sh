#!/usr/bin/env bash
# A newcomer's first command: installs what a fresh Debian 12 machine lacks, builds only what the demo needs (the
# claim program and the test clearing house), and starts the claim program on a ready-made demo folder (build/demo):
# settings pointing at the test clearing house on 127.0.0.1, which this script starts for a bounded time, and a few
# sample claims. With a display the window opens; without one (or with --headless) the program runs headless until
# the responses are in or DEMO_SECONDS pass, then stops.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
started=$(date +%s%N)

usage() {
  cat <<'TEXT'
usage: ./run.sh [--headless]
  --headless    run the claim program without a window even when a display is there; ends by itself
environment:
  DEMO_PORT     clear port of the test clearing house (default 21261; a busy port is replaced by a free one)
  DEMO_SECONDS  longest headless run in seconds (default 15)
  JOBS          parallel build jobs (default: the number of processors)
TEXT
}

headless=0
for arg in "$@"; do
  case "$arg" in
    --headless) headless=1 ;;
    -h | --help) usage; exit 0 ;;
    *) echo "run.sh: unknown option $arg" >&2; usage >&2; exit 2 ;;
  esac
done
[ -n "${DISPLAY:-}" ] || headless=1

step="starting"
server=""
program=""
finish() {
  local rc=$?
  [ -z "$program" ] || kill "$program" 2>/dev/null || true
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
  if [ "$rc" -ne 0 ]; then echo "run.sh: FAILED while $step (exit code $rc)" >&2; fi
}
trap finish EXIT
fail() {
  echo "run.sh: $*" >&2
  exit 1
}
# Runs a command with its output in a log; on failure shows the end of the log.
logged() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 || { local rc=$?; tail -n 40 "$log" >&2; echo "run.sh: full output in $log" >&2; return "$rc"; }
}

step="installing packages (tools/install-packages.sh build)"
tools/install-packages.sh build

step="configuring (cmake)"
mkdir -p build
options=()
if [ ! -f build/CMakeCache.txt ]; then
  # A fresh tree builds no tests and no benchmarks here; ./test.sh switches them on.
  options=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAT_TESTS=OFF -DPLAT_BENCH=OFF)
  if command -v ccache >/dev/null 2>&1; then
    options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
fi
logged build/configure.log cmake -S . -B build "${options[@]}"

step="building Claimora and the test clearing house"
cmake --build build -j"${JOBS:-$(nproc)}" --target Claimora clearinghouse
echo "Built: build/bin/Claimora, build/bin/clearinghouse and their libraries in build/lib"

demo_seconds=${DEMO_SECONDS:-15}
port=${DEMO_PORT:-21261}
demo=$root/build/demo
step="making the demo folder $demo"
rm -rf "$demo"
mkdir -p "$demo/send" "$demo/receive"
cd "$demo"

step="making the demo key store (openssl)"
command -v openssl >/dev/null 2>&1 || fail "the openssl command is missing (Debian package openssl)"
# The worker reads its key store even for clear connections: a throw-away self-signed one.
logged openssl.log openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout key.pem \
  -out cert.pem -days 2 -subj /CN=127.0.0.1
logged openssl.log openssl pkcs12 -export -in cert.pem -inkey key.pem -out jssecerts -passout pass:tumbrelosk

step="starting the test clearing house"
if [ "$headless" -eq 1 ]; then server_seconds=$((demo_seconds + 10)); else server_seconds=$((demo_seconds + 600)); fi
# Starts the server on $1 (0: a free port) and waits until it listens; sets $server and $port.
start_server() {
  "$root/build/bin/clearinghouse" --address 127.0.0.1 --port "$1" --seconds "$server_seconds" \
    --response "51B11A01PHARMACY000001220261209AM20F4PAID" >clearinghouse.log 2>&1 &
  server=$!
  for _ in $(seq 100); do
    if grep -q "listening on" clearinghouse.log; then
      port=$(sed -n 's/.*listening on [0-9.]*:\([0-9]*\).*/\1/p' clearinghouse.log | head -n 1)
      return 0
    fi
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
  done
  kill "$server" 2>/dev/null || true
  server=""
  return 1
}
if ! start_server "$port"; then
  echo "Port $port is not free ($(tail -n 1 clearinghouse.log)); taking a free port."
  start_server 0 || { cat clearinghouse.log >&2; fail "the test clearing house did not start"; }
fi
echo "Test clearing house on 127.0.0.1:$port"

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

# Three claims framed by STX and ETX, and one too short to send (logged as not properly formatted).
claim() { printf '\002610020%sPCN0000001101PHARMACY000001220261209%s\003' "$1" "$2"; }
claim 51B1 "AM01SAMPLE-CLAIM-ONE" > send/claim1.clm
claim 51B1 "AM01SAMPLE-CLAIM-TWO" > send/claim2.clm
claim 51B2 "AM01SAMPLE-REVERSAL" > send/claim3.clm
printf '\002SHORT\003' > send/short.clm
# The three well-formed claims get the clearing house's response; the short one gets none.
expected=3
echo "Demo folder: $demo (claims in send/, responses appear in receive/, log in system.log)"

responses() { find receive -name '*.rsp' | wc -l; }
if [ "$headless" -eq 0 ]; then
  step="running Claimora with its window"
  echo "Opening the window; File > Exit ends the demo."
  # A display that cannot be opened ends the program with its own message: the demo fails with it.
  "$root/build/bin/Claimora"
else
  step="running Claimora headless"
  echo "Running headless until the $expected responses are in, at most $demo_seconds s."
  "$root/build/bin/Claimora" --headless &
  program=$!
  deadline=$(($(date +%s) + demo_seconds))
  first=""
  while kill -0 "$program" 2>/dev/null && [ "$(date +%s)" -lt "$deadline" ]; do
    n=$(responses)
    if [ -z "$first" ] && [ "$n" -gt 0 ]; then
      first=$((($(date +%s%N) - started) / 100000000))
      echo "First response $((first / 10)).$((first % 10)) s after ./run.sh started"
    fi
    # Every claim taken (the worker deletes a claim once read) and every response written.
    if [ "$n" -ge "$expected" ] && [ -z "$(find send -name '*.clm')" ]; then break; fi
    sleep 0.2
  done
  kill -TERM "$program" 2>/dev/null || true
  wait "$program" || true
  program=""
fi
echo "Responses:"
ls -l receive/
if [ "$headless" -eq 1 ]; then
  step="checking the responses"
  n=$(responses)
  [ "$n" -eq "$expected" ] || fail "$n of $expected responses arrived in $demo/receive (see $demo/system.log)"
fi
