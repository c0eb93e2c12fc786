#!/usr/bin/env bash
# Sets everything up, builds the game and starts it. The table of best results is kept in
# "Scores.dat" in the directory you start it from.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" build run
cmake -S "$root" --preset default >/dev/null
cmake --build "$root/build/default" -j"$(nproc)" --target popadaika
exec "$root/build/default/src/popadaika"
