#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds, runs every test, installs the libraries and builds the
# examples against the installed tree, runs the headless demo, then the sanitizer pass and the fuzz pass.
# Every step names itself when it fails. ./test.sh --help lists the steps and settings.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

all_steps=(packages build tests install demo scripts asan tsan fuzz)
usage() {
  cat <<'TEXT'
usage: ./test.sh [--help] [STEP...]
Runs the given steps in the order given; with none, every step in the order below.
  packages  install the Debian 12 packages that are missing (tools/install-packages.sh test; root when any is)
  build     configure build/ with tests and benchmarks and build everything
  tests     every test of build/ (ctest)
  install   install the libraries into a temporary prefix, build examples/ against it with find_package, run them
  demo      ./run.sh --headless with DEMO_PORT taken by another listener; checks the responses in build/demo/receive
  scripts   run.sh and test.sh stop with a message naming the step that failed; the build configures without
            the test packages and Qt, and names a missing package; a display that cannot open fails run.sh
  asan      build-asan/: every test under AddressSanitizer and UndefinedBehaviorSanitizer
  tsan      build-tsan/: the suites of the threaded parts (platform, Wirlow, Drivella, Tethra, the claim
            program's worker) under ThreadSanitizer; a data race or lock-order inversion fails the step
  fuzz      build-fuzz/: each libFuzzer target for FUZZ_SECONDS, one summary line per target
environment:
  FUZZ_SECONDS  seconds each fuzz target runs (default 15)
  DEMO_SECONDS  longest headless demo run in seconds (default 30)
  JOBS          parallel build and test jobs (default: the number of processors)
TEXT
}

steps=()
for arg in "$@"; do
  case "$arg" in
    -h | --help) usage; exit 0 ;;
    *)
      [[ " ${all_steps[*]} " == *" $arg "* ]] || { echo "test.sh: unknown step or option: $arg" >&2; usage >&2; exit 2; }
      steps+=("$arg")
      ;;
  esac
