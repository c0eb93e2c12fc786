# Sourced by the scripts that show the game: a virtual X server on a display number it picks
# itself and a light window manager, both ended (with the work folder) when the script exits.
# Needs `work` (a fresh folder) and the screen size in `screen`; sets DISPLAY, `pids`, `retry`.
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# Runs its arguments until they succeed, for at most ten seconds.
retry() { for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done; return 1; }

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
retry test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"
unset QT_QPA_PLATFORM
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
retry wmctrl -m
