#!/bin/sh
# SPDX-License-Identifier: MIT
# The first click on "Start Creating Template", each in a fresh process, on a real X server with
# a window manager: starts its own Xvfb and openbox and prints, for a bare Qt pair of windows
# (bare_pair) and for the sample, 200, 1,000 and 32,766 classes (first_click_bench), the median
# milliseconds from the button's release to the preview painted, its ratio to the bare pair and
# the largest peak memory; LibreOffice converting the same working document to PDF; Save as PDF
# of 32,766 classes from the preview; and the resident memory before a second click and after
# its "< Back", for 5,000 and 32,766 classes.
#
#   bench/xvfb_first_click.sh [build folder] [runs] [display number]
# Without a display number, Xvfb takes a free one.
set -eu

build=${1:-build}
runs=${2:-5}
number=${3:-}
for program in first_click_bench bare_pair; do
    [ -x "$build/bench/$program" ] || { echo "build $build/bench/$program first" >&2; exit 1; }
done
. "$(dirname "$0")/xvfb_session.sh"

# The value after a key in a result line, e.g. "ms 41.2 peak_mb 60" and "ms" give 41.2.
field() { awk -v key="$2" '{ for (i = 1; i < NF; i++) if ($i == key) print $(i + 1) }' "$1"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR ? v[int((NR + 1) / 2)] : "n/a") }'; }
largest() { sort -n | tail -n 1; }

run_fresh() { # program [arguments]: $runs fresh processes, one result line each
    out="$work/$(echo "$*" | tr ' /-' '___').txt"
    : >"$out"
    i=0
    while [ "$i" -lt "$runs" ]; do
        "$@" 2>/dev/null >>"$out" || echo "  a run of $* failed" >&2
        i=$((i + 1))
    done
    echo "$out"
}

bare=$(run_fresh "$build/bench/bare_pair")
bare_ms=$(field "$bare" ms | median)
printf '%-34s %9s ms\n' "bare pair of windows" "$bare_ms"
for classes in 8 200 1000 32766; do
    result=$(run_fresh "$build/bench/first_click_bench" --classes "$classes")
    ms=$(field "$result" ms | median)
    printf '%-34s %9s ms  %5sx the bare pair, peak %s MB\n' "$classes classes, first click" "$ms" \
        "$(echo "$ms $bare_ms" | awk '{ printf "%.2f", $1 / $2 }')" "$(field "$result" peak_mb | largest)"
done
for classes in 8 200 1000; do
    line=$("$build/bench/first_click_bench" --classes "$classes" --libreoffice 2>/dev/null || true)
    printf '%-34s %9s ms\n' "LibreOffice, $classes classes -> PDF" \
        "$(echo "$line" | awk '{ for (i = 1; i < NF; i++) if ($i == "libreoffice_ms") print $(i + 1) }')"
done
line=$("$build/bench/first_click_bench" --classes 32766 --pdf 2>/dev/null || true)
printf '%-34s %9s ms\n' "Save as PDF, 32766 classes" \
    "$(echo "$line" | awk '{ for (i = 1; i < NF; i++) if ($i == "pdf_ms") print $(i + 1) }')"
for classes in 5000 32766; do
    line=$("$build/bench/first_click_bench" --classes "$classes" --second 2>/dev/null || true)
    printf '%-34s %s\n' "$classes classes, second click" \
        "$(echo "$line" | awk '{ for (i = 1; i < NF; i++) if ($i ~ /_mb$/) printf "%s %s  ", $i, $(i + 1) }')"
done
