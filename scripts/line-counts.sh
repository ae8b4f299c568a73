#!/usr/bin/env bash
# Non-blank lines of tests (everything under tests/: unit, e2e, fixtures, fuzz, benchmarks, the stitch corpus)
# against the product code (.cpp/.h outside tests/), and the share the tests make of it.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { xargs cat | grep -cv '^\s*$'; }
tests=$(git ls-files tests | grep -E '\.(cpp|h|py)$' | count)
code=$(git ls-files | grep -v '^tests/' | grep -E '\.(cpp|h)$' | count)
tooling=$(git ls-files tests/bench tests/stitch-corpus | grep -E '\.(cpp|h|py)$' | count)
echo "tests $tests / code $code = $((100 * tests / code))%"
echo "without benchmarks and the corpus generator: $((tests - tooling)) / $code = $((100 * (tests - tooling) / code))%"
