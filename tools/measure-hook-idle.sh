#!/usr/bin/env bash
# Measures the CPU time that Hook.dll's tracking (keyboard hook and screen-saver watcher) takes
# while nothing happens: runs HookIdle.exe under Wine with tracking on and reads the process's
# CPU seconds from /proc over an idle window of N seconds (start-up excluded). Also reports the
# wineserver's CPU over the same window, since each screen-saver check is a request to it.
# Usage: tools/measure-hook-idle.sh [seconds] [off]   (default 60; needs a built build/windows)
# "off" runs the same host without switching tracking on, as a baseline.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
mode="${2:-on}"
exe="$root/build/windows/HookIdle.exe"
[ -f "$exe" ] || { echo "build HookIdle.exe first: tools/build.sh windows" >&2; exit 2; }
source "$root/tools/wine-env.sh"
trap wine_env_stop EXIT
set +e; wine_env_start "$root/build/windows/wineprefix"; set -e

ticks="$(getconf CLK_TCK)"
marker="idle-$$-$RANDOM"
out="$(mktemp)"
wine "$exe" $((seconds + 10)) "$mode" "$marker" >"$out" 2>&1 </dev/null &
launcher=$!

# The Windows process is the Linux process whose command line carries the marker.
pid=""
for _ in $(seq 1 100); do
  grep -q ready "$out" 2>/dev/null && pid="$(pgrep -f -- "$marker" | head -1 || true)"
  [ -n "$pid" ] && break
  sleep 0.2
done
[ -n "$pid" ] || { echo "HookIdle did not start" >&2; cat "$out" >&2; exit 1; }
server=""
for p in $(pgrep -f wineserver || true); do
  if tr '\0' '\n' 2>/dev/null < "/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX"; then server="$p"; fi
done

[ -n "$server" ] || { echo "wineserver of the prefix not found" >&2; exit 1; }
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }
sleep 3  # let start-up settle
p0="$(cpu "$pid")"; s0="$(cpu "$server")"
sleep "$seconds"
p1="$(cpu "$pid")"; s1="$(cpu "$server")"
wait "$launcher" || true

awk -v a="$p0" -v b="$p1" -v c="$s0" -v d="$s1" -v t="$ticks" -v n="$seconds" -v m="$mode" 'BEGIN {
  printf "idle window: %d s, tracking %s\n", n, m
  printf "HookIdle.exe process: %.2f CPU s (%.3f%% of one core)\n", (b - a) / t, 100 * (b - a) / t / n
  printf "wineserver:           %.2f CPU s (%.3f%% of one core)\n", (d - c) / t, 100 * (d - c) / t / n
}'
cat "$out"
rm -f "$out"
