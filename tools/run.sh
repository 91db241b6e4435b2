#!/usr/bin/env bash
# Builds Kalmo and starts it under Wine: on the user's display when there is one, otherwise on a
# virtual display (screenshots: import -display $DISPLAY -window root shot.png).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh" windows
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh"
had_display="${DISPLAY:-}"
wine_env_start "$root/build/windows/run-prefix"
trap wine_env_stop EXIT
echo "Kalmo runs on display $DISPLAY (Wine prefix build/windows/run-prefix); end it from its tray menu: Koniec."
cd "$root/build/windows"
# The help pages beside the program, as the installer puts them: the tray's "Pomoc" and every
# dialog's help then open them.
cp "$root"/help/* .
if [ -n "$had_display" ]; then
  wine Kalmo.exe
else
  # Wine's virtual desktop gives the windows frames and a tray on a bare virtual display.
  wine explorer /desktop=Kalmo,1024x768 Kalmo.exe
fi
