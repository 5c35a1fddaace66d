#!/usr/bin/env bash
# Builds the Debian package `korvath` from the committed tree (HEAD, not the
# working files), or in an unpacked release tarball from its files, and
# prints the path of the .deb on its last line. Installs
# what building the package needs, and only what is missing. The package
# build runs the test suite under a virtual display of its own;
# DEB_BUILD_OPTIONS=nocheck skips it, the Debian way.
#
# The build's own output goes to the standard error stream, so
# `deb=$(./scripts/package.sh)` holds just the path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/package"

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
updated=false
update_once() {
  $updated || $sudo apt-get update -qq >&2
  updated=true
}

# The tools that build a package.
tools=()
for p in dpkg-dev debhelper; do installed "$p" || tools+=("$p"); done
if [ ${#tools[@]} -gt 0 ]; then
  echo "Installing: ${tools[*]}" >&2
  update_once
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${tools[@]}" >&2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/korvath"
# A git checkout gives its HEAD; an unpacked release tarball, its own files
# (all but a build folder).
if [ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
  if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    echo "Note: uncommitted changes are not in the package; it is built from HEAD." >&2
  fi
  git -C "$root" archive HEAD | tar -x -C "$work/korvath"
else
  echo "Note: no git checkout here; the package is built from the files of this tree." >&2
  tar -C "$root" --exclude=./build -cf - . | tar -x -C "$work/korvath"
fi
cd "$work/korvath"

# Without the tests, their dependencies are not needed either.
profiles=()
case " ${DEB_BUILD_OPTIONS:-} " in
  *" nocheck "*) profiles=(--build-profiles=nocheck) ;;
esac
if ! dpkg-checkbuilddeps "${profiles[@]/--build-profiles=/-P}" >/dev/null 2>&1; then
  echo "Installing the package's build dependencies" >&2
  update_once
  DEBIAN_FRONTEND=noninteractive $sudo apt-get build-dep -y -qq --no-install-recommends "${profiles[@]}" ./ >&2
fi

case " ${DEB_BUILD_OPTIONS:-} " in
  *" parallel="*) ;;
  *) export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-} parallel=$(nproc)" ;;
esac
dpkg-buildpackage -us -uc -b "${profiles[@]}" >&2

mkdir -p "$out"
deb=$(ls "$work"/korvath_*.deb)
mv "$deb" "$out/"
echo "$out/$(basename "$deb")"
