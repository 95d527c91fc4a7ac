#!/usr/bin/env bash
# Sets up the machine, builds, and starts the game: the slide show, then the
# main menu.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build"
exec "$root/build/zel"
