#!/usr/bin/env bash
# Builds the system. Starting the claim program on a ready-made demo folder comes with its window.
set -euo pipefail
cd "$(dirname "$0")"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
echo "Built: build/bin/Claimora and the libraries in build/lib"
