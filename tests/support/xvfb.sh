# Sourced by the scripts that need a display: starts a private Xvfb of the
# given size on the first free display number from the given one, exports
# DISPLAY and waits until the server answers. The caller kills $xvfb.
#   start_xvfb FIRST_DISPLAY_NUMBER WIDTHxHEIGHT
start_xvfb() {
  local n
  for n in $(seq "$1" $(($1 + 49))); do
    if [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; then continue; fi
    # -noreset: a killed client leaves the server as it was, not resetting while the next one connects.
    Xvfb ":$n" -screen 0 "${2}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=:$n
    for _ in $(seq 100); do
      # The server that answers must be this one: a display another run is
      # still leaving can answer once and be gone, and then this one has exited.
      if xdpyinfo >/dev/null 2>&1; then sleep 0.2; kill -0 "$xvfb" 2>/dev/null && return 0; break; fi
      kill -0 "$xvfb" 2>/dev/null || break
      sleep 0.1
    done
    kill "$xvfb" 2>/dev/null || true
  done
  echo "Xvfb did not start" >&2
  return 1
}

# Waits up to SECONDS (20 unless given) for a shown window whose name matches
# the pattern; sets WINDOW to its id and X, Y, WIDTH, HEIGHT to its geometry.
#   find_window PATTERN [SECONDS]
find_window() {
  WINDOW=$(timeout "${2:-20}" xdotool search --sync --onlyvisible --name "$1") || return 1
  WINDOW=${WINDOW%%$'\n'*}
  eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
}

# Starts the program on the X display (pid in $app) and waits for its first
# window: the main window when it found its catalogue, the data-loading
# message when it did not. Sets MAIN_WINDOW_SHOWN accordingly.
#   start_program PROGRAM
start_program() {
  QT_QPA_PLATFORM=xcb "$1" &
  app=$!
  find_window '^Orvanta$' || return 1
  # The main window is large and has a menu; the message is small.
  if [ "$WIDTH" -ge 600 ]; then MAIN_WINDOW_SHOWN=1; else MAIN_WINDOW_SHOWN=0; fi
}

# Opens a figure, or a culture's folder, through the program's own file
# dialog by typing its path, and waits for the title (a figure's by default).
# There is no window manager: keys go to the window under the pointer.
#   open_with_dialog MAIN_WINDOW_ID PATH [TITLE]
open_with_dialog() {
  local main=$1 path=$2 title=${3:-"Orvanta [$2]"}
  # On a busy machine (a sanitized build starting) a key pressed before the
  # window or the dialog is ready is lost: Ctrl+O is pressed again while no
  # dialog shows, and the name is typed again over what the field holds.
  for _ in 1 2 3 4; do
    if ! xdotool search --onlyvisible --name 'Open file' >/dev/null 2>&1; then
      eval "$(xdotool getwindowgeometry --shell "$main")"
      xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 8)) click 1
      sleep 0.3
      xdotool key ctrl+o
    fi
    find_window 'Open file' 10 || continue
    sleep 0.5
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    xdotool key ctrl+a
    xdotool type --delay 10 "$path"
    xdotool key Return
    for _ in $(seq 100); do
      [ "$(xdotool getwindowname "$main")" = "$title" ] && return 0
      sleep 0.1
    done
  done
  return 1
}
