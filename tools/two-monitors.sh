#!/usr/bin/env bash
# Runs the Windows tests that need two monitors on a display of two: a virtual display whose
# Xinerama gives Wine two monitors (800x600 and 640x480), in a prefix of its own, so that it can
# run beside the usual one. Usage: tools/two-monitors.sh [build dir] (default build/windows).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/windows}"
n=""
for i in $(seq 130 160); do
  if [ ! -e "/tmp/.X${i}-lock" ] && [ ! -e "/tmp/.X11-unix/X${i}" ]; then n=$i; break; fi
done
[ -n "$n" ] || { echo "two-monitors: no free display" >&2; exit 1; }
Xvfb ":$n" -screen 0 800x600x24 -screen 1 640x480x24 +xinerama -extension RANDR -nolisten tcp \
  </dev/null >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
export DISPLAY=":$n"
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
stop() {
  wine_env_stop
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
}
trap stop EXIT
wine_env_start "$build/wineprefix-2mon" || exit 1
wine_env_unmanaged
cd "$build" || exit 1
KALMO_MONITORY=2 wine win_tests.exe --gtest_filter='KalmoProgram.TheBreakScreenOpensOneBlackTopmostWindowPerMonitor' \
  </dev/null 2>&1 | tr -d '\r' | grep -vE '^\[ +(RUN|OK) '
exit "${PIPESTATUS[0]}"
