#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each in turn from a copy of
# fuzz/corpus, the time given split evenly between them: scripts/fuzz.sh [seconds], 60 by
# default. The small targets (one a decoder, the lines, the encoding choice, the text box's row
# styling and its line limits) get inputs up to 4 KiB; reader_fuzz, the whole reader on a real
# file, up to 128 KiB. Every target runs even when one finds a fault; any finding fails the run, and the
# input behind it is kept in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(utf8 utf16 euc_jp iso2022_jp cp932 lines encoding_choice row_styling line_limits reader)
seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]] || [ "$seconds" -lt ${#targets[@]} ]; then
    echo "usage: scripts/fuzz.sh [seconds], at least ${#targets[@]} (a second a target)" >&2
    exit 2
fi

source scripts/packages.sh
# No Qt: the reader, and the text box's arithmetic with Scintilla's headers alone. clang++ uses
# g++'s C++ library.
scripts/install-deps.sh cmake make g++ python3 "${fuzz_packages[@]}"
runtime=$(fuzz_runtime_package)
[ -z "$runtime" ] || scripts/install-deps.sh "$runtime"

python3 scripts/scintilla_source.py >/dev/null  # Scintilla's pinned source, for its headers
cmake -S fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j2

# New inputs go to copies, so a run never adds files to the repository.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=build/fuzz/findings
mkdir -p "$findings"

share=$((seconds / ${#targets[@]}))
extra=$((seconds % ${#targets[@]}))
status=0
summary=()
for target in "${targets[@]}"; do
    time=$share
    if [ "$extra" -gt 0 ]; then time=$((time + 1)); extra=$((extra - 1)); fi
    # Past 64 KiB for the whole reader: the legacy converters take their input in 64 KiB runs
    # and the UTF-8 decoder reserves in 64 KiB stretches.
    max_len=4096
    [ "$target" = reader ] && max_len=131072
    cp -r fuzz/corpus "$work/$target"
    # -timeout: an input taking seconds means a hang or quadratic work, and counts as a finding.
    if build/fuzz/"${target}_fuzz" -max_total_time="$time" -max_len="$max_len" -timeout=10 \
        -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$findings/${target}-" \
        "$work/$target" >"$work/$target.log" 2>&1; then
        result="no findings"
    else
        status=1
        result="FOUND A FAULT (input in $findings/, log below)"
        cat "$work/$target.log" >&2
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/$target.log")
    coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$work/$target.log" | tail -n 1)
    line="${target}_fuzz: ${time} s, ${runs:-?} inputs (${rate:-?}/s), ${coverage:-no coverage}, $result"
    echo "$line"
    summary+=("$line")
done

echo "Fuzzing, ${seconds} s in all:"
printf '  %s\n' "${summary[@]}"
with_findings=$(printf '%s\n' "${summary[@]}" | grep -c 'FOUND A FAULT' || true)
echo "$((${#targets[@]} - with_findings)) fuzz targets without findings, $with_findings with"
exit $status
