#!/usr/bin/env bash
# Takes README's pictures, docs/round.png and docs/results.png (or the two files given): the game
# in a virtual X server with a light window manager, played by scripts/screenshot.py.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
round=$(realpath -m "${1:-$root/docs/round.png}")
results=$(realpath -m "${2:-$root/docs/results.png}")
"$root/scripts/install-deps.sh" build run shot
cmake -S "$root" --preset default >/dev/null
cmake --build "$root/build/default" -j"$(nproc)" --target popadaika >/dev/null

work=$(mktemp -d)
screen=800x600x24
# shellcheck source=scripts/xserver.sh
source "$root/scripts/xserver.sh"
setxkbmap ru
export LC_ALL=C.UTF-8 HOME=$work XDG_RUNTIME_DIR=$work
mkdir -p "$(dirname "$round")" "$(dirname "$results")"
dbus-run-session -- /usr/bin/python3 "$root/scripts/screenshot.py" \
    "$root/build/default/src/popadaika" "$round" "$results"
echo "$round $results"
