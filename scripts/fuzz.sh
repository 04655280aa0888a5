#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with Clang (AddressSanitizer and UBSan) and runs each
# for SECONDS (default 60) on its corpus: build-fuzz/fuzz/corpus/<target>, grown run after run, and
# the seeds made from the shipped files. An input that breaks a target is kept under
# build-fuzz/fuzz/findings/<target>/; copy it to tests/fuzz/regressions/<target>/ once fixed.
#   FUZZ_TARGETS="level_document image"  runs only those targets
#   FUZZ_SEEDS_ONLY=1                     runs over the seeds alone, keeping no corpus (./test.sh)
# Exits non-zero when a target found anything.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=$(nproc)
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLK_FUZZ=ON \
  -DPLK_CONTENT=OFF -DPLK_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$jobs" --target fuzz_all >/dev/null

read -r -a all_targets <<<"$(tr ';' ' ' <"$build/tests/fuzz/targets.txt")"
read -r -a targets <<<"${FUZZ_TARGETS:-${all_targets[*]}}"
seeds="$build/tests/fuzz/seeds"
work="$build/fuzz"
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

dictionary() {
  case "$1" in
    level_document | xstring_parse) echo "-dict=tests/fuzz/dict/level.dict" ;;
    level_sets | video_mode | startup_checks | soap_response | score_request) echo "-dict=tests/fuzz/dict/xml.dict" ;;
  esac
}

failed=()
for target in "${targets[@]}"; do
  findings="$work/findings/$target"
  mkdir -p "$findings" "$seeds/$target"
  if [ -n "${FUZZ_SEEDS_ONLY:-}" ]; then
    corpus=$(mktemp -d)
  else
    corpus="$work/corpus/$target"
    mkdir -p "$corpus"
  fi
  log="$work/$target.log"
  echo "== $target: ${seconds}s"
  status=0
  # shellcheck disable=SC2046
  "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" $(dictionary "$target") "$corpus" "$seeds/$target" >"$log" 2>&1 || status=$?
  grep -E "^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)|cov: " "$log" |
    tail -5 | sed 's/^/   /'
  if [ -n "${FUZZ_SEEDS_ONLY:-}" ]; then rm -rf "$corpus"; fi
  if [ "$status" -ne 0 ]; then
    echo "   FAILED (exit $status), see $log and $findings"
    grep -m3 -E "ERROR|fuzz property broken|runtime error" "$log" | sed 's/^/   /' || true
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "Findings in: ${failed[*]}"
  exit 1
fi
