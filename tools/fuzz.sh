#!/usr/bin/env bash
# Builds one libFuzzer target with clang and runs it for the given number of seconds, keeping its
# corpus in build/fuzz/corpus/NAME. Usage: tools/fuzz.sh fuzz_orgtekst|fuzz_nthfield SECONDS
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
exec "./$name" -max_total_time="$seconds" -print_final_stats=1 "$corpus"
