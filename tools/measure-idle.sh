#!/usr/bin/env bash
# Cost at rest of Kalmo against the least a tray program can be: in one Wine session, runs
# PustyZasobnik.exe (hidden window, tray icon, message loop) and then the built Kalmo.exe, each for
# N seconds (default 60) after its start-up, R rounds (default 1), and prints for each: the time
# from its start to its tray icon (CzasDoIkony.exe starts it and asks the tray for the icon; the
# median of the rounds), and averaged over the rounds the CPU seconds of its process and of the
# Wine server in those N seconds and its memory at the end of each round (resident: VmRSS;
# private: Private_Clean + Private_Dirty of smaps_rollup, which counts the pages of its own program
# file too; anonymous: RssAnon), then Kalmo's differences and ratios. Each program is started
# and ended once before the rounds, so no round pays for the first reading of the libraries.
# The last round's /proc/<pid>/maps and smaps of each program are kept in build/windows/idle-*.
# Usage: tools/measure-idle.sh [seconds] [rounds]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
rounds="${2:-1}"
build="$root/build/windows"
[ -f "$build/Kalmo.exe" ] && [ -f "$build/PustyZasobnik.exe" ] && [ -f "$build/CzasDoIkony.exe" ] ||
  "$root/tools/build.sh" windows
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
wine_env_start "$build/idle-prefix"
trap wine_env_stop EXIT

# A program folder of its own, so the data files of this run stay apart.
folder="$WINEPREFIX/drive_c/KalmoIdle"
rm -rf "$folder"
mkdir -p "$folder"
cp "$build/Kalmo.exe" "$build/Hook.dll" "$build/PustyZasobnik.exe" "$build/CzasDoIkony.exe" "$folder/"

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
# Resident, private and anonymous memory of a process in kB.
memory_kb() {
  local rss anon priv
  rss="$(awk '/^VmRSS:/ { print $2 }' "/proc/$1/status")"
  anon="$(awk '/^RssAnon:/ { print $2 }' "/proc/$1/status")"
  priv="$(awk '/^Private_(Clean|Dirty):/ { s += $2 } END { print s + 0 }' "/proc/$1/smaps_rollup")"
  echo "$rss $priv $anon"
}
hz="$(getconf CLK_TCK)"
server="$(server_pid)" || { echo "measure-idle: no Wine server for $WINEPREFIX" >&2; exit 1; }

# Starts one program through CzasDoIkony.exe, which returns once the tray has the program's icon;
# prints "<milliseconds to the icon> <unix pid>". The figure goes through a file: a pipe would be
# held open by the program, which inherits the starter's output.
start_program() {
  local exe="$1" ms pid=""
  wine 'C:\KalmoIdle\CzasDoIkony.exe' "C:\\KalmoIdle\\$exe" </dev/null >"$folder/ms.txt" 2>/dev/null ||
    { echo "measure-idle: $exe showed no tray icon" >&2; return 1; }
  ms="$(tr -d '\r' <"$folder/ms.txt")"
  for _ in $(seq 1 50); do
    pid="$(find_pid "KalmoIdle\\$exe" || true)"
    [ -n "$pid" ] && break
    sleep 0.1
  done
  [ -n "$pid" ] || { echo "measure-idle: no process of $exe" >&2; return 1; }
  echo "$ms $pid"
}

stop_program() {
  kill "$1" 2>/dev/null || true
  for _ in $(seq 1 50); do [ -d "/proc/$1" ] || return 0; sleep 0.1; done
}

