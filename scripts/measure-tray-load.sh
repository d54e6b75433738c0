#!/usr/bin/env bash
# What the program costs while it sits in the tray: its CPU time per minute of wall time and the
# wake-ups per second of its light thread and of the whole process, with one virtual keyboard
# in a lighting mode.
#
#   scripts/measure-tray-load.sh [--mode N] [--speed 0-4] [--seconds N] [--screenshot FILE]
#
# The program runs under a virtual display with a stand-in notification area on a private
# session bus; a click on its tray icon hides the window, then the measurement starts.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${RAVO_MEASURE_INSIDE:-0}" != 1 ]; then
  mode=4 speed=2 seconds=60 screenshot=""
  while [ $# -gt 0 ]; do
    case "$1" in
      --mode) mode=$2; shift 2 ;;
      --speed) speed=$2; shift 2 ;;
      --seconds) seconds=$2; shift 2 ;;
      --screenshot) screenshot=$(realpath -m "$2"); shift 2 ;;
      *) echo "usage: $0 [--mode N] [--speed 0-4] [--seconds N] [--screenshot FILE]" >&2; exit 2 ;;
    esac
  done
  bash scripts/install-deps.sh
  bash scripts/build.sh default >/dev/null
  work=$(mktemp -d)
  trap '[ "${MEASURE_KEEP:-0}" = 1 ] || rm -rf "$work"' EXIT
  mkdir -p "$work/config" "$work/data" "$work/state" "$work/cache" "$work/runtime"
  chmod 700 "$work/runtime"
  export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"
  export XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime"
  export RAVO_TKL_VIRTUAL=keyboard
  # The keyboard's own lighting record: the program takes its mode on first contact.
  build/bin/ravo-tkl-cli light set --mode "$mode" --speed "$speed" >/dev/null
  export RAVO_MEASURE_INSIDE=1 MEASURE_WORK="$work" MEASURE_MODE="$mode" MEASURE_SPEED="$speed"
  export MEASURE_SECONDS="$seconds" MEASURE_SCREENSHOT="$screenshot"
  dbus-run-session -- xvfb-run -a -s "-screen 0 1100x800x24" "$0"
  exit $?
fi

work=$MEASURE_WORK
# Waits up to $2 tenths of a second for the text $1 in the stand-in's log.
wait_for_log() {
  for _ in $(seq "$2"); do
    grep -q "$1" "$work/tray.log" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "timed out waiting for the tray icon ($1)" >&2
  return 1
}

/usr/bin/python3 scripts/notification-area-stub.py --activate-after 3 >"$work/tray.log" 2>&1 &
tray=$!
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null || true
  kill "$tray" 2>/dev/null || true
}
trap cleanup EXIT
wait_for_log watching 50

build/bin/ravo-tkl-rgb >"$work/program.log" 2>&1 &
app=$!
wait_for_log activated 300
sleep 3  # the hide and the first frames settle

window=$(xwininfo -root -children | awk '/"RAVO TKL RGB"/ {print $1; exit}')
state="not found"
[ -n "$window" ] && state=$(xwininfo -id "$window" | sed -n 's/^ *Map State: *//p')
[ -n "$MEASURE_SCREENSHOT" ] && import -window root "$MEASURE_SCREENSHOT"

if ! grep -qx ravo-light /proc/"$app"/task/*/comm 2>/dev/null; then
  echo "the light thread is not running" >&2
  exit 1
fi
cpu_ticks() { awk '{print $14 + $15}' /proc/"$app"/stat; }
# One line per thread: id, name, context switches so far (each wake-up of a sleeping thread is one).
thread_switches() {
  for task in /proc/"$app"/task/*; do
    printf '%s %s %s\n' "${task##*/}" "$(cat "$task/comm" 2>/dev/null | tr ' ' '_')" \
      "$(awk '/ctxt_switches/ {n += $2} END {print n}' "$task/status" 2>/dev/null)"
  done
}

cpu0=$(cpu_ticks)
thread_switches >"$work/threads0"
start=$(date +%s.%N)
sleep "$MEASURE_SECONDS"
cpu1=$(cpu_ticks)
thread_switches >"$work/threads1"
end=$(date +%s.%N)

hz=$(getconf CLK_TCK)
awk -v c0="$cpu0" -v c1="$cpu1" -v s="$start" -v e="$end" -v hz="$hz" -v mode="$MEASURE_MODE" \
    -v speed="$MEASURE_SPEED" -v state="$state" '
  FNR == NR { before[$1] = $3; next }
  ($1 in before) && $3 != "" { rate[$2] += $3 - before[$1]; total += $3 - before[$1] }
  END {
    wall = e - s
    printf "mode %d, speed %d, window map state: %s, measured over %.1f s\n", mode, speed, state, wall
    printf "CPU time per minute of wall time: %.0f ms\n", (c1 - c0) * 1000 / hz * 60 / wall
    printf "light thread wake-ups per second: %.1f\n", rate["ravo-light"] / wall
    printf "wake-ups per second of all threads alive throughout: %.1f\n", total / wall
    for (name in rate) if (rate[name] > 0) printf "  %-16s %8.1f/s\n", name, rate[name] / wall
  }' "$work/threads0" "$work/threads1"
