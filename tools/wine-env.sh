# Sourced by the test and run scripts: a private Wine prefix, a display, a warm wineserver.
# Usage: source tools/wine-env.sh; wine_env_start <prefix dir>; ...; wine_env_stop

wine_env_start() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  mkdir -p "$WINEPREFIX"
  # Sandbox: Wine links the prefix's Desktop, Documents, ... and its recycle bin to $HOME. A test
  # that deletes there must never reach the machine's own files, so Wine gets a home of its own.
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
  export HOME="$WINEPREFIX/home"
  mkdir -p "$HOME"
  unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME XDG_RUNTIME_DIR XDG_DESKTOP_DIR \
    XDG_DOCUMENTS_DIR XDG_DOWNLOAD_DIR XDG_MUSIC_DIR XDG_PICTURES_DIR XDG_VIDEOS_DIR
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
  # Each shell folder becomes a plain folder of its own, so that emptying one (Desktop) cannot
  # empty the others through the shared home they were linked to.
  local link
  while IFS= read -r -d '' link; do
    rm -f "$link" && mkdir -p "$link"
  done < <(find "$WINEPREFIX/drive_c/users" -type l -print0 2>/dev/null)
  wine_env_check_sandbox || return 1
}

# Fails when any link under the prefix's drive_c leads outside the prefix's own folder.
wine_env_check_sandbox() {
  local real link target
  real="$(cd "$WINEPREFIX" && pwd -P)"
  while IFS= read -r -d '' link; do
    target="$(readlink -f "$link" || true)"
    case "$target" in
      "$real"/*) ;;
      *) echo "wine-env: $link leads outside the prefix ($target)" >&2; return 1 ;;
    esac
  done < <(find "$WINEPREFIX/drive_c" -type l -print0 2>/dev/null)
  return 0
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
