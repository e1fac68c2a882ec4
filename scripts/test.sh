#!/usr/bin/env bash
# Sets everything up and runs every test: installs missing packages, builds, makes the Debian
# package (in CI also installs it and starts it once), runs the Windows builds' tests under
# Wine, the sanitizer build's tests and a minute of fuzzing, then the Linux tests with CTest,
# whose summary ends the output.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${test_packages[@]}" "${display_packages[@]}" \
    "${package_packages[@]}" "${fuzz_packages[@]}"
scripts/build.sh

if [ "${CI:-}" = true ]; then
    package=$(scripts/package-linux.sh --install | tail -n 1)
    # desktop-file-utils' own trigger on /usr/share/applications brings the entry into the MIME
    # cache on install: "Open with" then offers the program for text files.
    desktop-file-validate /usr/share/applications/ontopview.desktop
    grep -q '^text/plain=.*ontopview.desktop' /usr/share/applications/mimeinfo.cache
    echo "Installed $package; starting the installed program once:"
    python3 scripts/screenshot.py --screenshot build/installed.png /usr/bin/ontopview
else
    echo "Debian package: $(scripts/package-linux.sh | tail -n 1)"
fi

# The Windows programs: cross-built, their tests run under Wine.
scripts/test-windows.sh

# The same tests with AddressSanitizer and UBSan, and the text reader fuzzed for a minute.
scripts/sanitize.sh
scripts/fuzz.sh 60

# Widget tests run on Qt's offscreen platform; the end-to-end test brings its own display.
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
ctest --preset linux
