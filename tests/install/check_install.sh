#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks the tree: the programs, the desktop entry
# and the AppStream file (both validated), the icon theme and the shared files; then starts the
# installed program as its desktop entry does, for a user with an empty data folder, and checks
# that it makes its program folder there, seeded with the shared files.
# Usage: check_install.sh <build folder>
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'kill "${program:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
prefix="$work/prefix"
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for path in bin/parlumo bin/parlumo-send bin/parlumo-sim \
    share/applications/net.parlumo.Parlumo.desktop share/metainfo/net.parlumo.Parlumo.metainfo.xml \
    share/icons/hicolor/scalable/apps/net.parlumo.Parlumo.svg \
    share/parlumo/keyword.txt share/parlumo/loginbg.bmp \
    share/parlumo/彩信示例文件/stars.gif share/parlumo/声音文件/示例语音.wav; do
  [ -e "$prefix/$path" ] || fail "the install tree lacks $path"
done
for side in 16 24 32 48 64 128 256; do
  [ -s "$prefix/share/icons/hicolor/${side}x${side}/apps/net.parlumo.Parlumo.png" ] || fail "no ${side}px icon"
done
[ -x "$prefix/bin/parlumo" ] || fail "bin/parlumo is not executable"

desktop="$prefix/share/applications/net.parlumo.Parlumo.desktop"
# Hints (two main categories, as the entry is meant to have) are not faults; anything else is.
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
if grep -v ': hint: ' <<<"$report" | grep -q .; then fail "desktop-file-validate: $report"; fi
appstreamcli validate --no-net "$prefix/share/metainfo/net.parlumo.Parlumo.metainfo.xml" >/dev/null ||
  fail "appstreamcli rejects the metainfo file"
grep -qx 'StartupWMClass=Parlumo' "$desktop" || fail "StartupWMClass is not the window class"
grep -qx 'Icon=net.parlumo.Parlumo' "$desktop" || fail "the entry names another icon"

# --version and --help are answered without any window system.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$prefix/bin/parlumo" --version)
[[ "$version" == "Parlumo 4.4.0.0" ]] || fail "--version printed: $version"
env -u DISPLAY "$prefix/bin/parlumo" --help | grep -q -- '--home <dir>' || fail "--help does not name --home"

# Started as the entry says (its Exec line, from the installed bin folder on PATH).
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
export XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset PARLUMO_HOME
PATH="$prefix/bin:$PATH" $exec_line &
program=$!
home="$XDG_DATA_HOME/Parlumo"
for _ in $(seq 100); do
  [ -s "$home/db.db" ] && [ -e "$home/声音文件/示例语音.wav" ] && break
  sleep 0.2
done
kill -0 "$program" 2>/dev/null || fail "the installed program ended at start"
for path in db.db keyword.txt loginbg.bmp 彩信示例文件/stars.gif 声音文件/示例语音.wav; do
  [ -e "$home/$path" ] || fail "the program folder $home lacks $path"
done
[ -e "$prefix/bin/db.db" ] && fail "the program wrote its database beside the installed executable"
echo "install tree and desktop start: ok"
