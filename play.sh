#!/usr/bin/env bash
# Builds the game with its generated data, stages an install folder and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DPLK_BENCH=OFF >/dev/null
cmake --build build-release -j "$(nproc)"
