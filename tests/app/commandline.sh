#!/usr/bin/env bash
# The command line, answered without a display: --help, --version, a wrong option or argument,
# --scores, which prints the table and changes nothing on disk, and --user-data, which keeps the
# table in the per-user data folder (the one run that opens a window, on the offscreen platform).
set -uo pipefail

binary=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
game=
trap '[ -n "$game" ] && kill "$game" 2>/dev/null && wait "$game"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
mkdir "$work/cwd" && cd "$work/cwd" || fail "no working directory"
export HOME=$work/home XDG_DATA_HOME=$work/data
run() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$binary" "$@" >"$work/out" 2>"$work/err"; }

run --help; status=$?
[ $status -eq 0 ] && grep -q -- '--user-data' "$work/out" && grep -q -- '--scores' "$work/out" && grep -q -- '--stats' "$work/out" && [ ! -s "$work/err" ] || fail "--help: status $status"
run --version; status=$?
[ $status -eq 0 ] && [ "$(cat "$work/out")" = "popadaika $2" ] || fail "--version: status $status, '$(cat "$work/out")'"
for wrong in --no-such-option stray; do
    run "$wrong"; status=$?
    [ $status -eq 2 ] && [ ! -s "$work/out" ] && grep -q -- "${wrong#--}" "$work/err" || fail "$wrong: status $status"
done

# No table is the default one, and --scores makes neither the file nor the data folder.
printf '%s\t<Пусто>\t0\n' $(seq 11) >"$work/default"
for where in "" --user-data; do
    run --scores $where; status=$?
    [ $status -eq 0 ] && cmp -s "$work/out" "$work/default" && [ -z "$(ls -A)" ] && [ ! -e "$work/data" ] ||
        fail "--scores $where without a table: status $status, $(cat "$work/out" "$work/err")"
done
# A table our encoder wrote with odd names: a control character or "\" is printed as \xNN.
cp "$here/odd-names.dat" Scores.dat
run --scores; status=$?
[ $status -eq 0 ] && cmp -s "$work/out" "$here/odd-names.txt" || fail "--scores, odd names: $(cat "$work/out" "$work/err")"
rm Scores.dat
# A table that cannot be read is told on stderr, naming file and folder, and left as it was.
state() { ls -AlR --time-style=full-iso; cat Scores.dat 2>/dev/null; }
for spoilt in 'printf junk >Scores.dat' 'mkdir Scores.dat'; do
    eval "$spoilt"; before=$(state)
    run --scores; status=$?
    [ $status -eq 1 ] && [ ! -s "$work/out" ] && grep -F "«Scores.dat»" "$work/err" | grep -qF "«$work/cwd»" &&
        [ "$(state)" = "$before" ] || fail "--scores, $spoilt: status $status, $(cat "$work/err")"
    rm -r Scores.dat
done

# A data folder that cannot be made: told on stderr before any window (there is no display).
touch "$work/data"
run --user-data; status=$?
[ $status -eq 1 ] && grep -q "$work/data/popadaika" "$work/err" || fail "unmakable folder: status $status, $(cat "$work/err")"
rm "$work/data"

# --stats opens the statistics window alone: no game, which would make its table here at once.
timeout 2 env -u QT_QPA_PLATFORM "$binary" -platform offscreen --stats >/dev/null 2>&1
[ -z "$(ls -A)" ] || fail "--stats started the game: $(ls -A)"

# Qt's own options pass (the platform given as a session manager or a user would give it).
env -u QT_QPA_PLATFORM "$binary" -platform offscreen -reverse --user-data >"$work/out" 2>&1 &
game=$!
for _ in $(seq 100); do [ -f "$work/data/popadaika/Scores.dat" ] && break; sleep 0.1; done
[ -f "$work/data/popadaika/Scores.dat" ] || { cat "$work/out"; fail "--user-data: no table in the data folder"; }
[ -z "$(ls -A "$work/cwd")" ] || fail "--user-data: the current directory holds $(ls -A "$work/cwd")"
run --user-data --scores; status=$?
[ $status -eq 0 ] && cmp -s "$work/out" "$work/default" || fail "--scores on the game's own table: status $status, $(cat "$work/err")"
