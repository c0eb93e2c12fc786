#!/usr/bin/env bash
# Starts the real game in a real X server with a window manager, finds its window by its exact
# title, checks the client size, closes it through the window manager and checks that the game
# ended cleanly and left its score file behind.
set -uo pipefail

binary=$1
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A display number that is free: let Xvfb pick it.
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
unset QT_QPA_PLATFORM

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
wmctrl -m >/dev/null 2>&1 || fail "the window manager did not start"

mkdir "$work/play"
(cd "$work/play" && exec "$binary") >"$work/game.log" 2>&1 &
game=$!

window=
for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --name '^Попадайка$' 2>/dev/null | head -n1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { cat "$work/game.log"; fail "no window titled exactly 'Попадайка'"; }

geometry=$(xwininfo -id "$window")
width=$(awk '/^ *Width:/ {print $2}' <<<"$geometry")
height=$(awk '/^ *Height:/ {print $2}' <<<"$geometry")
[ "$width" = 476 ] && [ "$height" = 477 ] || fail "client area is ${width}x${height}, not 476x477"

wmctrl -i -c "$window" || fail "the window manager could not close the window"
for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game" 2>/dev/null && fail "the game did not end after its window was closed"
wait "$game"
status=$?
[ "$status" -eq 0 ] || { cat "$work/game.log"; fail "the game ended with status $status"; }

left=$(ls -A "$work/play")
[ "$left" = "Scores.dat" ] || fail "the directory holds '$left' instead of just Scores.dat"
echo "1 passed, 0 failed"
