#!/usr/bin/env bash
# Configures and builds one of the two builds: native (portable core and unit tests, sanitizers)
# or windows (everything, cross-compiled with MinGW-w64). Usage: tools/build.sh native|windows
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
kind="${1:?native or windows}"
jobs="$(nproc)"
case "$kind" in
  native)
    cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    ;;
  windows)
    cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
    ;;
  *) echo "build.sh: unknown build '$kind'" >&2; exit 2 ;;
esac
cmake --build "$root/build/$kind" -j "$jobs"