done
((${#steps[@]})) || steps=("${all_steps[@]}")

jobs=${JOBS:-$(nproc)}
fuzz_seconds=${FUZZ_SECONDS:-15}
export QT_QPA_PLATFORM=offscreen
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

step="starting"
scratch=""
timings=()
finish() {
  local rc=$?
  [ -z "$scratch" ] || rm -rf "$scratch"
  if [ "$rc" -ne 0 ]; then echo "test.sh: FAILED in step $step (exit code $rc)" >&2; fi
}
trap finish EXIT
fail() {
  echo "test.sh: $step: $*" >&2
  exit 1
}
# Runs a command with its output in a log; on failure shows the end of the log.
logged() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 || { local rc=$?; tail -n 60 "$log" >&2; echo "test.sh: full output in $log" >&2; return "$rc"; }
}

step_packages() {
  tools/install-packages.sh test
}

configure_build() {
  mkdir -p build
  logged build/configure.log cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAT_TESTS=ON \
    -DPLAT_BENCH=ON "${launcher[@]}"
}

step_build() {
  configure_build
  cmake --build build -j"$jobs"
}

step_tests() {
  (cd build && ctest --output-on-failure -j"$jobs" --timeout 600)
}

step_install() {
  configure_build
  cmake --build build -j"$jobs" --target installed_libraries middleware
  scratch=$(mktemp -d)
  local prefix=$scratch/prefix
  logged "$scratch/install.log" cmake --install build --prefix "$prefix"
  if find "$prefix/include" -path '*testkit*' | grep -q .; then fail "test kit headers were installed"; fi
  [ ! -e "$prefix/lib/libRunvaleSample.so" ] || fail "a test module was installed"
  # Built from the installed tree only: the source tree is not on any include or package path.
  logged "$scratch/examples-configure.log" cmake -S examples -B "$scratch/examples" -G Ninja \
    -DCMAKE_PREFIX_PATH="$prefix" "${launcher[@]}"
  logged "$scratch/examples-build.log" cmake --build "$scratch/examples" -j"$jobs"
  if grep -qE -- "(-I|-isystem )$root([/ ]|$)" "$scratch/examples/build.ninja"; then fail "the examples saw the source tree"; fi

  local out
  out=$("$scratch/examples/sqlite_memory") || fail "sqlite_memory failed: $out"
  grep -q "Ibuprofen 200 mg" <<<"$out" || fail "sqlite_memory printed no rows: $out"
  echo "sqlite_memory: $(wc -l <<<"$out") rows"
  out=$("$scratch/examples/tethra_navigator" 2>&1) || fail "tethra_navigator failed: $out"
  grep -q "^Saved: Ibuprofen 200 mg tablets$" <<<"$out" && [ "$(grep -c "^  00" <<<"$out")" -eq 5 ] ||
    fail "tethra_navigator printed: $out"
  echo "tethra_navigator: $(tail -n 1 <<<"$out")"
  if [ -e "$prefix/lib/libplat_gui_qt.so" ]; then
    out=$("$scratch/examples/tethra_window" --check 2>&1) || fail "tethra_window failed: $out"
    grep -q "^Saved: Amoxicillin 500 mg caps$" <<<"$out" || fail "tethra_window printed: $out"
    echo "tethra_window: $(grep "^Saved" <<<"$out")"
  fi

  build/bin/middleware --seconds 60 \
    --sql "create table drug (ndc varchar(11), name varchar(40), price double)" \
    --sql "insert into drug values ('00002-1433', 'Ibuprofen 200 mg', 4.25)" \
    --sql "insert into drug values ('00093-7146', 'Amoxicillin 500 mg', 12.9)" \
    --sql "create table customers (id int primary key, name varchar(40))" \
    --sql "insert into customers values (1, 'Anna'), (2, 'Bert'), (3, 'Cleo')" \
    --sql "create table orders (id int primary key, cust_id int, amount double)" \
    --sql "insert into orders values (10, 1, 4.5), (11, 2, 7.25), (12, 2, 1.5)" >"$scratch/middleware.log" 2>&1 &
  local server=$!
  local url=""
  for _ in $(seq 100); do
    url=$(grep -m 1 '^jdbc:orvo://' "$scratch/middleware.log" || true)
    [ -z "$url" ] || break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$url" ] || { kill "$server" 2>/dev/null || true; cat "$scratch/middleware.log" >&2; fail "middleware server did not start"; }
  out=$("$scratch/examples/drivella_query" "$url" "select ndc, name, price from drug order by ndc" demo demo) ||
    { kill "$server" 2>/dev/null || true; fail "drivella_query failed: $out"; }
  local form
  form=$("$scratch/examples/rowlace_form" "${url#jdbc:}" "select ndc, name from drug order by ndc" \
    "select price from drug where ndc = ?" ndc demo demo) ||
    { kill "$server" 2>/dev/null || true; fail "rowlace_form failed: $form"; }
  local customers
  customers=$("$scratch/examples/rowlace_customers" "${url#jdbc:}" demo demo 2>&1) ||
    { kill "$server" 2>/dev/null || true; fail "rowlace_customers failed: $customers"; }
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  grep -q "Amoxicillin 500 mg" <<<"$out" && grep -q "(2 rows)" <<<"$out" || fail "drivella_query printed: $out"
  echo "drivella_query: $(tail -n 1 <<<"$out")"
  grep -q -- "- 12.9" <<<"$form" && grep -q "(2 rows)" <<<"$form" || fail "rowlace_form printed: $form"
  echo "rowlace_form: $(tail -n 1 <<<"$form")"
  grep -q "^saved: Ann$" <<<"$customers" && grep -q "^list: 11 12$" <<<"$customers" ||
    fail "rowlace_customers printed: $customers"
  echo "rowlace_customers: $(tail -n 1 <<<"$customers")"

  # Each library's pkg-config file resolves with its dependencies.
  local pc
  for pc in "$prefix"/lib/pkgconfig/*.pc; do
    PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --libs --cflags "$(basename "$pc" .pc)" >/dev/null ||
      fail "pkg-config cannot use $(basename "$pc")"
  done
  # A program built with pkg-config alone, under the compiler's default language standard.
  local flags
  flags=$(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --cflags --libs Drivella)
  # shellcheck disable=SC2086 # the flags are words
  logged "$scratch/pkg-config-build.log" c++ examples/drivella_query.cpp -o "$scratch/drivella_pc" $flags ||
    fail "drivella_query does not build with pkg-config's flags"
  rm -rf "$scratch"
  scratch=""
}

step_demo() {
  cmake --build build -j"$jobs" --target clearinghouse
  # Another listener holds the port the demo asks for, so the demo must find a free one.
  scratch=$(mktemp -d)
  build/bin/clearinghouse --port 0 --seconds 120 >"$scratch/busy.log" 2>&1 &
  local busy_server=$!
  local busy=""
  for _ in $(seq 100); do
    busy=$(sed -n 's/.*listening on [0-9.]*:\([0-9]*\).*/\1/p' "$scratch/busy.log")
    [ -z "$busy" ] || break
    sleep 0.1
  done
  [ -n "$busy" ] || fail "the listener that takes the demo port did not start"
  local rc=0
  DEMO_PORT=$busy DEMO_SECONDS=${DEMO_SECONDS:-30} ./run.sh --headless >"$scratch/demo.log" 2>&1 || rc=$?
  kill "$busy_server" 2>/dev/null || true
  wait "$busy_server" 2>/dev/null || true
  [ "$rc" -eq 0 ] || { cat "$scratch/demo.log" >&2; fail "./run.sh --headless ended with $rc"; }
  grep -q "Port $busy is not free" "$scratch/demo.log" || { cat "$scratch/demo.log" >&2; fail "busy port not noticed"; }
  local f
  for f in claim1 claim2 claim3; do
    grep -q "PAID" "build/demo/receive/$f.rsp" 2>/dev/null || fail "no paid response in build/demo/receive/$f.rsp"
  done
  grep -q "Claim File Not Properly Formatted, <short.clm>" build/demo/system.log ||
    fail "the short claim is not logged as not properly formatted"
  grep "First response" "$scratch/demo.log" || true
  rm -rf "$scratch"
  scratch=""
}

step_scripts() {
  tests/scripts/fail_loudly.sh
  tests/scripts/first_contact.sh
}

step_asan() {
  mkdir -p build-asan
  logged build-asan/configure.log cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLAT_SANITIZE=ON \
    -DPLAT_TESTS=ON -DPLAT_BENCH=OFF "${launcher[@]}"
  cmake --build build-asan -j"$jobs"
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
     LSAN_OPTIONS=suppressions="$root/tests/lsan.supp" \
     ctest --output-on-failure -j"$jobs" --timeout 900)
}

# The suites whose code runs on several threads, each run in $jobs shards at a time. Suppressions (tests/tsan.supp)
# are only for libraries we do not build.
step_tsan() {
  local sanitize="-fsanitize=thread -fno-omit-frame-pointer"
  mkdir -p build-tsan
  logged build-tsan/configure.log cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPLAT_TESTS=ON -DPLAT_BENCH=OFF -DCMAKE_C_FLAGS="$sanitize" -DCMAKE_CXX_FLAGS="$sanitize" \
    -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread \
    -DCMAKE_MODULE_LINKER_FLAGS=-fsanitize=thread "${launcher[@]}"
  local suites=(plat_tests wirlow_tests drivella_tests tethra_tests claim_tests)
  cmake --build build-tsan -j"$jobs" --target "${suites[@]}"
  local suite shard runs=()
  for suite in "${suites[@]}"; do
    for ((shard = 0; shard < jobs; shard++)); do runs+=("$suite $shard"); done
  done
  # The runtime's monitors are shown to the sanitizer as locks where their lock order is settled: the
  # master/detail trees.
  runs+=("tethra_tests monitors")
  rm -f build-tsan/*.tsan.log build-tsan/*.tsan.log.failed
  # Each shard writes its log and, when it fails, a .failed mark; a hung shard is stopped after 20 minutes.
  printf '%s\n' "${runs[@]}" | (cd build-tsan && TSAN_OPTIONS="second_deadlock_stack=1 exitcode=66 \
    suppressions=$root/tests/tsan.supp" xargs -P "$jobs" -L 1 sh -c '
      log=$0.$1.tsan.log; filter=*; shards='"$jobs"'; [ "$0" = claim_tests ] && filter="Worker*"
      if [ "$1" = monitors ]; then
        export PLAT_TSAN_MONITORS=1; filter="SynchronizerTest.*:JdbcTreeTest.*:JdbcTwoFileTreeTest.*"; shards=1
        set -- 0
      fi
      GTEST_TOTAL_SHARDS=$shards GTEST_SHARD_INDEX=$1 timeout 1200 bin/$0 --gtest_filter="$filter" >"$log" 2>&1 \
        || : >"$log.failed"')
  local failed=0 mark
  for mark in build-tsan/*.tsan.log.failed; do
    [ -e "$mark" ] || continue
    failed=1
    grep -aE -m 20 'WARNING: ThreadSanitizer|^\[  FAILED|SUMMARY' "${mark%.failed}" >&2 || tail -n 30 "${mark%.failed}" >&2
    echo "test.sh: tsan: ${mark%.failed} failed" >&2
  done
  ((failed == 0)) || fail "a suite failed or ThreadSanitizer reported a race or lock-order inversion (logs above)"
  echo "-- ${#suites[@]} suites in $jobs shards each, and the master/detail trees with monitors as locks: no race, no lock-order inversion"
}

step_fuzz() {
  mkdir -p build-fuzz
  CC=clang CXX=clang++ logged build-fuzz/configure.log cmake -S . -B build-fuzz -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAT_FUZZ=ON -DPLAT_TESTS=OFF -DPLAT_BENCH=OFF "${launcher[@]}"
  cmake --build build-fuzz -j"$jobs" --target fuzzers
  local target name corpus log seeds summary
  for target in build-fuzz/fuzzers/*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=build-fuzz/corpus/$name
    log=build-fuzz/$name.log
    mkdir -p "$corpus"
    seeds=()
    [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
    # The decoders' own messages go to the log; the line here is the summary.
    if ! "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=0 \
      "$corpus" "${seeds[@]}" >"$log" 2>&1; then
      tail -n 60 "$log" >&2
      fail "fuzz target $name found a failure (full output in $log)"
    fi
    summary=$(grep -aE '^#[0-9]+' "$log" | tail -n 1 | sed -E 's/^#([0-9]+)[[:space:]]+[A-Z]+[[:space:]]+cov: ([0-9]+).*corp: ([0-9]+).*/\1 runs, coverage \2, corpus \3/')
    echo "-- $name: ${summary:-ran} in ${fuzz_seconds} s, no failure"
  done
}

for s in "${steps[@]}"; do
  step=$s
  echo "== $s"
  t0=$(date +%s)
  "step_$s"
  timings+=("$s $(($(date +%s) - t0)) s")
done
step="reporting"
summary=$(printf '%s, ' "${timings[@]}")
echo "== all passed (${summary%, })"
