#!/usr/bin/env bash
# Builds the text reader's libFuzzer target with clang (ASan + UBSan) and runs it for a fixed
# time from a copy of fuzz/corpus: scripts/fuzz.sh [seconds], 60 by default. Any finding fails
# the run, and the input behind it is kept in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/fuzz.sh [seconds]" >&2
    exit 2
fi

source scripts/packages.sh
scripts/install-deps.sh "${build_packages[@]}" "${fuzz_packages[@]}"

cmake -S fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j2

# New inputs go to a copy, so a run never adds files to the repository.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r fuzz/corpus "$work/corpus"
findings=build/fuzz/findings
mkdir -p "$findings"

# -max_len past 64 KiB: the UTF-8 decoder reserves its output in 64 KiB stretches.
# -timeout: an input taking seconds means a hang or quadratic work, and counts as a finding.
if ! build/fuzz/reader_fuzz -max_total_time="$seconds" -max_len=131072 -timeout=10 \
    -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$findings/" "$work/corpus"; then
    echo "reader_fuzz found a fault; the input is in $findings/ (run build/fuzz/reader_fuzz on it" \
        "to reproduce)." >&2
    exit 1
fi
echo "reader_fuzz: no findings in ${seconds} s."