# Measures one program; prints "<ms to icon> <process ticks> <server ticks> <rss kB> <private kB>
# <anonymous kB>".
measure() {
  local exe="$1" ms pid start sstart end send mem
  read -r ms pid < <(start_program "$exe") || return 1
  sleep 5  # start-up is not rest
  start="$(cpu_ticks "$pid")"; sstart="$(cpu_ticks "$server")"
  sleep "$seconds"
  [ -d "/proc/$pid" ] || { echo "measure-idle: $exe ended during the measurement" >&2; return 1; }
  end="$(cpu_ticks "$pid")"; send="$(cpu_ticks "$server")"; mem="$(memory_kb "$pid")"
  cp "/proc/$pid/maps" "$build/idle-${exe%.exe}.maps"
  cp "/proc/$pid/smaps" "$build/idle-${exe%.exe}.smaps"
  stop_program "$pid"
  echo "$ms $((end - start)) $((send - sstart)) $mem"
}

# One start of each before the rounds: the first start in a session reads the libraries from disk.
for exe in PustyZasobnik.exe Kalmo.exe; do
  read -r _ pid < <(start_program "$exe") || exit 1
  sleep 2
  stop_program "$pid"
done

# Rounds alternate the two programs, so that a drift in the Wine server's own background work
# (the other processes of the session) weighs on both alike. Sums: t(ime) p(rocess) s(erver)
# r(esident) v (private) a(nonymous), b for the baseline, k for Kalmo.
# The start-up times are medians: one start slowed by another program of the machine says little.
bp=0; bs=0; br=0; bv=0; ba=0; kp=0; ks=0; kr=0; kv=0; ka=0; btimes=(); ktimes=()
for _ in $(seq 1 "$rounds"); do
  read -r t p s r v a < <(measure PustyZasobnik.exe) || exit 1
  btimes+=("$t"); bp=$((bp + p)); bs=$((bs + s)); br=$((br + r)); bv=$((bv + v)); ba=$((ba + a))
  read -r t p s r v a < <(measure Kalmo.exe) || exit 1
  ktimes+=("$t"); kp=$((kp + p)); ks=$((ks + s)); kr=$((kr + r)); kv=$((kv + v)); ka=$((ka + a))
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
bt="$(median "${btimes[@]}")"; kt="$(median "${ktimes[@]}")"
echo "times to the tray icon (ms): baseline ${btimes[*]}; Kalmo ${ktimes[*]}"
awk -v n="$rounds" -v hz="$hz" -v s="$seconds" \
    -v bt="$bt" -v bp="$bp" -v bs="$bs" -v br="$br" -v bv="$bv" -v ba="$ba" \
    -v kt="$kt" -v kp="$kp" -v ks="$ks" -v kr="$kr" -v kv="$kv" -v ka="$ka" 'BEGIN {
  printf "%d round(s) of %d s at rest; start-up: median, the rest: average per round\n", n, s
  printf "%-14s %10s %12s %11s %9s %s\n", "", "to icon", "resident", "private", "anon", "CPU (process + Wine server)"
  printf "%-14s %7.0f ms %9.1f MB %8.1f MB %6.1f MB %.2f s (%.2f + %.2f)\n", "tray baseline:", bt, br / n / 1024,
         bv / n / 1024, ba / n / 1024, (bp + bs) / n / hz, bp / n / hz, bs / n / hz
  printf "%-14s %7.0f ms %9.1f MB %8.1f MB %6.1f MB %.2f s (%.2f + %.2f)\n", "Kalmo:", kt, kr / n / 1024,
         kv / n / 1024, ka / n / 1024, (kp + ks) / n / hz, kp / n / hz, ks / n / hz
  printf "Kalmo against the baseline: resident %+.1f MB (goal at most +4), private %+.1f MB (goal at most +2), anonymous %+.1f MB\n",
         (kr - br) / n / 1024, (kv - bv) / n / 1024, (ka - ba) / n / 1024
  if (bt > 0) printf "time to the tray icon: %.2f times the baseline (goal at most 1.5)\n", kt / bt
  if (bp + bs > 0) printf "CPU ratio: %.2f\n", (kp + ks) / (bp + bs); else printf "CPU ratio: baseline used no measurable CPU (Kalmo %d ticks)\n", kp + ks
}'
