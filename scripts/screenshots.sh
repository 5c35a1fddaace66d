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

# Two players drive to and fro under the formation, firing all the while;
# of several moments the busiest is kept (the one whose picture holds the
# most detail: shots, flares, debris and smoke).
key Down
sleep 0.3
key space
sleep 2.5
xdotool keydown space keydown ctrl
for step in $(seq 30); do
    if [ $((step % 6)) -lt 3 ]; then one=Left two=d; else one=Right two=a; fi
    xdotool keydown "$one" keydown "$two"
    sleep 0.25
    xdotool keyup "$one" keyup "$two"
    if [ "$step" -gt 10 ] && [ $((step % 2)) = 0 ]; then
        import -window root "$work/moment-$step.png"
    fi
done
xdotool keyup space keyup ctrl
cp "$(ls -S "$work"/moment-*.png | head -n 1)" "$out/play.png"
echo "$out/play.png"

# Back to the title menu, and into a one-player game abandoned at once
# (once its last shot has left the sky): a score of 0 earns the tenth
# place, and a name is typed.
sleep 2
key Escape
sleep 4
key space
sleep 2.5
key Escape
sleep 4
xdotool keydown shift
for letter in p i l o t; do key "$letter"; sleep 0.1; done
xdotool keyup shift
key Return
sleep 1
shot hall-of-fame
