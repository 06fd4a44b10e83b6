#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the full build with warnings as errors,
# then the core again under AddressSanitizer and UndefinedBehaviorSanitizer, then a short run of
# every fuzz target. Ends with CTest's summary; exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
muwu_install_deps

jobs=$(nproc 2>/dev/null || echo 2)

echo "== Sanitized core build (ASan + UBSan)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMUWU_WERROR=ON -DMUWU_SANITIZE=ON \
  -DMUWU_BUILD_GUI=OFF -DMUWU_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs")

echo "== Fuzz targets (short runs)"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMUWU_BUILD_FUZZ=ON -DMUWU_BUILD_GUI=OFF -DMUWU_BUILD_TESTS=OFF -DMUWU_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz
for target in fuzz_gbk fuzz_data_files fuzz_names fuzz_pure_analysis; do
  corpus=$(mktemp -d)
  # A unit that hangs fails within half a minute instead of holding the run.
  ./build-fuzz/bin/$target -max_total_time="${MUWU_FUZZ_SECONDS:-10}" -timeout=30 "$corpus" \
    fuzz/corpus/$target 2>&1 | tail -1
  rm -rf "$corpus"
done

echo "== Full build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMUWU_WERROR=ON >/dev/null
cmake --build build
cd build && ctest --output-on-failure -j "$jobs"
