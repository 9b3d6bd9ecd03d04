#!/bin/sh
# Redraws every image in resources/ from the Adwaita symbolic icons and our
# own glyphs. Needs the Debian packages adwaita-icon-theme, libqt5svg5-dev
# and fonts-dejavu-core.
set -e
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
cmake -S "$here" -B "$build" >/dev/null
cmake --build "$build" >/dev/null
QT_QPA_PLATFORM=offscreen "$build/kanvio-icons" "$repo/resources"
