#!/usr/bin/env bash
# Builds everything and runs every test, then the unit tests again under ASan and UBSan, the fuzz
# targets briefly (Clang) and the threaded tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

jobs=$(nproc)
export SDL_AUDIODRIVER=dummy

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPLK_SANITIZE=ON -DPLK_CONTENT=OFF -DPLK_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build-asan -L unit --output-on-failure -j "$jobs"

# The fuzz targets built with Clang: each runs a few seconds over the seeds made from the shipped
# files (the regressions were replayed above, in both builds).
FUZZ_SEEDS_ONLY=1 ./scripts/fuzz.sh 4

# ThreadSanitizer over the tests whose code runs on two threads: the start-up loader, the HTTP
# client and the score worker with its write-back to the level, the server under concurrent requests,
# and the mixer's thread reading streamed music.
tsan_tests=(app_tests online_tests online_flow_tests server_tests platform_audio_tests)
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLK_TSAN=ON -DPLK_CONTENT=OFF -DPLK_BENCH=OFF >/dev/null
cmake --build build-tsan -j "$jobs" --target "${tsan_tests[@]}"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build-tsan --output-on-failure -j "$jobs" \
  -R "^($(IFS='|'; echo "${tsan_tests[*]}"))\$"
