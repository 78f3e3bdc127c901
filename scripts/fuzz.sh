#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a number of seconds, one after
# another (one core):
#   scripts/fuzz.sh SECONDS [TARGET...]
# With KELVORA_FUZZ_RUNS=N each target also stops after N executions (long runs that
# must reach a count: give enough seconds).
# Prints per target the executions, the findings (crashes, sanitizer reports, leaks,
# inputs slower than a second, memory exhaustion) and the slowest input of its corpus.
# Exits 1 when anything was found. The build and the grown corpora live in build-fuzz/
# (KELVORA_FUZZ_DIR to change it); the findings of the last run of a target are in
# build-fuzz/findings/TARGET/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ $# -lt 1 || ! "$1" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh SECONDS [TARGET...]" >&2
  exit 2
fi
seconds=$1
shift
dir=${KELVORA_FUZZ_DIR:-$root/build-fuzz}

# One per text entry point of the library, and the compiled-versus-text differential
# target; the seeds of each are in fuzz/corpus/NAME.
all_targets=(evaluate keypad fraction_line equation inequality linear_system graph compiled_vs_text)
if [[ $# -gt 0 ]]; then all_targets=("$@"); fi

"$root/scripts/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DKELVORA_FUZZ=ON -DKELVORA_APP=OFF \
  -DKELVORA_TESTS=OFF -DKELVORA_BENCH=OFF >/dev/null
cmake --build "$dir" --target fuzz_targets -- -j"${KELVORA_JOBS:-2}"

# Anything slower than a second is a finding: every operation of the engine must finish
# within 100 ms on texts of up to 1024 characters, and the sanitizers cost a few times that.
options=(-max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -max_len=1024 -print_final_stats=1)
if [[ -n "${KELVORA_FUZZ_RUNS:-}" ]]; then options+=(-runs="$KELVORA_FUZZ_RUNS"); fi

# The slowest input of the corpora, in milliseconds, each input run once. An input that
# fails here stops its batch; the run itself has reported it.
slowest_ms() {
  local binary=$1
  shift
  { find "$@" -type f -print0 | xargs -0 -r -n 500 "$binary" 2>&1 || true; } |
    awk '/^Executed .* in [0-9]+ ms$/ { if ($(NF-1) + 0 > max) max = $(NF-1) + 0 } END { print max + 0 }'
}

found=0
printf '%-16s %14s %9s %12s\n' target executions findings slowest
for name in "${all_targets[@]}"; do
  binary=$dir/fuzz/fuzz_$name
  seeds=$root/fuzz/corpus/$name
  corpus=$dir/corpus/$name
  findings=$dir/findings/$name
  log=$dir/logs/$name.log
  if [[ ! -x "$binary" || ! -d "$seeds" ]]; then
    echo "no fuzz target '$name'" >&2
    exit 2
  fi
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  dict=()
  [[ "$name" == keypad ]] || dict=(-dict="$root/fuzz/kelvora.dict")

  "$binary" "${options[@]}" "${dict[@]}" -artifact_prefix="$findings/" "$corpus" "$seeds" >"$log" 2>&1 || true

  executions=$(awk '/^stat::number_of_executed_units:/ { print $2 }' "$log")
  count=$(find "$findings" -type f | wc -l)
  slowest=$(slowest_ms "$binary" "$corpus" "$seeds")
  printf '%-16s %14s %9s %9s ms\n' "$name" "${executions:-?}" "$count" "$slowest"
  if ((count > 0)) || [[ -z "$executions" ]]; then
    found=1
    find "$findings" -type f -printf '  %p\n'
    grep -E '^(==[0-9]+==ERROR|==== |SUMMARY)' "$log" | head -n 6 | sed 's/^/  /' || true
    echo "  log: $log"
  fi
done
exit "$found"
