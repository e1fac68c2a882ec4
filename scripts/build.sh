#!/usr/bin/env bash
# Configures and builds the Linux program (and its tests) with the "linux" preset.
set -euo pipefail
cd "$(dirname "$0")/.."
python3 scripts/scintilla_source.py >/dev/null  # the text box's pinned sources, fetched once
cmake --preset linux >/dev/null
cmake --build --preset linux "$@"
