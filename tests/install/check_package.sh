#!/usr/bin/env bash
# Checks a built Debian package: what it installs, what it depends on, and that its desktop
# entry validates. Usage: check_package.sh <file.deb>
set -euo pipefail
deb=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

contents=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/parlumo ./usr/bin/parlumo-send ./usr/bin/parlumo-sim ./usr/share/applications/net.parlumo.Parlumo.desktop \
    ./usr/share/metainfo/net.parlumo.Parlumo.metainfo.xml \
    ./usr/share/icons/hicolor/256x256/apps/net.parlumo.Parlumo.png \
    ./usr/share/icons/hicolor/scalable/apps/net.parlumo.Parlumo.svg \
    ./usr/share/parlumo/keyword.txt ./usr/share/parlumo/彩信示例文件/stars.gif ./usr/share/parlumo/声音文件/示例语音.wav; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done
depends=$(dpkg-deb --field "$deb" Depends)
for library in libqt6widgets6 libcurl4 libxlsxwriter libminizip1 libqt6sql6-sqlite; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb --field "$deb" Package)" = parlumo ] || fail "the package is not named parlumo"
dpkg-deb --extract "$deb" "$work"
# Hints (two main categories, as the entry is meant to have) are not faults; anything else is.
report=$(desktop-file-validate "$work/usr/share/applications/net.parlumo.Parlumo.desktop" 2>&1) || fail "desktop-file-validate: $report"
if grep -v ': hint: ' <<<"$report" | grep -q .; then fail "desktop-file-validate: $report"; fi
echo "package $(basename "$deb"): ok"
