#!/usr/bin/env bash
# Builds the game with its generated data, stages an install folder and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DPLK_BENCH=OFF >/dev/null
cmake --build build-release -j "$(nproc)"

# The build has staged the install folder (the program with data/ beside it); the per-user
# registry value tells the game where it is.
stage="$(pwd)/build-release/stage"
if [[ -n "${VREGISTRY_DIR:-}" ]]; then
  registry="$VREGISTRY_DIR"
else
  registry="${XDG_CONFIG_HOME:-$HOME/.config}/vregistry"
fi
key="$registry/HKEY_CURRENT_USER/Software/Vantorel Software/Games/Plinkett3"
mkdir -p "$key"
printf '%s/' "$stage" > "$key/InstallPath"

exec "$stage/Plinkett3" "$@"
