#!/usr/bin/env bash
# The game on native Wayland, under a headless weston with Qt's Wayland plugin: the window comes
# up under the menu entry's app id at its fixed size, 476x477, as the compositor's scene graph
# (weston-debug) shows it: the view's opaque region is the window's content, without the title bar
# and frame Qt draws around it. SIGTERM then closes it with status 0 and the table saved.
set -uo pipefail
binary=$1
fail() { echo "FAIL: $*"; exit 1; }
command -v weston-debug >/dev/null && dpkg-query -W -f='${Status}' qt6-wayland 2>/dev/null \
    | grep -q 'ok installed' || { echo "SKIP: needs weston and qt6-wayland"; exit 77; }
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime WAYLAND_DISPLAY=popadaika-test
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --no-config --debug \
    --log="$work/weston.log" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done

(cd "$work" && exec env -u DISPLAY HOME="$work" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=wayland \
    "$binary" --user-data) >"$work/game.log" 2>&1 &
game=$!
pids+=($game)
# The view of the game's window and its opaque region, once the window has its first frame.
view() {
    timeout 5 weston-debug scene-graph 2>/dev/null | awk '
        /top-level window .Попадайка. of org.example.popadaika,/ { found = 1; next }
        found && /opaque: / { gsub(/[^0-9]+/, " "); print $3 - $1 "x" $4 - $2; exit }'
}
for _ in $(seq 60); do size=$(view); [ -n "$size" ] && break; sleep 0.5; done
[ -n "$size" ] || { cat "$work/game.log"; fail "no window 'Попадайка' with the app id org.example.popadaika"; }
[ "$size" = 476x477 ] || fail "the window's content is $size, not 476x477"

kill -TERM "$game"
wait "$game"
status=$?
[ $status -eq 0 ] || { cat "$work/game.log"; fail "SIGTERM: exit status $status"; }
[ -s "$work/data/popadaika/Scores.dat" ] || fail "no table saved in \$XDG_DATA_HOME/popadaika"
echo "PASS: 476x477 under weston, closed by SIGTERM with the table saved"
