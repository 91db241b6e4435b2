# Sourced by the test and run scripts: a private Wine prefix, a display, a warm wineserver.
# Usage: source tools/wine-env.sh; wine_env_start <prefix dir>; ...; wine_env_stop

wine_env_start() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  mkdir -p "$WINEPREFIX"
  KALMO_XVFB_PID=""
  if [ -z "${DISPLAY:-}" ]; then
    local n
    for n in $(seq 90 120); do
      if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then break; fi
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    KALMO_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X${n}" ] && break
      sleep 0.1
    done
  fi
  # Wine's services must not inherit the runner's pipes, or ctest waits for ever at the end.
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1 || true
}

# Tests only: windows not managed by a window manager. Under a bare virtual display Wine otherwise
# waits about 2 s whenever a captioned window is hidden or destroyed.
wine_env_unmanaged() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
}

wine_env_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  if [ -n "${KALMO_XVFB_PID:-}" ]; then
    kill "$KALMO_XVFB_PID" 2>/dev/null || true
    wait "$KALMO_XVFB_PID" 2>/dev/null || true
  fi
}
