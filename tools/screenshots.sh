#!/usr/bin/env bash
# Shoots windows of both programs into build/screenshots/<scene>.png: each scene of Screenshots.exe
# runs inside Wine's virtual desktop (frames and captions like Windows) on a virtual display, and
# the PNG is cut to the scene's window. Usage: tools/screenshots.sh [scene...] (none: every scene).
# KALMO_DPI=144 (or 192) shoots at that text scale (Wine's LogPixels, in a prefix of its own, on a
# larger display) into build/screenshots/<scene>@144.png.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
exe="$root/build/windows/Screenshots.exe"
out="$root/build/screenshots"
[ -f "$exe" ] || "$root/tools/build.sh" windows
mkdir -p "$out"

dpi="${KALMO_DPI:-96}"
suffix=""
desktop="1024x768"
prefix="$root/build/windows/wineprefix-screenshots"
xvfb=""
if [ "$dpi" != "96" ]; then
  suffix="@$dpi"
  desktop="$((1024 * dpi / 96))x$((768 * dpi / 96))"
  prefix="$prefix-$dpi"
  # A display as large as the scaled desktop.
  for n in $(seq 170 199); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 "${desktop}x24" -nolisten tcp </dev/null >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X${n}" ] && break; sleep 0.1; done
fi

# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
stop_all() {
  wine_env_stop
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; fi
}
trap stop_all EXIT
# A prefix of its own, so that shooting never stops the wineserver of a test run.
wine_env_start "$prefix"
if [ "$dpi" != "96" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
  wineserver -k </dev/null >/dev/null 2>&1 || true  # the next process reads the new scale
  wineserver -p </dev/null >/dev/null 2>&1
fi

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
  KALMO_SHOT_FILE="Z:$ready" wine explorer /desktop=shot,$desktop "$exe" "$scene" </dev/null >/dev/null 2>&1 &
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
    "$out/$scene$suffix.png"
  echo "$out/$scene$suffix.png"
  touch "$ready.done"
  wait "$pid" 2>/dev/null || true
done
rm -rf "$tmp"
exit $status
