#!/usr/bin/env bash
# The game in a real X session, under xsm driven through its own window: a checkpoint leaves the
# game running and its table unwritten; a shutdown closes it quietly, the table saved, status 0.
set -uo pipefail

binary=$1
for tool in Xvfb openbox xprop xdotool xsm iceauth; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
pids=()
# shellcheck disable=SC2154 # pid is the loop's own
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done; wait; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# Runs its arguments until they succeed, for at most ten seconds.
retry() { for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done; return 1; }
visible() { xdotool search --onlyvisible --name "$1" | head -n1; }
# A child that has ended may stay a zombie until it is waited for.
ended() { ! kill -0 "$game" 2>/dev/null || grep -q zombie "/proc/$game/status"; }
# The table differs from the one written at the start, in its bytes or its time.
written() { ! cmp -s Scores.dat "$work/start.dat" || [ "$(stat -c %y Scores.dat)" != "$(stat -c %y "$work/start.dat")" ]; }

# As scripts/xserver.sh, but without the reset when the last client leaves, which can refuse
# the window manager's connection.
exec 3>"$work/display"
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
retry test -s "$work/display" || fail "no X server: $(cat "$work/xvfb.log")"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
unset QT_QPA_PLATFORM
export LC_ALL=C.UTF-8 # xdotool reads and matches window titles as UTF-8
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
# xdotool raises and focuses windows through the window manager, once it offers that.
retry sh -c 'xprop -root _NET_SUPPORTED | grep -q _NET_ACTIVE_WINDOW' || fail "no window manager: $(cat "$work/openbox.log")"

# A home of its own, so xsm starts nothing of the machine's: its start-up list only prints the
# address it hands to its clients.
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR" "$work/cwd"
echo "printenv SESSION_MANAGER" >"$HOME/.xsmstartup"
xsm >"$work/xsm.out" 2>"$work/xsm.log" &
pids+=($!)
retry grep -q '^local/' "$work/xsm.out" || fail "xsm started no client: $(cat "$work/xsm.log")"
retry visible '^xsm: ' || fail "no xsm window"
manager=$(visible '^xsm: ')

cd "$work/cwd" || fail "no working directory"
SESSION_MANAGER=$(grep -m1 '^local/' "$work/xsm.out") "$binary" >"$work/game.log" 2>&1 &
game=$!
pids+=("$game")
retry visible '^Попадайка$' || fail "no game window: $(cat "$work/game.log")"
# Qt joins the session before any window shows, and the table is written before it too.
cp -p Scores.dat "$work/start.dat"

# xsm's window is two rows of two buttons: "Checkpoint" bottom left, "Shutdown" bottom right.
xdotool windowactivate --sync "$manager"
eval "$(xdotool getwindowgeometry --shell "$manager")"
xdotool mousemove --window "$manager" $((WIDTH / 4)) $((HEIGHT * 3 / 4)) click 1
retry visible '^Checkpoint$' || fail "no checkpoint dialog"
# A session without a name asks for one; the dialog's defaults stay (save type Both, any interaction).
xdotool windowactivate --sync "$(visible '^Checkpoint$')"
xdotool type game
xdotool key Return
retry grep -q popadaika "$HOME/.XSM-game" || fail "the checkpoint did not save the game's place in the session"
sleep 1
if ended; then
    wait "$game"
    fail "the checkpoint closed the game (status $?)"
fi
visible '^Попадайка$' >/dev/null || fail "the checkpoint unmapped the window"
written && fail "the checkpoint wrote the table"

# "Shutdown" opens its menu under the button, its entries about as tall as a button; the second,
# "Immediately", ends the session without a checkpoint.
xdotool windowactivate --sync "$manager"
xdotool mousemove --window "$manager" $((WIDTH * 3 / 4)) $((HEIGHT * 3 / 4)) mousedown 1 sleep 0.3
xdotool mousemove --window "$manager" $((WIDTH * 3 / 4)) $((HEIGHT * 3 / 2)) sleep 0.2 mouseup 1
retry ended || fail "the game outlived the session"
wait "$game"
status=$?
[ $status -eq 0 ] || fail "the game ended with status $status: $(cat "$work/game.log")"
written || fail "the table was not saved"

# The table the game saved reads as a whole table.
"$binary" --scores >"$work/scores" || fail "the saved table does not read: $(cat "$work/scores")"
echo "PASS"
