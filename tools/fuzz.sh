#!/usr/bin/env bash
# Builds one libFuzzer target with clang and runs it for the given number of seconds, keeping its
# corpus in build/fuzz/corpus/NAME and reading the seeds of tests/fuzz/corpus/NAME. A seed that
# once broke a target belongs in the repository: the native tests replay every seed.
# Usage: tools/fuzz.sh NAME SECONDS, NAME one of tests/fuzz/fuzz_*.cpp without .cpp
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
name="${1:?fuzz target name, e.g. fuzz_orgtekst}"
seconds="${2:?seconds to run}"
build="$root/build/fuzz"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DKALMO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
fi
cmake --build "$build" -j 2 --target "$name"
corpus="$build/corpus/$name"
mkdir -p "$corpus"
cd "$build"
# New inputs go into the build's corpus; the seeds kept in the repository are read too.
seeds="$root/tests/fuzz/corpus/$name"
exec "./$name" -max_total_time="$seconds" -print_final_stats=1 "$corpus" $([ -d "$seeds" ] && echo "$seeds")
