#!/usr/bin/env bash
# Builds and runs the benchmarks (optimised build in build-bench/).
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
muwu_install_deps
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMUWU_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench
# The window benchmarks draw off screen unless a display is named.
for b in build-bench/bin/*_bench; do
  QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$b" "$@"
done
