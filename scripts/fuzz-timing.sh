#!/usr/bin/env bash
# How long each input of the fuzz corpora takes at the program's own speed: builds the
# targets without sanitizers or coverage (Release) and runs every seed and every input the
# fuzz runs kept once, printing per target the number of inputs and the slowest ones.
#   scripts/fuzz-timing.sh [TARGET...]
# The corpora are read from build-fuzz/ (KELVORA_FUZZ_DIR); the build goes to
# build-fuzz-timing/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
corpora=${KELVORA_FUZZ_DIR:-$root/build-fuzz}/corpus
dir=$root/build-fuzz-timing
targets=(evaluate keypad fraction_line equation inequality linear_system graph compiled_vs_text)
if [[ $# -gt 0 ]]; then targets=("$@"); fi

"$root/scripts/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVORA_FUZZ=ON \
  -DKELVORA_FUZZ_REPLAY_ONLY=ON -DKELVORA_APP=OFF -DKELVORA_TESTS=OFF -DKELVORA_BENCH=OFF >/dev/null
cmake --build "$dir" --target fuzz_targets -- -j"${KELVORA_JOBS:-2}"

printf '%-16s %8s   %s\n' target inputs 'slowest (ms)'
for name in "${targets[@]}"; do
  inputs=("$root/fuzz/corpus/$name")
  [[ -d "$corpora/$name" ]] && inputs+=("$corpora/$name")
  times=$(find "${inputs[@]}" -type f -print0 | xargs -0 -r -n 500 "$dir/fuzz/fuzz_$name" 2>&1 |
    awk '/^Executed .* in [0-9]+ ms$/ { print $(NF-1) }' | sort -n -r)
  count=$(printf '%s\n' "$times" | grep -c . || true)
  printf '%-16s %8s   %s\n' "$name" "$count" "$(printf '%s\n' "$times" | head -n 5 | tr '\n' ' ')"
done
