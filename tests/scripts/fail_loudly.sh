#!/usr/bin/env bash
# run.sh and test.sh stop with a non-zero status and a message naming the step that failed. Each case puts a
# failing stand-in for one tool first on PATH, so no root is needed and nothing is installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# A stand-in command that prints a marker and fails.
stand_in() {
  mkdir -p "$scratch/$1"
  printf '#!/bin/sh\necho "stand-in %s broke" >&2\nexit 3\n' "$2" >"$scratch/$1/$2"
  chmod +x "$scratch/$1/$2"
}

# expect NAME PATTERN STATUS COMMAND...: the command fails with STATUS (any: any non-zero status) and its output
# holds PATTERN.
expect() {
  local name=$1 pattern=$2 status=$3
  shift 3
  local rc=0
  "$@" >"$scratch/out" 2>&1 || rc=$?
  if [ "$rc" -eq 0 ] || { [ "$status" != any ] && [ "$rc" -ne "$status" ]; } || ! grep -q -- "$pattern" "$scratch/out"; then
    echo "FAIL $name: status $rc (wanted $status status), output:" >&2
    sed 's/^/  | /' "$scratch/out" >&2
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

stand_in cmake cmake
stand_in openssl openssl
# A machine where every package is missing and the user is not root: dpkg-query finds nothing, id says 1000, sudo
# refuses, and apt-get must not be reached.
stand_in no-root dpkg-query
stand_in no-root sudo
stand_in no-root apt-get
printf '#!/bin/sh\necho 1000\n' >"$scratch/no-root/id"
chmod +x "$scratch/no-root/id"

expect "the installer names what is missing without root" "installing them needs root" 1 \
  env PATH="$scratch/no-root:$PATH" "$root/tools/install-packages.sh" build
expect "run.sh stops when packages are missing without root" "run.sh: FAILED while installing packages" any \
  env PATH="$scratch/no-root:$PATH" "$root/run.sh" --headless
if grep -q "stand-in apt-get" "$scratch/out"; then
  echo "FAIL the installer ran apt-get without root" >&2
  failures=$((failures + 1))
fi

expect "run.sh names a failed configure" "run.sh: FAILED while configuring" any \
  env PATH="$scratch/cmake:$PATH" "$root/run.sh" --headless
expect "run.sh shows the failing tool's output" "stand-in cmake broke" any \
  env PATH="$scratch/cmake:$PATH" "$root/run.sh" --headless
expect "test.sh names a failed build step" "test.sh: FAILED in step build" any \
  env PATH="$scratch/cmake:$PATH" "$root/test.sh" build
expect "run.sh rejects an unknown option" "usage: ./run.sh" 2 "$root/run.sh" --no-such-option
expect "test.sh rejects an unknown step" "usage: ./test.sh" 2 "$root/test.sh" no-such-step
if [ -x "$root/build/bin/Claimora" ] && [ -x "$root/build/bin/clearinghouse" ]; then
  expect "run.sh names a failed key store" "FAILED while making the demo key store" any \
    env PATH="$scratch/openssl:$PATH" "$root/run.sh" --headless
fi

[ "$failures" -eq 0 ] || { echo "fail_loudly: $failures case(s) failed" >&2; exit 1; }
