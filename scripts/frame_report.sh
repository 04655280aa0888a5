#!/usr/bin/env bash
# Frame-time report: this checkout against an earlier commit, side by side in one run.
#
#   scripts/frame_report.sh [BASE_REF] [FRAMES]
#
# Builds bench_frame_times and the data for this checkout and for BASE_REF (default 8cdca86: the
# drawing before the cheaper-pixel work; the benchmark's source is copied into it), then times
# every view at 800x600, 1024x768 and 1920x1080, alternating the two builds a few views at a time
# (base, new, new, base, ...) so that other load on the machine falls on both alike. Prints median
# and 95th-percentile wall time and median processor time per frame in ms of both, the load average,
# and the peak resident memory of the busiest level at 1920x1080. Work goes to build-report/
# (PLK_REPORT_DIR); the raw lines stay there.
set -euo pipefail
cd "$(dirname "$0")/.."

base_ref=${1:-8cdca86}
frames=${2:-120}
report=${PLK_REPORT_DIR:-$PWD/build-report}
sizes=(800x600 1024x768 1920x1080)
chunk=7
busiest=StdLevel25
export SDL_AUDIODRIVER=dummy LP_NUM_THREADS=${LP_NUM_THREADS:-2}

if [[ ${PLK_REPORT_RUN:-} != 1 ]]; then
  mkdir -p "$report"
  rm -rf "$report/base-src"
  mkdir -p "$report/base-src"
  git archive "$base_ref" | tar -x -C "$report/base-src"
  cp bench/frame_times.cpp bench/CMakeLists.txt "$report/base-src/bench/"
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  for side in base new; do
    src=$PWD
    [[ $side == base ]] && src=$report/base-src
    cmake -S "$src" -B "$report/$side" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLK_BENCH=ON -DPLK_CONTENT=ON \
      "${launcher[@]}" >/dev/null
    cmake --build "$report/$side" -j "$(nproc)" --target bench_frame_times content_art content_ui content_sound \
      content_levels content_help >/dev/null
  done
  # The largest window needs a screen that holds it with room to spare.
  PLK_REPORT_RUN=1 PLK_REPORT_DIR="$report" xvfb-run -a -s "-screen 0 2560x1600x24" "$0" "$base_ref" "$frames"
  exit
fi

run() { # side size views...
  local side=$1 size=$2
  shift 2
  "$report/$side/bench/bench_frame_times" --size "$size" --frames "$frames" "$@" >>"$report/$side.txt"
}

rm -f "$report/base.txt" "$report/new.txt"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
mapfile -t views < <("$report/new/bench/bench_frame_times" --list)
round=0
for size in "${sizes[@]}"; do
  for ((i = 0; i < ${#views[@]}; i += chunk)); do
    part=("${views[@]:i:chunk}")
    if ((round++ % 2 == 0)); then
      run base "$size" "${part[@]}"
      run new "$size" "${part[@]}"
    else
      run new "$size" "${part[@]}"
      run base "$size" "${part[@]}"
    fi
  done
done

echo "Frame times in ms: wall median / 95th percentile, and processor median (all threads), $frames frames per view"
echo "base: $(git rev-parse --short "$base_ref")  new: $(git rev-parse --short HEAD)$(git diff --quiet HEAD || echo ' +changes')"
echo "LP_NUM_THREADS=$LP_NUM_THREADS, load average before: $load_before, after: $(cut -d' ' -f1-3 /proc/loadavg)"
awk '
  FNR == NR { base[$1 " " $2] = $4 " " $5 " " $6; next }
  ($1 " " $2) in base {
    split(base[$1 " " $2], b, " ")
    printf "%-12s %-9s  base %7.2f / %7.2f  cpu %7.2f   new %7.2f / %7.2f  cpu %7.2f   median %+4.0f%%  cpu %+4.0f%%\n",
      $1, $2, b[1], b[2], b[3], $4, $5, $6, 100 * ($4 - b[1]) / b[1], 100 * ($6 - b[3]) / b[3]
  }' "$report/base.txt" "$report/new.txt"

for side in base new new base; do
  "$report/$side/bench/bench_frame_times" --size 1920x1080 --frames "$frames" "$busiest" >"$report/$side-peak.txt"
  echo "peak resident memory, $busiest at 1920x1080, $side: $(awk '{print $7}' "$report/$side-peak.txt") MB"
done
