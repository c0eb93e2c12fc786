#!/usr/bin/env bash
# Mutation testing: plants one small fault at a time in src/ (a private copy of it under
# build/mutation), rebuilds, runs the fast tests and prints which faults no test noticed.
# Usage: scripts/mutation.sh [--sample N] [--seed S] [--list]   (default: 100 mutants, seed 1)
# It measures and does not gate: exit 0 whatever the score (2 when the unmutated copy does not
# build). See "Mutation testing" in README.md.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec python3 "$root/scripts/mutation.py" "$@"
