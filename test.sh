#!/usr/bin/env bash
# Installs what is missing, builds everything (tests, benchmarks, fuzz targets)
# and runs every test through CTest. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=$(nproc)

scripts/setup

export CCACHE_DIR=${CCACHE_DIR:-$root/.cache/ccache}

cmake -S . -B build -G Ninja -DTOLKMAPS_BENCH=ON
cmake --build build -j "$jobs"

# The fuzz targets need clang's libFuzzer; they build in their own tree.
cmake -S . -B build-fuzz -G Ninja -DTOLKMAPS_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz -j "$jobs"

status=0
ctest --test-dir build --output-on-failure -j "$jobs" || status=1
ctest --test-dir build-fuzz --output-on-failure -j "$jobs" || status=1
exit $status
