#!/usr/bin/env bash
# Builds both builds and runs every test: native unit tests, then the Windows tests under Wine.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh" || exit 1

status=0
echo "== native build and tests =="
if "$root/tools/build.sh" native; then
  (cd "$root/build/native" && ctest --output-on-failure -j "$(nproc)") || status=1
else
  status=1
fi

echo "== windows build and tests (under Wine) =="
if "$root/tools/build.sh" windows; then
  # shellcheck source=tools/wine-env.sh
  source "$root/tools/wine-env.sh"
  trap wine_env_stop EXIT
  wine_env_start "$root/build/windows/wineprefix"
  wine_env_unmanaged
  # One at a time: the tests share one desktop (keyboard hooks, injected keys, the screen-saver
  # flag, the foreground window, Kalmo's settings key).
  (cd "$root/build/windows" && ctest --output-on-failure) || status=1
  wine_env_stop
  trap - EXIT
else
  status=1
fi
exit $status
