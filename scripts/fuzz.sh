#!/usr/bin/env bash
# Builds the fuzz preset and runs each fuzz target for a bounded time.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   (default: 20 seconds, every target)
# Fails when a target crashes, leaks, hangs or breaks an invariant. The input
# that did it is kept in build/fuzz/crashes/<target>/; once fixed, copy it into
# tests/fuzz/regressions/<target>/ so the ordinary suite replays it for good.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
shift || true

bash scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for source in tests/fuzz/*_fuzz.cpp; do
    name="$(basename "$source" .cpp)"
    targets+=("${name%_fuzz}")
  done
fi

# Inputs longer than the records a target reads only slow the mutations down.
max_len() {
  case "$1" in
    keymap_file|profile_file) echo 12000 ;;
    macro_file) echo 30000 ;;
    link_replies) echo 20000 ;;
    macro_edit) echo 4096 ;;
    macro_stream) echo 380 ;;
    *) echo 64 ;;
  esac
}

failed=()
for target in "${targets[@]}"; do
  work="build/fuzz/corpus/$target"
  crashes="build/fuzz/crashes/$target"
  mkdir -p "$work" "$crashes" "tests/fuzz/regressions/$target"
  log="build/fuzz/$target.log"
  echo "== $target: ${seconds} s"
  # The first folder takes what the run finds; seeds and regressions are read.
  if ! build/fuzz/bin/"${target}_fuzz" -max_total_time="$seconds" -max_len="$(max_len "$target")" \
      -timeout=10 -print_final_stats=1 -artifact_prefix="$crashes/" \
      "$work" "tests/fuzz/corpus/$target" "tests/fuzz/regressions/$target" >"$log" 2>&1; then
    failed+=("$target")
    tail -n 40 "$log"
  fi
  # The last status line carries the coverage; the final stats the speed.
  status="$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)"
  speed="$(grep -E 'stat::average_exec_per_sec' "$log" | awk '{print $2}' || true)"
  echo "   ${status%% lim:*} exec/s: ${speed:-?}"
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found a crash in: ${failed[*]} (inputs in build/fuzz/crashes/)" >&2
  exit 1
fi
