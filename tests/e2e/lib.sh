# Helpers for the end-to-end tests: the shipped binary in a real X window under Xvfb.
# Sourced by each *_test.sh; they receive the binary and the build folder as arguments.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Waits until a window matching the xdotool search arguments exists; prints its id.
wait_for_window() {
  local tries=0 id
  while [ $tries -lt 100 ]; do
    id=$(xdotool search "$@" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
    tries=$((tries + 1))
  done
  return 1
}

# Waits for a process to end; prints its exit code. Fails after the given seconds.
wait_for_exit() {
  local pid=$1 seconds=$2 waited=0
  while kill -0 "$pid" 2>/dev/null; do
    sleep 0.1
    waited=$((waited + 1))
    if [ $waited -gt $((seconds * 10)) ]; then
      kill -9 "$pid" 2>/dev/null
      fail "the game did not end within $seconds s"
    fi
  done
  wait "$pid"
}

# Waits until a top-level window with exactly this title exists; prints its id. (xdotool's
# own name search misses titles that are stored only as UTF-8, as SDL's message boxes are.)
wait_for_titled_window() {
  local title=$1 tries=0 id
  while [ $tries -lt 100 ]; do
    id=$(xwininfo -root -tree 2>/dev/null | awk -v t="\"$title\":" '$2 == t {print $1; exit}')
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
    tries=$((tries + 1))
  done
  return 1
}

# Gives a window the keyboard focus, as clicking it would.
focus_window() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
}

# Holds a key long enough for the game's once-a-frame poll to see it. The key goes to the
# focused window through the X test extension, as a real key press does.
press_key() {
  local key=$1
  xdotool keydown "$key"
  sleep 0.15
  xdotool keyup "$key"
  sleep 0.1
}

# Saves the window's picture as a PNG.
screenshot() {
  import -window "$1" "$2"
}

# True when two pictures differ in more pixels than the limit (500 by default).
pictures_differ() {
  local differing
  differing=$(compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1)
  [ "${differing%.*}" -gt "${3:-500}" ]
}

# True when a picture is not (almost) all black.
picture_not_black() {
  local mean
  mean=$(convert "$1" -colorspace Gray -format '%[fx:mean*1000]' info:)
  [ "${mean%.*}" -gt 20 ]
}

# Holds a key for the given seconds.
hold_key() {
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
  sleep 0.1
}

# Mean brightness of the window, 0 (black) to 1000.
window_brightness() {
  import -window "$1" "$2" 2>/dev/null
  local mean
  mean=$(convert "$2" -colorspace Gray -format '%[fx:mean*1000]' info:)
  echo "${mean%.*}"
}

# Holds a key until the window grows much darker than it was (a fade to the next map has
# begun), at most the given seconds. Frame times vary with the machine; the fade does not, and
# a darkening of more than half is seen however seldom the window is looked at.
hold_key_until_dark() {
  local window=$1 key=$2 seconds=$3 waited=0 before
  before=$(window_brightness "$window" "$work/poll.png")
  xdotool keydown "$key"
  while [ "$waited" -lt $((seconds * 10)) ]; do
    sleep 0.1
    waited=$((waited + 1))
    if [ "$(window_brightness "$window" "$work/poll.png")" -lt $((before * 4 / 10)) ]; then
      break
    fi
  done
  xdotool keyup "$key"
  sleep 0.1
}

# Waits until the window's picture holds still (two looks 0.4 s apart differ in under 20,000
# pixels, so rippling water or a turning villager do not count), at most the given seconds: a
# fade has finished, the camera has stopped.
wait_until_still() {
  local window=$1 seconds=$2 waited=0
  import -window "$window" "$work/still_a.png" 2>/dev/null
  while [ "$waited" -lt $((seconds * 10)) ]; do
    sleep 0.4
    waited=$((waited + 4))
    import -window "$window" "$work/still_b.png" 2>/dev/null
    if ! pictures_differ "$work/still_a.png" "$work/still_b.png" 20000; then
      return 0
    fi
    mv "$work/still_b.png" "$work/still_a.png"
  done
  return 1
}

# Holds a key until the picture holds still (the walk ran into something), at most the given
# seconds.
hold_key_until_still() {
  local window=$1 key=$2 seconds=$3
  xdotool keydown "$key"
  sleep 0.5
  wait_until_still "$window" "$seconds"
  xdotool keyup "$key"
  sleep 0.1
}
