#!/usr/bin/env bash
# Checks a Debian package of 沐梧取名器 without installing it: unpacks it into a temporary root,
# looks at what it holds and declares, runs the unpacked muwu-cli there from another folder and
# starts the unpacked muwu, and runs lintian, appstreamcli and desktop-file-validate.
#   check_package.sh muwu_3.0.28_amd64.deb
#   check_package.sh --build BUILD_DIR      # packs BUILD_DIR first (with cpack), then checks
# Nothing outside the temporary folder is touched. Exits non-zero at the first fault, naming it.
set -euo pipefail

fail() {
  echo "check_package: $*" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ "${1:-}" = --build ]; then
  [ $# -eq 2 ] || fail "usage: check_package.sh --build BUILD_DIR"
  cpack --config "$2/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
  set -- "$work"/cpack/muwu_*.deb
fi
[ $# -eq 1 ] && [ -f "$1" ] || fail "usage: check_package.sh PACKAGE.deb | --build BUILD_DIR"
deb=$(realpath "$1")
root=$work/root
dpkg-deb -x "$deb" "$root"
dpkg-deb -e "$deb" "$work/control"

# What it declares.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = muwu ] || fail "the package is not named muwu"
version=$(field Version)
arch=$(field Architecture)
[ "$(basename "$deb")" = "muwu_${version}_${arch}.deb" ] || fail "$(basename "$deb") is not named muwu_${version}_${arch}.deb"
depends=$(field Depends)
for need in libqt6widgets6 fonts-noto-cjk qt6-translations-l10n xdg-utils tzdata; do
  [[ $depends == *"$need"* ]] || fail "Depends lacks $need: $depends"
done
# Without maintainer scripts dpkg alone places and removes the files: removal leaves none behind.
for script in preinst postinst prerm postrm config; do
  [ ! -e "$work/control/$script" ] || fail "the package has a $script script"
done

# What it installs.
for f in usr/bin/muwu usr/bin/muwu-cli usr/share/muwu/01画的字.txt usr/share/muwu/4.lib \
  usr/share/applications/muwu.desktop usr/share/icons/hicolor/scalable/apps/muwu.svg \
  usr/share/metainfo/example.muwu.muwu.metainfo.xml usr/share/man/man1/muwu.1.gz \
  usr/share/man/man1/muwu-cli.1.gz usr/share/bash-completion/completions/muwu-cli \
  usr/share/doc/muwu/copyright usr/share/doc/muwu/changelog.gz; do
  [ -s "$root/$f" ] || fail "the package lacks /$f"
done
for size in 48 64 128 256; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/muwu.png
  [ -s "$png" ] || fail "the package lacks the ${size} px icon"
  # Width and height sit in the PNG header at bytes 16-23.
  [ "$(od --endian=big -An -tu4 -j16 -N8 "$png" | tr -s ' ')" = " $size $size" ] ||
    fail "the ${size}x${size} icon is not ${size} px square"
done
grep -q "version=\"$version\"" "$root/usr/share/metainfo/example.muwu.muwu.metainfo.xml" ||
  fail "the AppStream release is not $version"

# The unpacked programs run from another folder, finding the data beside their bin folder.
home=$work/home
mkdir -p "$home/.config/muwu" "$work/elsewhere"
# The visits to the maker's pages count as made, so the start opens no browser.
printf '[参数]\n已经打开官方网页=true\n已经打开作者网页=true\n' >"$home/.config/muwu/沐梧取名器.ini"
run() {
  (cd "$work/elsewhere" && env -i PATH=/usr/bin:/bin LC_ALL=C.UTF-8 HOME="$home" \
    XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$work" MUWU_SITE=http://site.invalid "$@")
}
out=$(run "$root/usr/bin/muwu-cli" analyze 张三丰) || fail "muwu-cli analyze 张三丰 failed: $out"
for line in "天格：12（凶）" "地格：21（大吉）" "三才：木火木（吉）"; do
  [[ $out == *"$line"* ]] || fail "muwu-cli analyze 张三丰 does not show $line: $out"
done
[ "$(run "$root/usr/bin/muwu-cli" --version)" = "muwu-cli $version" ] || fail "muwu-cli --version is not $version"
# The desktop program is still running after two seconds: it found its libraries and data.
status=0
run timeout 2 env QT_QPA_PLATFORM=offscreen "$root/usr/bin/muwu" >"$work/muwu.log" 2>&1 || status=$?
[ $status -eq 124 ] || { cat "$work/muwu.log" >&2; fail "muwu ended with status $status at its start"; }

# The validators of the desktop and of Debian.
desktop-file-validate "$root/usr/share/applications/muwu.desktop" || fail "desktop-file-validate refused muwu.desktop"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/example.muwu.muwu.metainfo.xml" ||
  fail "appstreamcli refused the metainfo"
appstreamcli validate-tree --no-net "$root" >"$work/tree.log" 2>&1 ||
  { cat "$work/tree.log" >&2; fail "appstreamcli refused the installed tree"; }
for page in muwu muwu-cli; do
  warnings=$(man --warnings -E UTF-8 -l -Tutf8 -Z "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page(1) draws warnings: $warnings"
done
lintian --fail-on error --info "$deb" || fail "lintian found errors"
echo "check_package: $(basename "$deb") is sound"
