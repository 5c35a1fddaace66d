#!/usr/bin/env bash
# Installs what is missing, builds the game and its media, and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Checked first, so a machine without a display hears so at once rather than
# after the build.
if [ -z "${DISPLAY:-}" ]; then
  echo "No display found (DISPLAY is not set): run it under a virtual display, e.g. xvfb-run -s '-screen 0 640x480x24' $0" >&2
  exit 1
fi
"$root/scripts/setup.sh"
echo "Building Korvath and its media..."
"$root/scripts/build.sh" korvath >/dev/null
cd "$root/build"
exec ./korvath
