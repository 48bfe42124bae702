#!/usr/bin/env bash
# The real program on a desktop whose window manager frames windows (openbox under
# Xvfb): the calculator and the converter open where they were at every start, and a
# run in the notification area keeps the stored place. Exits 77 (skipped) when Xvfb,
# openbox or the X tools are missing.
#   window_places.sh PATH-TO-quantrel
set -euo pipefail

app="$1"
for tool in Xvfb openbox xdotool xwininfo xprop; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/setup.sh installs it)"
    exit 77
  fi
done

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
export XDG_DATA_HOME="$work/home/.local/share" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME/quantrel" "$XDG_RUNTIME_DIR" "$work/data"
chmod 700 "$XDG_RUNTIME_DIR"
ini="$XDG_CONFIG_HOME/quantrel/quantrel.ini"
printf '[Dir]\nSaveDest=%s\n[Form]\nLeft=150\nTop=130\n' "$work/data" >"$ini"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The visible, framed window named $1: "left top outer-width outer-height" of its frame.
frame_of() {
  local id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
      local extents
      extents=$(xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null |
        grep -o '[0-9]*, [0-9]*, [0-9]*, [0-9]*$' | tr -d ',') || continue
      [ -n "$extents" ] || continue
      read -r l r t b <<<"$extents"
      eval "$(xwininfo -id "$id" | awk '/Absolute upper-left X/{print "x="$NF}
        /Absolute upper-left Y/{print "y="$NF} /Width:/{print "w="$NF} /Height:/{print "h="$NF}')"
      sleep 0.3 # the window manager may still be placing it
      eval "$(xwininfo -id "$id" | awk '/Absolute upper-left X/{print "x="$NF}
        /Absolute upper-left Y/{print "y="$NF} /Width:/{print "w="$NF} /Height:/{print "h="$NF}')"
      echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
      return 0
    done
    sleep 0.05
  done
  echo "none"
}

# "Left Top" of section $1 of the settings file.
stored() {
  awk -v want="[$1]" '/^\[/{in_section = ($0 == want)}
    in_section && /^Left=/{sub(/^Left=/, ""); left = $0}
    in_section && /^Top=/{sub(/^Top=/, ""); top = $0}
    END{print left " " top}' "$ini"
}

# One run: the window's frame, then File > Exit. With "converter", Tools > Convert Area
# opens the converter first, and its frame is printed too.
run() {
  "$app" >"$work/out" 2>&1 &
  local pid=$!
  local calculator converter=""
  calculator=$(frame_of Quantrel)
  if [ "${1:-}" = converter ]; then
    xdotool search --onlyvisible --name '^Quantrel$' windowfocus --sync 2>/dev/null || true
    xdotool key alt+t && sleep 0.3 && xdotool key a
    converter=$(frame_of Converter)
    xdotool search --onlyvisible --name '^Quantrel$' windowactivate --sync 2>/dev/null || true
  fi
  xdotool key alt+f && sleep 0.3 && xdotool key x
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    fail "File > Exit did not end the program"
  fi
  wait "$pid" || true
  echo "$calculator|$converter"
}

# Four starts and exits: the same frame and the same stored place each time.
for n in 1 2 3 4; do
  result=$(run)
  frame=${result%%|*}
  echo "run $n: frame $frame, stored $(stored Form)"
  [ "${frame% * *}" = "150 130" ] || fail "run $n: the window's frame is at ${frame% * *}, not 150 130"
  [ "$(stored Form)" = "150 130" ] || fail "run $n: stored Left/Top $(stored Form)"
done

# The converter in three runs: at the calculator's corner + 50 first, then where it
# was; its outer size is the design's.
for n in 1 2 3; do
  result=$(run converter)
  converter=${result#*|}
  echo "converter run $n: frame $converter, stored $(stored Conv)"
  [ "$converter" = "200 180 500 228" ] || fail "converter run $n: frame and outer size $converter"
  [ "$(stored Conv)" = "200 180" ] || fail "converter run $n: stored Left/Top $(stored Conv)"
done

# A run that never shows the window keeps the stored place. Without a notification
# area it would show the window, so the test gives it one when trayer is there.
if command -v trayer >/dev/null; then
  trayer --edge bottom --align right --widthtype pixel --width 60 >/dev/null 2>&1 &
  pids+=($!)
  sleep 0.5
  sed -i 's/^Left=150$/Left=333/; s/^Top=130$/Top=222/' "$ini"
  "$app" t >"$work/out" 2>&1 &
  pid=$!
  sleep 1.5
  kill -TERM "$pid"
  wait "$pid" || true
  echo "tray run: stored $(stored Form)"
  [ "$(stored Form)" = "333 222" ] || fail "a tray-only run stored Left/Top $(stored Form)"
else
  echo "no trayer: the tray-only run is not tried"
fi

[ "$failures" -eq 0 ] || exit 1
echo "window places hold"
