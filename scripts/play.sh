#!/usr/bin/env bash
# Installs what is missing, builds the game and its media, and starts it.
# Arguments go to the game (`./scripts/play.sh --window`).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The set-up comes first, so the virtual display suggested below is there to
# use; the display is checked before the build, so a machine without one
# hears so at once.
"$root/scripts/setup.sh"
if [ -z "${DISPLAY:-}" ]; then
  echo "No display found (DISPLAY is not set): run it under a virtual display, e.g. xvfb-run -s '-screen 0 640x480x24' $0" >&2
  exit 1
fi
echo "Building Korvath and its media..."
"$root/scripts/build.sh" korvath >/dev/null
cd "$root/build"
exec ./korvath "$@"
