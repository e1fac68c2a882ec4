# Debian packages the project needs, by purpose; sourced by the other scripts.
# shellcheck shell=bash
build_packages=(cmake g++ make qt6-base-dev libgl-dev qt6-translations-l10n)
# Python's codecs encode the Japanese samples of the reader's tests; desktop-file-utils checks the
# desktop entry and builds the cache that puts the program under "Open with".
test_packages=(libgtest-dev libbenchmark-dev fonts-noto-cjk fonts-liberation2 python3
               desktop-file-utils)
# The virtual desktop everything that shows a window runs on (scripts/virtual_desktop.py): Xvfb,
# openbox, xdpyinfo and xprop to see them ready, and the desktop's session bus.
desktop_packages=(xvfb xauth openbox x11-utils python3 dbus-daemon)
# Showing the window without a real display, and the end-to-end checks (which drag files from a
# small GTK window, as a file manager would).
display_packages=("${desktop_packages[@]}" xdotool xclip imagemagick fonts-noto-cjk
                  python3-gi gir1.2-gtk-3.0)
# Making the Debian package (dpkg-shlibdeps works out its dependencies).
package_packages=(dpkg-dev file)
# Cross-building the Windows programs (MinGW-w64, Debian's GoogleTest sources and Python for
# their tests).
windows_packages=(cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
                  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 googletest python3 patch)
# Fetching Scintilla's source (Debian's scite source package) for the text box.
scintilla_source_packages=(dpkg-dev)
# Running the 64-bit Windows build's tests: Wine on the virtual desktop, and a font with
# Japanese glyphs for Wine to fall back to.
wine_packages=(wine wine64 "${desktop_packages[@]}" fonts-noto-cjk)
# Typing Japanese into the Windows program end to end: ibus with anthy as the X input method
# server, on a D-Bus session bus of its own (dbus-daemon), anthy set to hiragana with gsettings,
# and the Japanese locale's sources, which the check compiles for the program (locales).
ime_packages=(ibus ibus-anthy dbus-daemon libglib2.0-bin locales)
# Fuzzing the text reader: clang with libFuzzer and the sanitizer runtimes.
fuzz_packages=(clang libclang-rt-14-dev)
# The benchmarks' probes (bench/startup_bench.sh, bench/open_e2e.sh) watch windows through XCB
# and press keys through its XTest extension.
bench_packages=(libxcb1-dev libxcb-xtest0-dev)
