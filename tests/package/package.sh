#!/usr/bin/env bash
# The Debian package as a player meets it: built by scripts/package.sh, installed by apt-get,
# started by its menu entry's Exec line under Xvfb with a user's PATH, closed by the window
# manager; then purged, and nothing of it may be left but the player's table. Root only.
set -uo pipefail
root=$1
fail() { echo "FAIL: $*"; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "SKIP: installing a package needs root"; exit 77; }
state=$(dpkg-query -W -f='${db:Status-Status}' popadaika 2>/dev/null)
[ -z "$state" ] || [ "$state" = not-installed ] \
    || fail "a popadaika package is already on this machine ($state); this test installs and purges its own, so remove that one first: apt-get purge popadaika"

work=$(mktemp -d)
screen=800x600x24
# shellcheck source=scripts/xserver.sh
source "$root/scripts/xserver.sh"
trap 'apt-get purge -y -qq popadaika >/dev/null 2>&1; cleanup' EXIT
deb=$(bash "$root/scripts/package.sh" 2>"$work/package.log" | tail -n1)
[ -f "$deb" ] || { cat "$work/package.log"; fail "scripts/package.sh made no package"; }
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install $deb"; }
files=$(dpkg -L popadaika)

read -r -a command < <(sed -n 's/^Exec=//p' /usr/share/applications/org.example.popadaika.desktop)
home=$work/home
mkdir "$home"
(cd "$home" && exec env -i DISPLAY="$DISPLAY" HOME="$home" XDG_DATA_HOME="$home/data" LANG=C.UTF-8 \
    PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games "${command[@]}") >"$work/game.log" 2>&1 &
game=$!
for _ in $(seq 300); do xdotool search --name '^Попадайка$' >/dev/null && break; sleep 0.1; done
xdotool search --name '^Попадайка$' >/dev/null || { cat "$work/game.log"; fail "no window from '${command[*]}'"; }
wmctrl -c 'Попадайка'
wait "$game"
status=$?
[ $status -eq 0 ] || { cat "$work/game.log"; fail "the game ended with status $status"; }
[ -s "$home/data/popadaika/Scores.dat" ] || fail "no table in \$XDG_DATA_HOME/popadaika"

apt-get purge -y -qq popadaika >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get purge"; }
while read -r path; do
    [ -e "$path" ] || [ -L "$path" ] || continue
    dpkg -S "$path" >/dev/null 2>&1 || fail "$path is left after the purge"
done <<<"$files"
[ -s "$home/data/popadaika/Scores.dat" ] || fail "the purge took the player's table"
echo "PASS: $(basename "$deb") installed, played from its menu entry, purged clean"
