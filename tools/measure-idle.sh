#!/usr/bin/env bash
# Idle cost of Kalmo: runs the built Kalmo.exe under Wine for N seconds (default 60) after its
# start-up and prints the CPU seconds (user + system) that its process used in that time.
# Usage: tools/measure-idle.sh [seconds]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="$root/build/windows"
[ -f "$build/Kalmo.exe" ] || "$root/tools/build.sh" windows
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
wine_env_start "$build/idle-prefix"
trap wine_env_stop EXIT

# A program folder of its own, so the data files of this run stay apart.
folder="$WINEPREFIX/drive_c/KalmoIdle"
rm -rf "$folder"
mkdir -p "$folder"
cp "$build/Kalmo.exe" "$build/Hook.dll" "$folder/"
wine 'C:\KalmoIdle\Kalmo.exe' </dev/null >/dev/null 2>&1 &

# The Windows process is the unix process whose command line names the program.
find_pid() {
  local p
  for p in /proc/[0-9]*; do
    if { tr '\0' ' ' <"$p/cmdline"; } 2>/dev/null | grep -q 'KalmoIdle\\Kalmo.exe'; then
      basename "$p"
      return 0
    fi
  done
  return 1
}
pid=""
for _ in $(seq 1 100); do
  pid="$(find_pid || true)"
  [ -n "$pid" ] && break
  sleep 0.2
done
[ -n "$pid" ] || { echo "measure-idle: Kalmo did not start" >&2; exit 1; }

# Fields 14 and 15 of /proc/<pid>/stat: user and system time in clock ticks. The command name
# (field 2) may hold blanks, so count from after its closing parenthesis.
cpu_ticks() { sed 's/^.*) //' "/proc/$pid/stat" | awk '{ print $12 + $13 }'; }
sleep 5  # start-up is not idle time
start="$(cpu_ticks)"
sleep "$seconds"
[ -d "/proc/$pid" ] || { echo "measure-idle: Kalmo ended during the measurement" >&2; exit 1; }
end="$(cpu_ticks)"
hz="$(getconf CLK_TCK)"
awk -v a="$start" -v b="$end" -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "Kalmo idle: %.2f CPU seconds in %d s (%.3f%% of one core)\n", (b - a) / hz, s, (b - a) / hz / s * 100 }'
