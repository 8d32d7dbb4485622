# Starts and stops the X display and the Wine server the tests run against. Sourced by tools/test.sh
# and tools/run.sh; expects WINEPREFIX to be set.
wine_folder=/usr/lib/wine
xvfb_pid=""

start_display()
{
  if [ -z "${QUODRA_DISPLAY:-}" ]; then
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    local number
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
  else
    export DISPLAY="$QUODRA_DISPLAY"
  fi
  mkdir -p "$WINEPREFIX"
  "$wine_folder/wineserver" -p 2>/dev/null || true
  # Start Wine's own services here, with their output going nowhere: started by the first test instead,
  # they would hold CTest's output pipe open and CTest would wait for them.
  "$wine_folder/wine64" wineboot >/dev/null 2>&1 </dev/null || true
  # No window manager runs on this display: Wine's own frames spare every closing window a two-second
  # wait for one (a test that answers message boxes would wait two seconds a box).
  "$wine_folder/wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
}

stop_display()
{
  "$wine_folder/wineserver" -k 2>/dev/null || true
  "$wine_folder/wineserver" -w 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
