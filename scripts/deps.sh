#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, doing nothing when all
# are present. Sourced by run.sh and test.sh.
set -euo pipefail

MUWU_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-noto-cjk qt6-translations-l10n
  clang libclang-rt-14-dev
  xvfb xauth
  libcpp-httplib-dev libssl-dev openssl
  tzdata python3 unicode-data
  dpkg-dev lintian appstream desktop-file-utils man-db
)

muwu_install_deps() {
  local missing=()
  for pkg in "${MUWU_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo="sudo"
    else
      echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
      return 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq </dev/null
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}
