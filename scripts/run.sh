#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kelvora. Without a display it says so and
# shows kelvora-cli, the same engine in the terminal, instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" -DKELVORA_TESTS=OFF -DKELVORA_BENCH=OFF

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$root/build/app/Kelvora"
fi

echo "No display (\$DISPLAY and \$WAYLAND_DISPLAY are empty), so Kelvora cannot open its window; use build/cli/kelvora-cli, the same calculator in the terminal:"
cli="$root/build/cli/kelvora-cli"
demo() {
  printf '$ kelvora-cli %s\n' "$*"
  "$cli" "$@" || true
}
demo keys 1 2 + 3 =
demo eval "2^3^2"
demo eval "sqrt(16)+abs(-3)"
demo eval "sin(0.00001)"
demo keys 2 1 fact
demo --precision 2 eval "2*2"
demo quadratic 1 -3 2
demo fraction "1/2+1/3"
