#!/usr/bin/env bash
# Idle cost of Kalmo against the least a tray program can be: in one Wine session, runs
# PustyZasobnik.exe (hidden window, tray icon, message loop) and then the built Kalmo.exe, each for
# N seconds (default 60) after its start-up, R rounds (default 1), and prints for each the CPU
# seconds of its process and of the Wine server in that time and its resident memory at the end of
# the last round, then Kalmo's ratios.
# Usage: tools/measure-idle.sh [seconds] [rounds]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
rounds="${2:-1}"
build="$root/build/windows"
[ -f "$build/Kalmo.exe" ] && [ -f "$build/PustyZasobnik.exe" ] || "$root/tools/build.sh" windows
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
wine_env_start "$build/idle-prefix"
trap wine_env_stop EXIT

# A program folder of its own, so the data files of this run stay apart.
folder="$WINEPREFIX/drive_c/KalmoIdle"
rm -rf "$folder"
mkdir -p "$folder"
cp "$build/Kalmo.exe" "$build/Hook.dll" "$build/PustyZasobnik.exe" "$folder/"

# The unix process whose command line holds the text.
find_pid() {
  local p
  for p in /proc/[0-9]*; do
    if { tr '\0' ' ' <"$p/cmdline"; } 2>/dev/null | grep -qF "$1"; then
      basename "$p"
      return 0
    fi
  done
  return 1
}
# The Wine server of this prefix: the one whose environment names it.
server_pid() {
  local p
  for p in /proc/[0-9]*; do
    grep -q wineserver "$p/comm" 2>/dev/null || continue
    tr '\0' '\n' <"$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && { basename "$p"; return 0; }
  done
  return 1
}
# Fields 14 and 15 of /proc/<pid>/stat: user and system time in clock ticks. The command name
# (field 2) may hold blanks, so count from after its closing parenthesis.
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
hz="$(getconf CLK_TCK)"
server="$(server_pid)" || { echo "measure-idle: no Wine server for $WINEPREFIX" >&2; exit 1; }

# Measures one program; prints "<process ticks> <server ticks> <rss kB>".
measure() {
  local exe="$1" pid="" start sstart end send rss
  wine "C:\\KalmoIdle\\$exe" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 1 100); do
    pid="$(find_pid "KalmoIdle\\$exe" || true)"
    [ -n "$pid" ] && break
    sleep 0.2
  done
  [ -n "$pid" ] || { echo "measure-idle: $exe did not start" >&2; return 1; }
  sleep 5  # start-up is not idle time
  start="$(cpu_ticks "$pid")"; sstart="$(cpu_ticks "$server")"
  sleep "$seconds"
  [ -d "/proc/$pid" ] || { echo "measure-idle: $exe ended during the measurement" >&2; return 1; }
  end="$(cpu_ticks "$pid")"; send="$(cpu_ticks "$server")"; rss="$(rss_kb "$pid")"
  kill "$pid" 2>/dev/null || true
  wait 2>/dev/null || true
  echo "$((end - start)) $((send - sstart)) $rss"
}

# Rounds alternate the two programs, so that a drift in the Wine server's own background work
# (the other processes of the session) weighs on both alike.
bp=0; bs=0; br=0; kp=0; ks=0; kr=0
for _ in $(seq 1 "$rounds"); do
  read -r p s r < <(measure PustyZasobnik.exe); bp=$((bp + p)); bs=$((bs + s)); br=$r
  read -r p s r < <(measure Kalmo.exe); kp=$((kp + p)); ks=$((ks + s)); kr=$r
done
seconds=$((seconds * rounds))
awk -v bp="$bp" -v bs="$bs" -v br="$br" -v kp="$kp" -v ks="$ks" -v kr="$kr" -v hz="$hz" -v s="$seconds" 'BEGIN {
  printf "tray baseline: %.2f CPU s (process %.2f + Wine server %.2f) in %d s, %.1f MB resident\n", (bp + bs) / hz, bp / hz, bs / hz, s, br / 1024
  printf "Kalmo idle:    %.2f CPU s (process %.2f + Wine server %.2f) in %d s, %.1f MB resident\n", (kp + ks) / hz, kp / hz, ks / hz, s, kr / 1024
  if (bp + bs > 0) printf "CPU ratio: %.2f\n", (kp + ks) / (bp + bs); else printf "CPU ratio: baseline used no measurable CPU (Kalmo %d ticks)\n", kp + ks
  printf "memory: %+.1f MB against the baseline\n", (kr - br) / 1024
}'
