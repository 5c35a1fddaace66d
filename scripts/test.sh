#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
# Without a display it starts its own virtual one (24-bit, as the game's GL
# context needs); sound goes to SDL's dummy driver unless one is chosen.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  # -noreset: by default the server resets whenever its last client leaves,
  # and a game starting in that moment loses its connection (the tests
  # start and end many games in a row).
  Xvfb ":$n" -screen 0 640x480x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  export DISPLAY=":$n"
fi
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

cd "$root/build"
ctest --output-on-failure -j1 "$@"
