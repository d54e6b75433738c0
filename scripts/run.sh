#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program. With no supported device
# plugged in, a virtual keyboard is put on the bus. Without a display, the program cannot show
# its window: the command-line tool then lists the devices instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh default

if [ -z "${RAVO_TKL_VIRTUAL:-}" ] && ! build/bin/ravo-tkl-cli list --real-only >/dev/null 2>&1; then
  export RAVO_TKL_VIRTUAL=keyboard
  echo "No RAVO keyboard found: starting with the virtual keyboard (RAVO_TKL_VIRTUAL=keyboard)."
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): the desktop program needs one."
  echo "Showing the devices with the command-line tool instead; to see the window without a"
  echo "desktop, run: xvfb-run -a build/bin/ravo-tkl-rgb"
  exec build/bin/ravo-tkl-cli list
fi
exec build/bin/ravo-tkl-rgb
