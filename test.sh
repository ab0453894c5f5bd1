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

# The demo data set (real geodata through the tiler) that the render tests draw.
if [ -x scripts/demo-data ]; then
    scripts/demo-data
fi

# The fuzz targets need clang's libFuzzer; they build in their own tree.
cmake -S . -B build-fuzz -G Ninja -DTOLKMAPS_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz -j "$jobs"

# Code that shares data across threads runs its concurrency tests under
# ThreadSanitizer in a third tree that builds only those test programs.
tsan_targets=()
if find tests -name '*ConcurrencyTest.cpp' | grep -q .; then
    cmake -S . -B build-tsan -G Ninja -DTOLKMAPS_TSAN=ON -DCMAKE_BUILD_TYPE=Debug
    mapfile -t tsan_targets < <(ninja -C build-tsan -t targets all | sed -n 's/^\([A-Za-z0-9_]*_tsan_tests\): .*/\1/p')
    cmake --build build-tsan -j "$jobs" --target "${tsan_targets[@]}"
fi

status=0
ctest --test-dir build --output-on-failure -j "$jobs" || status=1
ctest --test-dir build-fuzz --output-on-failure -j "$jobs" || status=1
if [ ${#tsan_targets[@]} -gt 0 ]; then
    TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure -j "$jobs" || status=1
fi
exit $status
