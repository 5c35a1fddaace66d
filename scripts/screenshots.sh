#!/usr/bin/env bash
# Remakes the screenshots the README and the software centre show, from the
# real game under a virtual display of its own: the title menu, a busy
# moment of play, and the hall of fame with a new name in it. Writes them to
# docs/screenshots/. The moment of play differs from run to run, as the game
# seeds its random numbers with the time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/docs/screenshots"
"$root/scripts/setup.sh"
command -v import >/dev/null || { echo "Installing imagemagick (for import)"; sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo; $sudo apt-get install -y -qq --no-install-recommends imagemagick >/dev/null; }
"$root/scripts/build.sh" korvath >/dev/null

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
finish() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT

n=120
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 640x480x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$n"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# The game in a folder of its own, with a hall of fame of earlier players
# whose tenth place any score beats.
cp "$root/build/korvath" "$work/"
cp -r "$root/build/media" "$work/"
python3 - "$work/media/font/scores.txt" <<'EOF'
import struct, sys
names = ["ACE", "NOVA", "ORBIT", "VEGA", "COMET", "LYRA", "ZENITH", "PULSAR", "QUASAR", "NEBULA"]
scores = [2400, 2100, 1800, 1500, 1200, 900, 600, 400, 200, 0]
with open(sys.argv[1], "wb") as table:
    for name, score in zip(names, scores):
        table.write(name.encode().ljust(12, b"\0") + struct.pack("<I", score))
EOF
(cd "$work" && SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$work/config" exec ./korvath) &
game_pid=$!

shot() { import -window root "$out/$1.png"; echo "$out/$1.png"; }
key() { xdotool keydown "$1"; sleep "${2:-0.1}"; xdotool keyup "$1"; }
mkdir -p "$out"

# The title menu, once the loading screen has faded and a credit line shows.
sleep 6
shot title-menu

# One player: drive under the formation and fire, until the sky is busy
# with shots, flares and debris.
key space
sleep 2.5
for step in $(seq 14); do
    side=$([ $((step % 4)) -lt 2 ] && echo Left || echo Right)
    xdotool keydown "$side" keydown space
    sleep 0.35
    xdotool keyup "$side" keyup space
    sleep 0.05
done
xdotool keydown space
sleep 0.3
shot play
xdotool keyup space

# Abandon the game: its score earns the tenth place, and a name is typed.
key Escape
sleep 4
for letter in k o r v a t h; do key "$letter"; sleep 0.1; done
key Return
sleep 1
shot hall-of-fame
