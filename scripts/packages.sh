# Debian packages the project needs, by purpose; sourced by the other scripts. The names hold on
# Debian 12 and 13 and Ubuntu 22.04 and 24.04; where they differ, "a|b" names alternatives and
# scripts/install-deps.sh installs the first the system's archive has.
# shellcheck shell=bash
# Building the program: the compiler, Qt 6 (its CMake files want the OpenGL headers), Qt's
# Japanese translations for the standard dialogs, and patch for Scintilla's patches.
build_packages=(cmake g++ make qt6-base-dev libgl-dev qt6-translations-l10n patch)
# The tests: GoogleTest, the Japanese font the widget tests draw with, and Python, whose codecs
# encode the Japanese samples of the reader's tests and which runs the scripts' own tests;
# desktop-file-utils checks the desktop entry and builds the cache behind "Open with".
test_packages=(libgtest-dev fonts-noto-cjk python3 desktop-file-utils)
# The virtual desktop everything that shows a window runs on (scripts/virtual_desktop.py): Xvfb,
# openbox, xdpyinfo and xprop to see them ready, and the desktop's session bus (its own package
# from Debian 12 and Ubuntu 24.04 on, part of dbus before).
desktop_packages=(xvfb openbox x11-utils python3 "dbus-daemon|dbus")
# Showing the window without a real display, and the end-to-end checks (which drag files from a
# small GTK window, as a file manager would).
display_packages=("${desktop_packages[@]}" xdotool xclip imagemagick fonts-noto-cjk
                  python3-gi gir1.2-gtk-3.0)
# Making the Debian package (dpkg-shlibdeps works out its dependencies).
package_packages=(dpkg-dev file)
# Cross-building the Windows programs (MinGW-w64, Debian's GoogleTest sources, Python for their
# tests, and patch for Scintilla's patches).
windows_packages=(cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
                  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 googletest python3 patch)
# Running the 64-bit Windows build's tests: Wine on the virtual desktop, and the fonts Wine falls
# back to (Liberation for Windows' own faces, Noto Sans CJK for Japanese).
wine_packages=(wine "wine64|wine" "${desktop_packages[@]}" fonts-noto-cjk fonts-liberation2)
# Typing Japanese into the Windows program end to end: ibus with anthy as the X input method
# server, on a D-Bus session bus of its own (dbus-daemon), anthy set to hiragana with gsettings,
# and the Japanese locale's sources, which the check compiles for the program (locales).
ime_packages=(ibus ibus-anthy "dbus-daemon|dbus" libglib2.0-bin locales)
# Fuzzing the text reader and the text box's arithmetic: clang, and its libFuzzer and sanitizer
# runtimes (fuzz_runtime_package); patch for Scintilla's patches, whose headers the latter use.
fuzz_packages=(clang patch)
# The benchmarks' probes (bench/startup_bench.sh, bench/open_e2e.sh) watch windows through XCB
# and press keys through its XTest extension.
bench_packages=(libxcb1-dev libxcb-xtest0-dev)

# Prints nothing when clang already links a libFuzzer target with the sanitizers; otherwise the
# packages that may hold its runtimes, as alternatives for install-deps.sh: the ones matching
# `clang --version` (libclang-rt-N-dev from clang 14 on Debian, libclang-common-N-dev on older
# packaging), then the system's default (libclang-rt-dev).
fuzz_runtime_package() {
    local probe major
    probe=$(mktemp -d)
    printf '%s\n' 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' \
        >"$probe/probe.cpp"
    if clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" \
        >/dev/null 2>&1; then
        rm -rf "$probe"
        return 0
    fi
    rm -rf "$probe"
    major=$(clang --version | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1)
    echo "libclang-rt-$major-dev|libclang-common-$major-dev|libclang-rt-dev"
}
