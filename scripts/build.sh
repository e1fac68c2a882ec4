#!/usr/bin/env bash
# Configures and builds the Linux program (and its tests) with the "linux" preset.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/scintilla-source.sh >/dev/null  # the text box's sources, fetched once
cmake --preset linux >/dev/null
cmake --build --preset linux "$@"
