#!/usr/bin/env bash
# Builds the core, reader and Qt-layer tests with AddressSanitizer and UBSan in build/asan and
# runs them on Qt's offscreen platform. Any report fails the run: UBSan stops at its first
# finding, and LeakSanitizer ignores only the toolkit's own leaks listed in
# scripts/lsan-suppressions.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${test_packages[@]}"

sanitizers="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
# The test lists are read from the built programs, so the options apply to the build as well.
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"

python3 scripts/scintilla_source.py >/dev/null  # the text box's pinned sources, fetched once
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DONTOP_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
cmake --build build/asan -j2
ctest --test-dir build/asan --output-on-failure --timeout 900
