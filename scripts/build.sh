#!/usr/bin/env bash
# Configures and builds Korvath into build/: everything, or the targets named
# (e.g. `scripts/build.sh korvath` for the game and its media alone).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$root/build" -j"$(nproc)" "${targets[@]}"
