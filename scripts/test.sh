#!/usr/bin/env bash
# Sets everything up and runs every test suite: installs missing packages, then the Linux build
# and its tests (core, reader, Qt widgets, the set-up scripts, the program end to end), the
# Debian package (in CI also installed with apt and started once), the Windows builds' tests
# under Wine, the sanitizer build's tests and a minute of fuzzing. Every suite runs even when
# one before it failed; the output ends with each suite's result and a closing count, and the
# exit status is non-zero when any failed.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
if ! scripts/install-deps.sh "${build_packages[@]}" "${test_packages[@]}" \
    "${display_packages[@]}" "${package_packages[@]}"; then
    echo "The packages the tests need could not be installed."
    echo "suites: 0 passed, 1 failed"
    exit 1
fi

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
results=()
passed=0
failed=0

# run_suite NAME COMMAND...: runs the suite with its output shown and kept, and records its
# result with the last summary line it printed (CTest's, or a script's own).
run_suite() {
    local name=$1 log
    shift
    log="$logs/$(echo "$name" | tr -c 'A-Za-z0-9' '_').log"
    echo "=== $name"
    if "$@" 2>&1 | tee "$log"; then
        passed=$((passed + 1))
        results+=("passed  $name$(suite_detail "$log")")
    else
        failed=$((failed + 1))
        results+=("FAILED  $name$(suite_detail "$log")")
    fi
}
suite_detail() {
    local line
    line=$(grep -E '^[0-9]+% tests passed|^[0-9]+ passed, [0-9]+ failed| fuzz targets without findings' "$1" |
        tail -n 1)
    [ -z "$line" ] || echo ": $line"
}

linux_tests() {
    # Widget tests run on Qt's offscreen platform; the end-to-end test brings its own display.
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$logs}" ctest --preset linux
}
debian_package() {
    local package
    if [ "${CI:-}" = true ]; then
        package=$(scripts/package-linux.sh --install | tail -n 1) || return 1
        # desktop-file-utils' own trigger on /usr/share/applications brings the entry into the MIME
        # cache on install: "Open with" then offers the program for text files.
        desktop-file-validate /usr/share/applications/ontopview.desktop || return 1
        grep -q '^text/plain=.*ontopview.desktop' /usr/share/applications/mimeinfo.cache || return 1
        echo "Installed $package; starting the installed program once:"
        python3 scripts/screenshot.py --screenshot build/installed.png /usr/bin/ontopview
    else
        package=$(scripts/package-linux.sh | tail -n 1) || return 1
        echo "Debian package: $package"
    fi
}

run_suite "Linux build" scripts/build.sh
run_suite "Linux tests" linux_tests
run_suite "Debian package" debian_package
run_suite "Windows builds under Wine" scripts/test-windows.sh
run_suite "Sanitizers (ASan, UBSan)" scripts/sanitize.sh
run_suite "Fuzzing" scripts/fuzz.sh 60

echo
echo "=== Summary"
printf '%s\n' "${results[@]}"
echo "suites: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
