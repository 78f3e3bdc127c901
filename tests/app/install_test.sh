#!/usr/bin/env bash
# cmake --install puts the program, its library, the .desktop file, the icon and the
# metainfo where a Linux desktop and a software centre find them, and the installed
# program finds its library and starts. `cpack -G DEB` packs the same files with their
# dependencies declared, and the unpacked program starts too.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

passed=0
failed=0
check() {
  if "$@"; then
    passed=$((passed + 1))
  else
    echo "FAIL: $*"
    failed=$((failed + 1))
  fi
}

# Still running after the time allowed means it started; it must not write to the
# user's own settings meanwhile.
starts() {
  local status=0
  HOME=$work/home XDG_CONFIG_HOME=$work/home/.config QT_QPA_PLATFORM=offscreen timeout 3 "$1" || status=$?
  test "$status" -eq 124
}

check_tree() {
  local root=$1 lib=$2
  check test -x "$root/bin/Kelvora"
  check test -f "$root/$lib/libabacor.so"
  check grep -qx 'Exec=Kelvora' "$root/share/applications/kelvora.desktop"
  check grep -qx 'Icon=kelvora' "$root/share/applications/kelvora.desktop"
  check grep -q '<svg' "$root/share/icons/hicolor/scalable/apps/kelvora.svg"
  check grep -q '<launchable type="desktop-id">kelvora.desktop</launchable>' \
    "$root/share/metainfo/org.kelvora.kelvora.metainfo.xml"
  check appstreamcli validate-tree --no-net "$root" >/dev/null
  local loaded
  loaded=$(ldd "$root/bin/Kelvora" | awk '$1 == "libabacor.so" { print $3 }')
  check test "$(realpath -m "${loaded:-missing}")" = "$(realpath "$root/$lib/libabacor.so")"
  check starts "$root/bin/Kelvora"
}

check_tree "$prefix" lib

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >/dev/null
deb=$(find "$work/deb" -maxdepth 1 -name 'kelvora_*.deb' | head -n 1)
check test -n "$deb"
info=$(dpkg-deb --field "$deb" Package Depends Recommends)
check grep -qx 'Package: kelvora' <<<"$info"
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 qt6-qpa-plugins; do
  check grep -q "^Depends:.*\b$dependency\b" <<<"$info"
done
for recommended in qt6-translations-l10n libqt6svg6 fonts-noto-color-emoji; do
  check grep -q "^Recommends:.*\b$recommended\b" <<<"$info"
done
dpkg-deb -x "$deb" "$work/unpacked"
check_tree "$work/unpacked/usr" lib

echo "$passed passed, $failed failed"
((failed == 0))
