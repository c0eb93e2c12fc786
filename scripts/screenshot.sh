#!/usr/bin/env bash
# Takes README's picture of a round in play, docs/round.png (or the file given): the game in a
# virtual X server with a light window manager, started in an empty directory; a nickname is
# typed into its prompt, a round is started and, a few seconds later, the window is captured.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/round.png}")
"$root/scripts/install-deps.sh"
cmake -S "$root" --preset default >/dev/null
cmake --build "$root/build/default" -j"$(nproc)" --target popadaika >/dev/null
binary=$root/build/default/src/popadaika

work=$(mktemp -d)
screen=800x600x24
# shellcheck source=scripts/xserver.sh
source "$root/scripts/xserver.sh"
visible() { xdotool search --onlyvisible --name "^$1\$" | head -n1; }

mkdir "$work/play"
(cd "$work/play" && exec "$binary") >"$work/game.log" 2>&1 &
pids+=($!)
retry visible 'Попадайка'
window=$(visible 'Попадайка')
# Button centres in the window, in pixels: the menu frame's place plus the button's.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
click 68 444 # НикНейм
retry visible 'Ваш ник'
xdotool windowactivate --sync "$(visible 'Ваш ник')"
xdotool type --delay 50 'Вася'
xdotool key Return
retry test -z "$(visible 'Ваш ник')"
click 180 444 # Начать
sleep 4 # some targets are up, fewer than the ten that end the round
mkdir -p "$(dirname "$out")"
import -frame -window "$window" "$out"
echo "$out"
