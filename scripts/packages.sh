# Debian packages the project needs, by purpose; sourced by the other scripts.
# shellcheck shell=bash
build_packages=(cmake g++ make qt6-base-dev libgl-dev qt6-translations-l10n)
test_packages=(libgtest-dev libbenchmark-dev fonts-noto-cjk fonts-liberation2)
# Showing the window without a real display, and the end-to-end checks.
display_packages=(xvfb xauth openbox xdotool x11-utils xclip imagemagick python3 fonts-noto-cjk)
# Making the Debian package (dpkg-shlibdeps works out its dependencies).
package_packages=(dpkg-dev file)
