#!/usr/bin/env bash
# Builds the RTF reader's fuzzer with clang and runs it for SECONDS (default 60) on a corpus that
# starts from the template and the writer's output. Findings land in the build folder's
# fuzz-findings/; add each one to the reader's tests.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="${QUILLORY_FUZZ_BUILD_DIR:-$root/build-fuzz}"
corpus="$root/fuzz-corpus/rtf"
findings="$build/fuzz-findings"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLORY_BUILD_FUZZ=ON -DQUILLORY_BUILD_TESTS=OFF -DQUILLORY_BUILD_BENCH=OFF >/dev/null
ninja -C "$build" -j2 rtf_reader_fuzzer rtf_fuzz_seeds

mkdir -p "$corpus" "$findings"
"$build/fuzz/rtf_fuzz_seeds" "$corpus"
"$build/fuzz/rtf_reader_fuzzer" "$corpus" -dict="$root/fuzz/rtf.dict" \
    -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" -print_final_stats=1
