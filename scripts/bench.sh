#!/usr/bin/env bash
# Builds the benchmark programs (the default preset: RelWithDebInfo), starts a virtual X server
# with a light window manager, and prints one table of the game's performance against its
# baselines. Takes a few minutes. Optional: the number of runs per figure (default 5), and one
# part alone (startup, pace, clicks or memory) for a quick look.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
"$root/scripts/install-deps.sh" build run bench
cmake -S "$root" --preset default -DPOPADAIKA_BENCH=ON >/dev/null
cmake --build "$root/build/default" -j2 --target bench_window bench_report bench_stats >/dev/null
bench=$root/build/default/bench

work=$(mktemp -d)
screen=1024x768x24
# shellcheck source=scripts/xserver.sh
source "$root/scripts/xserver.sh"

# A fixed environment: the X11 platform, no desktop theme, one locale, and a data folder of its
# own, so that the rounds played leave no trace in the player's history.
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME
export LC_ALL=C.UTF-8 LANG=C.UTF-8
export XDG_RUNTIME_DIR=$work/runtime XDG_DATA_HOME=$work/data
mkdir -m 700 "$XDG_RUNTIME_DIR"

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
(cd "$work" && "$bench/bench_report" "$bench/bench_window" "$runs" ${2:+"$2"})
# The statistics window on a history of 10,000 rounds, on the same X server.
[ -n "${2:-}" ] || "$bench/bench_stats"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
