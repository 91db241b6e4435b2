#!/usr/bin/env bash
# Shoots windows of both programs into build/screenshots/<scene>.png: each scene of Screenshots.exe
# runs inside Wine's virtual desktop (frames and captions like Windows) on a virtual display, and
# the PNG is cut to the scene's window. Usage: tools/screenshots.sh [scene...] (none: every scene).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
exe="$root/build/windows/Screenshots.exe"
out="$root/build/screenshots"
[ -f "$exe" ] || "$root/tools/build.sh" windows
mkdir -p "$out"

# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
trap wine_env_stop EXIT
# A prefix of its own, so that shooting never stops the wineserver of a test run.
wine_env_start "$root/build/windows/wineprefix-screenshots"

if [ "$#" -eq 0 ]; then
  mapfile -t scenes < <(wine "$exe" --list </dev/null 2>/dev/null | tr -d '\r')
else
  scenes=("$@")
fi

tmp="$(mktemp -d)"
status=0
for scene in "${scenes[@]}"; do
  [ -n "$scene" ] || continue
  ready="$tmp/$scene.rect"
  KALMO_SHOT_FILE="Z:$ready" wine explorer /desktop=shot,1024x768 "$exe" "$scene" </dev/null >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 300); do
    [ -s "$ready" ] && break
    sleep 0.1
  done
  if [ ! -s "$ready" ]; then
    echo "screenshots: $scene did not show a window" >&2
    status=1
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    continue
  fi
  read -r x y w h < <(tr -d '\r' <"$ready")
  import -display "$DISPLAY" -window root "$tmp/full.png"
  # A margin of 8 pixels shows the window's edge against the desktop.
  convert "$tmp/full.png" -crop "$((w + 16))x$((h + 16))+$((x > 8 ? x - 8 : 0))+$((y > 8 ? y - 8 : 0))" +repage \
    "$out/$scene.png"
  echo "$out/$scene.png"
  touch "$ready.done"
  wait "$pid" 2>/dev/null || true
done
rm -rf "$tmp"
exit $status
