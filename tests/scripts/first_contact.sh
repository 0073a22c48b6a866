#!/usr/bin/env bash
# What a newcomer meets first: the build configures without the test packages and without Qt (hidden with
# CMAKE_DISABLE_FIND_PACKAGE_<name> and, for pkg-config's libpq, a PKG_CONFIG_LIBDIR without it), saying in one
# line what is skipped; a missing required package stops the configure naming its Debian package; the package
# installer prints a summary and keeps apt-get's output in a log; and a display that cannot be opened makes
# Claimora and ./run.sh fail with a hint; and the README's C++ snippets are examples. Needs build/bin/Claimora
# (./test.sh build); nothing is installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# check NAME STATUS PATTERN... -- COMMAND...: the command ends with STATUS (0, or "fail" for any other) and its
# output holds every PATTERN (a leading "!" : must not hold it).
check() {
  local name=$1 status=$2
  shift 2
  local patterns=()
  while [ "$1" != "--" ]; do patterns+=("$1"); shift; done
  shift
  local rc=0 bad=""
  "$@" >"$scratch/out" 2>&1 || rc=$?
  if [ "$status" = fail ]; then [ "$rc" -ne 0 ] || bad="status 0"; elif [ "$rc" -ne "$status" ]; then bad="status $rc"; fi
  local p
  for p in "${patterns[@]}"; do
    if [[ $p == !* ]]; then
      ! grep -qF -- "${p#!}" "$scratch/out" || bad="$bad; holds \"${p#!}\""
    else
      grep -qF -- "$p" "$scratch/out" || bad="$bad; lacks \"$p\""
    fi
  done
  if [ -n "$bad" ]; then
    echo "FAIL $name: $bad; output:" >&2
    sed 's/^/  | /' "$scratch/out" | tail -n 40 >&2
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

configure() {
  local dir=$1
  shift
  rm -rf "$dir"
  cmake -S "$root" -B "$dir" -G Ninja "$@"
}
hidden=(-DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
        -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)

# The README's command, on a machine without the test packages and without Qt.
check "configures without the test packages and Qt" 0 \
  "Tests not built: Qt 6 Widgets (Debian package qt6-base-dev), GoogleTest (Debian package libgtest-dev) missing" \
  "Benchmarks not built:" "Google Benchmark (Debian package libbenchmark-dev)" \
  "Qt 6 Widgets not found (Debian package qt6-base-dev)" -- configure "$scratch/noqt" "${hidden[@]}"
ninja -C "$scratch/noqt" -t targets all >"$scratch/targets" 2>&1 || true
for target in lib/libTethra.so lib/libDrivella.so lib/libplat_pq.so installed_libraries; do
  grep -q "^$target:" "$scratch/targets" || { echo "FAIL without Qt, $target is not built" >&2; failures=$((failures + 1)); }
done
for target in bin/Claimora lib/libplat_gui_qt.so bin/plat_tests; do
  ! grep -q "^$target:" "$scratch/targets" || { echo "FAIL without Qt or GoogleTest, $target is built" >&2; failures=$((failures + 1)); }
done
check "asking for the tests makes a missing package an error" fail "libgtest-dev" "PLAT_TESTS=ON" -- \
  configure "$scratch/tests-on" "${hidden[@]}" -DPLAT_TESTS=ON
check "a missing required package is named" fail "Required package missing: SQLite3 (Debian package libsqlite3-dev)" \
  "!Could NOT find" -- configure "$scratch/nosqlite" -DCMAKE_DISABLE_FIND_PACKAGE_SQLite3=ON

# pkg-config sees gmp but not libpq.
mkdir -p "$scratch/pc"
for module in gmp gmpxx; do ln -s "$(pkg-config --variable=pcfiledir "$module")/$module.pc" "$scratch/pc/"; done
check "without libpq the PostgreSQL driver is skipped" 0 "libpq not found (Debian package libpq-dev)" -- \
  env PKG_CONFIG_LIBDIR="$scratch/pc" cmake -S "$root" -B "$scratch/nopq" -G Ninja "${hidden[@]}"
ninja -C "$scratch/nopq" -t targets all >"$scratch/targets" 2>&1 || true
! grep -q "^lib/libplat_pq.so:" "$scratch/targets" || { echo "FAIL without libpq, plat_pq is built" >&2; failures=$((failures + 1)); }

# The installer as root on a machine that lacks every package: apt-get (a stand-in printing 850 lines) is quiet.
mkdir -p "$scratch/bin"
printf '#!/bin/sh\nexit 1\n' >"$scratch/bin/dpkg-query"
printf '#!/bin/sh\necho 0\n' >"$scratch/bin/id"
printf '#!/bin/sh\ni=0\nwhile [ $i -lt 850 ]; do echo "Unpacking package $i"; i=$((i+1)); done\n[ -z "$APT_FAILS" ] || { echo "E: Unable to fetch"; exit 100; }\n' \
  >"$scratch/bin/apt-get"
chmod +x "$scratch/bin/"*
check "the installer prints a summary and logs apt-get's output" 0 "packages; apt-get's full output is in" "$scratch/apt.log" \
  "!Unpacking" -- env PATH="$scratch/bin:$PATH" PACKAGES_LOG="$scratch/apt.log" "$root/tools/install-packages.sh" test
[ "$(wc -l <"$scratch/out")" -le 4 ] || { echo "FAIL the installer's summary is $(wc -l <"$scratch/out") lines" >&2; failures=$((failures + 1)); }
[ "$(grep -c Unpacking "$scratch/apt.log" 2>/dev/null)" -ge 850 ] || { echo "FAIL apt-get's output is not in the log" >&2; failures=$((failures + 1)); }
check "a failing apt-get shows its end and names the log" 1 "E: Unable to fetch" "apt-get failed" "$scratch/apt.log" -- \
  env PATH="$scratch/bin:$PATH" PACKAGES_LOG="$scratch/apt.log" APT_FAILS=1 "$root/tools/install-packages.sh" build

# A display that cannot be opened.
if [ ! -x "$root/build/bin/Claimora" ]; then
  echo "FAIL build/bin/Claimora is missing (./test.sh build makes it)" >&2
  failures=$((failures + 1))
else
  no_display=(env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=127.0.0.1:93)
  check "Claimora says the display cannot be opened" 2 "the display cannot be opened (DISPLAY=127.0.0.1:93)" \
    "Claimora --headless" -- bash -c "cd '$scratch' && ${no_display[*]} '$root/build/bin/Claimora'"
  check "run.sh fails naming the step when the window cannot open" fail \
    "run.sh: FAILED while running Claimora with its window (exit code 2)" "Claimora --headless" -- \
    "${no_display[@]}" DEMO_SECONDS=5 "$root/run.sh"
fi

# Every C++ snippet of the README stands in an example that ./test.sh install builds and runs: its lines, without
# their indentation, appear in that order in one file of examples/, and every example source is built.
mkdir -p "$scratch/snippets"
awk -v dir="$scratch/snippets" '/^```cpp$/ { n++; on = 1; next } /^```$/ { on = 0; next }
  on { sub(/^[ \t]+/, ""); sub(/[ \t]+$/, ""); if ($0 != "") print > (dir "/" n) }' "$root/README.md"
snippets=0
for snippet in "$scratch/snippets"/*; do
  [ -f "$snippet" ] || continue
  snippets=$((snippets + 1))
  found=""
  for example in "$root"/examples/*.cpp "$root"/examples/*.h; do
    if awk 'NR == FNR { want[++n] = $0; next } { sub(/^[ \t]+/, ""); sub(/[ \t]+$/, ""); if (i < n && $0 == want[i + 1]) i++ }
      END { exit !(i == n) }' "$snippet" "$example"; then
      found=$example
      break
    fi
  done
  if [ -z "$found" ]; then
    echo "FAIL README snippet $(basename "$snippet") is in no example:" >&2
    sed 's/^/  | /' "$snippet" >&2
    failures=$((failures + 1))
  fi
done
echo "ok   $snippets README snippets checked against examples/"
for example in "$root"/examples/*.cpp; do
  grep -q "$(basename "$example")" "$root/examples/CMakeLists.txt" ||
    { echo "FAIL $(basename "$example") is not built" >&2; failures=$((failures + 1)); }
done

[ "$failures" -eq 0 ] || { echo "first_contact: $failures case(s) failed" >&2; exit 1; }
