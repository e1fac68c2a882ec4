#!/usr/bin/env bash
# Installs whichever of the named Debian packages are missing (apt-get as root, else sudo).
# "a|b|c" names alternatives: nothing is installed when one of them is, else the first the
# archive has (the names differ between Debian and Ubuntu releases).
# ONTOP_INSTALL_DRY_RUN=1 prints what would be installed instead (the scripts' tests use it).
set -euo pipefail

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}
# Whether the archive offers the package: apt-cache knows a candidate version for it.
available() {
    apt-cache policy "$1" 2>/dev/null | grep -q 'Candidate: [^(]'
}

missing=()
for wanted in "$@"; do
    IFS='|' read -r -a choices <<<"$wanted"
    found=false
    for package in "${choices[@]}"; do
        if installed "$package"; then found=true; break; fi
    done
    $found || missing+=("$wanted")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "${ONTOP_INSTALL_DRY_RUN:-}" = 1 ]; then
    as_root=(true)
elif [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "These packages are missing and this script cannot install them without root or sudo:" >&2
    echo "  ${missing[*]}" >&2
    echo "Install them (apt-get install, for a|b one of them) and run this command again." >&2
    exit 1
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq

# Each alternative becomes the first package the archive has, now that its index is fresh.
chosen=()
for wanted in "${missing[@]}"; do
    IFS='|' read -r -a choices <<<"$wanted"
    pick=""
    for package in "${choices[@]}"; do
        if available "$package"; then pick=$package; break; fi
    done
    if [ -z "$pick" ]; then
        echo "None of these packages is in this system's archive: ${wanted//|/, }." >&2
        exit 1
    fi
    chosen+=("$pick")
done

echo "Installing: ${chosen[*]}"
if [ "${ONTOP_INSTALL_DRY_RUN:-}" = 1 ]; then
    exit 0
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${chosen[@]}"
