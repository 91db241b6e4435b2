#!/usr/bin/env bash
# Kills Kalmo without warning at random moments, restarting it each time, and checks its data after
# every kill (KillTest.exe). Runs in a Wine prefix of its own. Not part of the test run.
# Usage: tools/kill-test.sh [kills, default 200] [seed]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/windows"
[ -f "$build/KillTest.exe" ] || "$root/tools/build.sh" windows
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
wine_env_start "$build/kill-prefix"
wine_env_unmanaged
trap wine_env_stop EXIT
folder="$WINEPREFIX/drive_c/KalmoKill"
rm -rf "$folder"
mkdir -p "$folder"
cp "$build/Kalmo.exe" "$build/Hook.dll" "$folder/"
wine "$build/KillTest.exe" 'C:\KalmoKill' "${1:-200}" ${2:+"$2"} </dev/null
