#!/usr/bin/env bash
# Fetches Scintilla 5.3.3 as Debian ships it, inside the source package scite, into
# build/scintilla (once): a deb-src entry for the system's own Debian archive is added when there
# is none, and apt checks the package against the archive's signed index. Prints the folder that
# holds Scintilla's src/, win32/ and include/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

folder=build/scintilla
wanted_version=533  # Scintilla's own version.txt for 5.3.3
scintilla=$(ls -d "$folder"/scite-*/scintilla 2>/dev/null | head -n 1 || true)
if [ -n "$scintilla" ] && [ "$(cat "$scintilla/version.txt" 2>/dev/null)" = "$wanted_version" ]; then
    echo "$(pwd)/$scintilla"
    exit 0
fi

scripts/install-deps.sh "${scintilla_source_packages[@]}" >&2

if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi
if ! apt-get source --print-uris scite >/dev/null 2>&1; then
    # The same archive, suites and keys as the binary packages come from, for sources.
    entry=/etc/apt/sources.list.d/ontopview-deb-src.sources
    sources=()
    [ -f /etc/apt/sources.list.d/debian.sources ] && sources+=(/etc/apt/sources.list.d/debian.sources)
    if [ ${#sources[@]} -gt 0 ]; then
        sed -e 's/^Types:.*$/Types: deb-src/' "${sources[@]}" | "${as_root[@]}" tee "$entry" >/dev/null
    else
        grep -hE '^deb ' /etc/apt/sources.list 2>/dev/null | sed -e 's/^deb /deb-src /' |
            "${as_root[@]}" tee /etc/apt/sources.list.d/ontopview-deb-src.list >/dev/null
    fi
    echo "Added Debian's source packages to apt's sources; updating its index." >&2
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq >&2
fi

rm -rf "$folder"
mkdir -p "$folder"
(cd "$folder" && apt-get source -qq scite >&2)
scintilla=$(ls -d "$folder"/scite-*/scintilla 2>/dev/null | head -n 1 || true)
if [ -z "$scintilla" ] || [ "$(cat "$scintilla/version.txt")" != "$wanted_version" ]; then
    echo "Debian's scite source package does not hold Scintilla 5.3.3 (version.txt $wanted_version)." >&2
    exit 1
fi
echo "$(pwd)/$scintilla"
