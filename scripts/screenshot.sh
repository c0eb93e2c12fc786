#!/usr/bin/env bash
# Takes README's pictures, docs/round.png, docs/results.png and docs/statistics.png (or the three
# files given): the game in a virtual X server with a light window manager, played by
# scripts/screenshot.py.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
round=$(realpath -m "${1:-$root/docs/round.png}")
results=$(realpath -m "${2:-$root/docs/results.png}")
statistics=$(realpath -m "${3:-$root/docs/statistics.png}")
"$root/scripts/install-deps.sh" build run shot
cmake -S "$root" --preset default >/dev/null
cmake --build "$root/build/default" -j"$(nproc)" --target popadaika >/dev/null

work=$(mktemp -d)
screen=800x600x24
# shellcheck source=scripts/xserver.sh
source "$root/scripts/xserver.sh"
setxkbmap ru
export LC_ALL=C.UTF-8 HOME=$work XDG_RUNTIME_DIR=$work XDG_DATA_HOME=$work/data
mkdir -p "$(dirname "$round")" "$(dirname "$results")" "$(dirname "$statistics")"
dbus-run-session -- /usr/bin/python3 "$root/scripts/screenshot.py" \
    "$root/build/default/src/popadaika" "$round" "$results" "$statistics"
echo "$round $results $statistics"
