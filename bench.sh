#!/usr/bin/env bash
# Builds and runs the benchmarks (optimised build in build-bench/).
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
muwu_install_deps
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMUWU_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench
for b in build-bench/bin/*_bench; do
  if [ "$(basename "$b")" = window_bench ]; then QT_QPA_PLATFORM=offscreen "$b" "$@"; else "$b" "$@"; fi
done
