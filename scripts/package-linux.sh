#!/usr/bin/env bash
# Builds the Debian package of the Linux program; prints its path. With --install, also
# installs it with apt (as root or through sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${package_packages[@]}"
scripts/build.sh --target ontopview
(cd build/linux && cpack -G DEB >/dev/null)
package=$(ls -t build/linux/ontopview_*.deb | head -n 1)
echo "$package"
if [ "${1:-}" = "--install" ]; then
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$package" >/dev/null
fi
