#!/usr/bin/env bash
# Sets everything up and runs every test: installs missing packages, builds, runs CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${test_packages[@]}" "${display_packages[@]}"
scripts/build.sh
# Widget tests run on Qt's offscreen platform: no display needed.
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
ctest --preset linux
