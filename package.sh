#!/usr/bin/env bash
# Builds the Debian package muwu_<version>_<arch>.deb into this folder from the sources: installs
# what is missing, builds afresh in build-package/ with Debian's hardening flags, packs with
# cpack, and checks the package (packaging/check_package.sh: lintian, appstreamcli,
# desktop-file-validate, the unpacked programs run). Install it with
#   apt-get install ./muwu_*.deb
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
muwu_install_deps

build=build-package
rm -rf "$build"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DMUWU_BUILD_TESTS=OFF -DMUWU_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build"
cpack --config "$build/CPackConfig.cmake" -B "$build/cpack"

deb=$(cd "$build/cpack" && ls muwu_*.deb)
mv "$build/cpack/$deb" .
packaging/check_package.sh "$deb"
echo "Built $deb; install it with: apt-get install ./$deb"
