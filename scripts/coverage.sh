#!/usr/bin/env bash
# Line and branch coverage of src/ by the whole test suite: builds build/coverage with clang's
# source-based coverage, runs every test there (each process, the programs the end-to-end tests
# start included, adds its counts) and prints the totals of src/ without its tests. The report
# per file lands in build/coverage/report.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
tree=build/coverage
llvm=$(ls -d /usr/bin/llvm-profdata-* 2>/dev/null | sort -V | tail -1)
version=${llvm##*-}
cmake -S . -B "$tree" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DSCOREX_COVERAGE=ON >/dev/null
cmake --build "$tree"
rm -rf "$tree/profiles"
mkdir -p "$tree/profiles"
(cd "$tree" && LLVM_PROFILE_FILE="$PWD/profiles/%4m.profraw" ctest -j2 --output-on-failure)
"llvm-profdata-$version" merge -sparse "$tree"/profiles/*.profraw -o "$tree/coverage.profdata"
# The programs and the test binaries CTest runs (not stale ones of an older layout).
objects=(-object "$tree/ScorexBRK" -object "$tree/ScorexZLN")
while read -r f; do objects+=(-object "$f"); done < <(
  cd "$tree" && ctest --show-only=json-v1 | python3 -c '
import json, sys
for b in sorted({t["command"][0] for t in json.load(sys.stdin)["tests"] if "command" in t}):
    print(b)')
"llvm-cov-$version" report "${objects[@]}" -instr-profile "$tree/coverage.profdata" \
  -ignore-filename-regex='(_test\.cpp$|/tests/|/tools/|/bench/|/fuzz/|^/usr/|/build/)' \
  -show-branch-summary >"$tree/report.txt"
total=$(grep '^TOTAL' "$tree/report.txt")
# TOTAL regions missed cover functions missed executed lines missed cover branches missed cover
read -r _ _ _ _ _ _ _ _ _ lcover _ _ bcover <<<"$total"
echo "Coverage of src/ by the tests: lines $lcover, branches $bcover (per file: $tree/report.txt)"
