#!/usr/bin/env bash
# Prints how large the tests are against the product: non-blank lines that are not only a
# comment ("//..." or "# ..."), tests/ against src/.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { git ls-files -- "$@" | xargs -r cat | grep -c -v -E '^\s*(//.*|#( .*)?)?$'; }
code=$(count 'src/*.cpp' 'src/*.h')
tests=$(count 'tests/*.cpp' 'tests/*.h' 'tests/*.py' 'tests/*.sh')
echo "Test size: $tests test lines against $code product lines ($((100 * tests / code)) %; at most 33 %)"
