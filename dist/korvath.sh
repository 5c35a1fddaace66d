#!/bin/sh
# Starts the installed Korvath for this user.
#
# The game reads its media and reads and writes its hall of fame by paths
# relative to its working directory, so it runs from a folder of the user's
# own: ${XDG_DATA_HOME:-$HOME/.local/share}/korvath. There media/ links to the
# installed (read-only) media, and media/font/ is a real folder holding this
# user's scores.txt, created on the first run as the empty 160-byte table.
# Nothing is ever written into the install tree. KORVATH_WINDOW=1 plays in a
# 640 x 480 window instead of the full screen.
set -eu

here=$(cd "$(dirname "$(readlink -f "$0")")" && pwd)
share=$(cd "$here/../share/korvath" && pwd)
game="$here/../lib/korvath/korvath"
data="${XDG_DATA_HOME:-$HOME/.local/share}/korvath"

mkdir -p "$data/media/font"
# Linked afresh on every start, so an upgrade's media are used at once.
for item in "$share/media"/*; do
    name=$(basename "$item")
    [ "$name" = font ] && continue
    ln -sfn "$item" "$data/media/$name"
done
scores="$data/media/font/scores.txt"
[ -e "$scores" ] || head -c 160 /dev/zero > "$scores"

cd "$data"
if [ "${KORVATH_WINDOW:-}" = 1 ]; then
    set -- --window "$@"
fi
exec "$game" "$@"
