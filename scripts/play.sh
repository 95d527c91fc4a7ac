#!/usr/bin/env bash
# Sets up the machine, builds, and starts the program: for now the headless
# simulator replaying the bundled example match.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build"
exec "$root/build/src/zel-sim" replay "$root/examples/demo.sav"
