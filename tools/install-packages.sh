#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs and the machine lacks; does nothing when all are there.
#   tools/install-packages.sh build   what ./run.sh needs: compiler, CMake, the libraries the program and kit link
#   tools/install-packages.sh test    the above and what ./test.sh adds: GoogleTest, benchmarks, clang for fuzzing
# Installing needs root (or sudo without a password); without it the script names the missing packages and stops.
# apt-get's output goes to build/install-packages.log (PACKAGES_LOG names another file); a summary is printed.
set -euo pipefail

# Packages of the build, one array: a library the build links goes here.
build_packages=(
  g++ cmake ninja-build pkg-config openssl
  libicu-dev libssl-dev zlib1g-dev libgmp-dev libsqlite3-dev libpq-dev qt6-base-dev
)
# Packages only the tests, benchmarks and fuzz targets need.
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev iputils-ping postgresql-15
)

case "${1:-}" in
  build) wanted=("${build_packages[@]}") ;;
  test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 build|test" >&2
    exit 2
    ;;
esac

if ! command -v dpkg-query >/dev/null 2>&1; then
  echo "install-packages: dpkg-query not found; this is not a Debian system, so install these by hand:" >&2
  echo "  ${wanted[*]}" >&2
  exit 0
fi

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
((${#missing[@]})) || exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root=(sudo -n)
else
  echo "install-packages: these packages are missing: ${missing[*]}" >&2
  echo "install-packages: installing them needs root; as root (or with sudo) run" >&2
  echo "  apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
  echo "and then this command again." >&2
  exit 1
fi

# apt-get's and dpkg's output (hundreds of lines on a fresh machine) goes to a log; the terminal gets a summary.
log=${PACKAGES_LOG:-$(cd "$(dirname "$0")/.." && pwd)/build/install-packages.log}
mkdir -p "$(dirname "$log")"
echo "== installing ${#missing[@]} Debian packages: ${missing[*]}"
echo "   (apt-get's output goes to $log)"
if ! {
  "${as_root[@]}" apt-get update -qq &&
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
} >"$log" 2>&1; then
  tail -n 30 "$log" >&2
  echo "install-packages: apt-get failed; its full output is in $log" >&2
  exit 1
fi
echo "== installed ${#missing[@]} packages; apt-get's full output is in $log"
