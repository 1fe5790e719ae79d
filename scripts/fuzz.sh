#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds a fuzzer with clang and runs it for SECONDS (default 60). TARGET is "rtf" (the RTF
# reader, on a corpus that starts from the template and the writer's output; the default) or
# "settings" (our settings format against Qt's own INI format, from a few hand-written files).
# Findings land in the build folder's fuzz-findings/; add each one to the tests.
# Usage: scripts/fuzz.sh [rtf|settings] [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target=rtf
if [[ "${1:-}" == rtf || "${1:-}" == settings ]]; then
    target="$1"
    shift
fi
seconds="${1:-60}"
build="${QUILLORY_FUZZ_BUILD_DIR:-$root/build-fuzz}"
corpus="$root/fuzz-corpus/$target"
findings="$build/fuzz-findings"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLORY_BUILD_FUZZ=ON -DQUILLORY_BUILD_TESTS=OFF -DQUILLORY_BUILD_BENCH=OFF >/dev/null
mkdir -p "$corpus" "$findings"

if [[ "$target" == rtf ]]; then
    ninja -C "$build" -j2 rtf_reader_fuzzer rtf_fuzz_seeds
    "$build/fuzz/rtf_fuzz_seeds" "$corpus"
    fuzzer="$build/fuzz/rtf_reader_fuzzer"
    options=(-dict="$root/fuzz/rtf.dict" -max_len=16384)
else
    ninja -C "$build" -j2 settings_format_fuzzer
    printf '[Quillory]\nHomework=1||MySeparator123||a\\x1\\x31||MySeparator234||\nText1_0=" Dana "\n' \
        >"$corpus/seed-program"
    printf '\xef\xbb\xbf; note\r\n[General]\r\nk=a, "b;c", @Invalid()\r\n[%%General]\r\nx=@String(\\0)\r\n' \
        >"$corpus/seed-hand-edited"
    printf '[Quillory\nText1_0=\\\n"cut\nstray line\n' >"$corpus/seed-damaged"
    fuzzer="$build/fuzz/settings_format_fuzzer"
    options=(-dict="$root/fuzz/settings.dict" -max_len=4096)
fi
"$fuzzer" "$corpus" "${options[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" -print_final_stats=1
