#!/usr/bin/env bash
# cmake --install puts the program, its library, the .desktop file and the icon where a
# Linux desktop finds them, and the installed program finds its library.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
check() {
  if ! "$@"; then
    echo "FAIL: $*"
    failed=1
  fi
}
check test -x "$prefix/bin/Kelvora"
check test -f "$prefix/lib/libabacor.so"
check grep -qx 'Exec=Kelvora' "$prefix/share/applications/kelvora.desktop"
check grep -qx 'Icon=kelvora' "$prefix/share/applications/kelvora.desktop"
check grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/kelvora.svg"
loaded=$(ldd "$prefix/bin/Kelvora" | awk '$1 == "libabacor.so" { print $3 }')
check test "$(realpath -m "${loaded:-missing}")" = "$(realpath "$prefix/lib/libabacor.so")"

if ((failed)); then
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
