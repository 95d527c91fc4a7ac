#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test (screen tests inside a
# virtual X server with Mesa's software renderer); then the whole suite again
# under AddressSanitizer and UndefinedBehaviorSanitizer, the floors without Qt
# on their own, and a short run of every fuzz target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"

"$root/scripts/build.sh" "$root/build"
export LIBGL_ALWAYS_SOFTWARE=1 ALSOFT_DRIVERS=null
# The virtual X server now and then refuses a window's connection when the
# machine is busy ("could not connect to display"); a test that fails is run
# up to twice more, so only a test that fails every time fails the run.
run_ctest=(ctest --test-dir "$root/build" --output-on-failure -j"$(nproc)" --repeat until-pass:3)
if command -v xvfb-run >/dev/null 2>&1; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "${run_ctest[@]}"
else
  "${run_ctest[@]}"
fi

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# the window and render tests inside the virtual X server too.
"$root/scripts/sanitize.sh"

# The floors without Qt, OpenGL or audio (the core, the settings, the screen
# models and the simulator), configured and tested the way a machine without
# them would.
cmake -S "$root" -B "$root/build-core" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZEL_BUILD_BENCH=OFF -DZEL_GUI=OFF >/dev/null
cmake --build "$root/build-core" -j"$(nproc)" --target zel-core-tests zel-sim
ctest --test-dir "$root/build-core" --output-on-failure -j"$(nproc)" -L core

# A short run of every fuzz target (clang's libFuzzer under the same
# sanitizers), from the seed corpora with a fixed seed; scripts/fuzz.sh
# with a longer time is the real search.
"$root/scripts/fuzz.sh" "${ZEL_FUZZ_SECONDS:-10}"
