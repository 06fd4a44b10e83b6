#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Without a display it starts inside a
# virtual one (Xvfb); with MUWU_CLI=1 it shows the command line's analysis of a sample name instead.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
muwu_install_deps

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

if [ "${MUWU_CLI:-0}" = 1 ] || [ ! -x build/bin/muwu ]; then
  exec build/bin/muwu-cli analyze 欧阳修 张三丰 "$@"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting 沐梧取名器 inside Xvfb."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/muwu "$@"
fi
exec build/bin/muwu "$@"
