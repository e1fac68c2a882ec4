#!/usr/bin/env bash
# Builds the Windows programs and runs their tests: the 64-bit build's all under wine64 on a
# virtual desktop (those labelled dpi again at 144 and 192 dpi), the 32-bit build's checks that
# need no Windows (running it would need a 32-bit Wine). Installs what is missing; exits non-zero
# when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-deps.sh "${windows_packages[@]}" "${wine_packages[@]}"
python3 scripts/scintilla_source.py >/dev/null  # the text box's pinned sources, fetched once

for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Each run on a virtual desktop of its own, with wine64 in the prefix named.
on_desktop=(python3 scripts/virtual_desktop.py run)

status=0
summary() { grep -E '^[0-9]+% tests passed' "$1" | tail -n 1; }
"${on_desktop[@]}" --wine-prefix "$work/prefix" -- ctest --preset win64 2>&1 |
    tee "$work/win64.log" || status=1
ctest --preset win32 2>&1 | tee "$work/win32.log" || status=1  # checks that need no Windows

# The tests labelled dpi again at 144 and 192 dpi, in copies of the prefix set to those DPIs:
# sizes in twips, the rectangle kept over toggles and font sizes in points must hold at any DPI.
dpi_summary=""
for dpi in 144 192; do
    cp -a "$work/prefix" "$work/prefix-$dpi"
    if ONTOP_EXPECTED_DPI="$dpi" "${on_desktop[@]}" --wine-prefix "$work/prefix-$dpi" \
        --dpi "$dpi" -- ctest --preset win64 -L dpi --no-tests=error >"$work/dpi-$dpi.log" 2>&1
    then
        dpi_summary+=" $dpi dpi: $(summary "$work/dpi-$dpi.log")"
    else
        status=1
        cat "$work/dpi-$dpi.log"
        dpi_summary+=" $dpi dpi: FAILED"
    fi
done

# End to end: the 64-bit program under Wine driven from outside, on a desktop of its own, and
# Japanese typed into it through an input method.
scripts/install-deps.sh "${display_packages[@]}" "${ime_packages[@]}"
python3 tests/e2e/e2e.py --windows --screenshots build/e2e build/win64/src/platform/win32/ontopview.exe \
    2>&1 | tee "$work/e2e.log" || status=1

echo "Windows zip: $(scripts/package-windows.sh | tail -n 1)"
echo "win64: $(summary "$work/win64.log")"
echo "win32: $(summary "$work/win32.log")"
echo "window tests at other DPIs:$dpi_summary"
echo "Windows end to end: $(tail -n 1 "$work/e2e.log")"
exit $status
