#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build (with the
# Qt program, tested offscreen) and once under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

"$root/scripts/build.sh" "$root/build"
ctest --test-dir "$root/build" --output-on-failure -j2

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The Qt program is left out here: the sanitizers watch the library and the CLI.
"$root/scripts/build.sh" "$root/build-asan" -DKELVORA_SANITIZE=ON -DKELVORA_BENCH=OFF -DKELVORA_APP=OFF \
  -DCMAKE_BUILD_TYPE=Debug
ctest --test-dir "$root/build-asan" --output-on-failure -j2

# Every fuzz target for 30 seconds: a regression that crashes on hostile input fails here.
"$root/scripts/fuzz.sh" 30
