#!/usr/bin/env bash
# Configures and builds one of the two builds: native (portable core and unit tests, sanitizers)
# or windows (everything, cross-compiled with MinGW-w64). Usage: tools/build.sh native|windows
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
kind="${1:?native or windows}"
jobs="$(nproc)"
# Several checkouts of the tree build the same sources: ccache, when present, shares the objects.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$root")}"
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
case "$kind" in
  native)
    cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" >/dev/null
    ;;
  windows)
    # Optimised for size: a resident program keeps the pages of its code it has touched, and at
    # -O3 Kalmo's code is twice as large for no speed a tray program would show.
    cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" "${launcher[@]}" >/dev/null
    ;;
  *) echo "build.sh: unknown build '$kind'" >&2; exit 2 ;;
esac
cmake --build "$root/build/$kind" -j "$jobs"
