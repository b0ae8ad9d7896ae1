# Sourced by scripts/run and scripts/screenshots: a private virtual X display
# (Xvfb) and screenshots of single windows on it.

# Starts Xvfb on a display number it picks itself (a free one) and exports
# DISPLAY; VIRTUAL_DISPLAY_PID is its process. VIRTUAL_DISPLAY_SIZE (WxH)
# sets its size, 1280x800 by default.
start_virtual_display() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${VIRTUAL_DISPLAY_SIZE:-1280x800}x24" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  VIRTUAL_DISPLAY_PID=$!
  local tries
  for tries in $(seq 1 100); do
    [ -s "$number_file" ] && break
    if ! kill -0 "$VIRTUAL_DISPLAY_PID" 2>/dev/null; then
      echo "Xvfb did not start." >&2
      rm -f "$number_file"
      return 1
    fi
    sleep 0.1
  done
  export DISPLAY=":$(tr -d '[:space:]' <"$number_file")"
  rm -f "$number_file"
  unset WAYLAND_DISPLAY
}

stop_virtual_display() {
  if [ -n "${VIRTUAL_DISPLAY_PID:-}" ]; then
    kill "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
    wait "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
    VIRTUAL_DISPLAY_PID=
  fi
}

# Prints the id of a visible window of process $1 with the size $2 (WxH),
# waiting up to $3 seconds for it; fails when it does not appear.
wait_for_window() {
  local pid=$1 size=$2 seconds=${3:-30} tries id geometry
  for tries in $(seq 1 $((seconds * 10))); do
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
      geometry=$(xdotool getwindowgeometry "$id" 2>/dev/null | awk '/Geometry:/ {print $2}')
      if [ "$geometry" = "$size" ]; then
        echo "$id"
        return 0
      fi
    done
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Saves window $1 as the PNG file $2.
capture_window() {
  mkdir -p "$(dirname "$2")"
  import -window "$1" "$2"
}
