#!/usr/bin/env bash
# Sets everything up, checks the formatting, builds the game twice (normal, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs the whole test suite: every test in the normal build,
# every in-process test in the sanitizer build. A third build, with clang, runs the score-file
# fuzzer for half a minute.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh build run test package
scripts/check-format.sh
jobs=$(nproc)
for preset in default asan fuzz; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$jobs"
done
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
ctest --preset default -j"$jobs" || status=1
ctest --preset asan -j"$jobs" || status=1
ctest --preset fuzz || status=1
scripts/test-size.sh
exit $status
