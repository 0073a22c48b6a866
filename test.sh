#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds, runs every test, then the sanitizer pass and the fuzz pass.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-15}

packages=(g++ cmake ninja-build pkg-config git openssl libgtest-dev libgmock-dev libbenchmark-dev libicu-dev
          libssl-dev zlib1g-dev libgmp-dev libsqlite3-dev qt6-base-dev postgresql-15 libpq-dev clang libclang-rt-14-dev iputils-ping)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "== installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

export QT_QPA_PLATFORM=offscreen

echo "== build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
echo "== tests"
(cd build && ctest --output-on-failure -j"$jobs" --timeout 600)

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLAT_SANITIZE=ON -DPLAT_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
   LSAN_OPTIONS=suppressions="$root/tests/lsan.supp" \
   ctest --output-on-failure -j"$jobs" --timeout 900)

echo "== fuzzing, ${fuzz_seconds}s per target"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAT_FUZZ=ON \
  -DPLAT_TESTS=OFF -DPLAT_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzzers
shopt -s nullglob
for target in build-fuzz/fuzzers/*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
  echo "-- $name"
  "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=0 \
    "$corpus" "${seeds[@]}" 2>build-fuzz/"$name".log || { tail -n 60 build-fuzz/"$name".log; exit 1; }
done
echo "== all passed"
