#!/usr/bin/env bash
# Runs a test as the unprivileged user "nobody", in /tmp: root may write to read-only files and
# folders anyway. Skipped, saying why, where root cannot become nobody or nobody cannot reach
# the test.
set -u
if [ "$(id -u)" != 0 ]; then
    exec "$1"
fi
as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups env TMPDIR=/tmp)
if ! "${as_nobody[@]}" test -x "$1" 2>/dev/null; then
    echo "SKIP: $1 cannot be run here as the user nobody (setpriv, and a path nobody can reach)"
    exit 77
fi
exec "${as_nobody[@]}" "$1"
