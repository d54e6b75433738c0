#!/usr/bin/env bash
# Runs one test program with its own temporary XDG folders, offscreen Qt and a private
# D-Bus session bus, so tests can run in parallel and never touch the real user's files.
set -u
scratch=$(mktemp -d "${TMPDIR:-/tmp}/ravo-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch"/{home,data,config,state,cache,runtime}
chmod 700 "$scratch/runtime"
export HOME="$scratch/home"
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
export XDG_STATE_HOME="$scratch/state" XDG_CACHE_HOME="$scratch/cache"
export XDG_RUNTIME_DIR="$scratch/runtime"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
unset RAVO_TKL_VIRTUAL DISPLAY WAYLAND_DISPLAY
if command -v dbus-run-session >/dev/null 2>&1; then
  exec dbus-run-session -- "$@"
fi
exec "$@"
