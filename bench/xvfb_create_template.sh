#!/bin/sh
# SPDX-License-Identifier: MIT
# "Start Creating Template" on a real X server with a window manager: starts its own Xvfb and
# openbox, runs the program's windows on the xcb platform and prints, for 8 sample classes,
# 200 classes and 1,000 classes, min / median / max from the button's release to the preview
# painted, the peak memory of the 1,000-class process, and LibreOffice converting the same
# working document to PDF with the ratio of the medians.
#
#   bench/xvfb_create_template.sh [build folder] [runs]
set -eu

build=${1:-build}
runs=${2:-15}
bench="$build/bench/create_template_bench"
[ -x "$bench" ] || { echo "build $bench first" >&2; exit 1; }
for tool in Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh test)" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=
wm_pid=
finish() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT INT TERM

# Xvfb picks a free display itself and writes its number once it accepts connections.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
tries=0
while [ ! -s "$work/display" ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.1
done
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
sleep 1 # openbox takes over the screen

export QT_QPA_PLATFORM=xcb
# Each count in a process of its own, so the peak memory is that count's.
"$bench" --classes 8 --runs "$runs" --libreoffice-runs "$runs"
"$bench" --classes 200 --runs "$runs" --libreoffice-runs "$runs"
"$bench" --classes 1000 --runs "$runs" --libreoffice-runs 0
