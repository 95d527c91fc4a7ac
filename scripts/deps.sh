#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages the build and the tests need. Quick
# when everything is already there: only missing packages go to apt.
set -euo pipefail

packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  # the 3D match view: Qt 6 windows and OpenGL contexts, .x meshes through
  # assimp, Mesa's software renderer and a virtual X server for the screen tests
  qt6-base-dev libqt6opengl6-dev libxkbcommon-dev libassimp-dev libgl-dev libegl-dev libgl1-mesa-dri libglx-mesa0
  libopenal-dev libsndfile1-dev  # sound effects: OpenAL Soft, WAV files through libsndfile
  fonts-dejavu-core  # the font the generated pictures and the overlay texts are drawn with
  poppler-utils  # pdfinfo and pdftoppm: the printing test reads the printed page back as pixels
  xvfb xauth)
# scripts/fuzz.sh also needs clang with its libFuzzer and sanitizer runtimes.
if [ "${1:-}" = "--fuzz" ]; then
  packages=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
