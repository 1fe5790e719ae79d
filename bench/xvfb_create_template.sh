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
. "$(dirname "$0")/xvfb_session.sh"

# Each count in a process of its own, so the peak memory is that count's.
"$bench" --classes 8 --runs "$runs" --libreoffice-runs "$runs"
"$bench" --classes 200 --runs "$runs" --libreoffice-runs "$runs"
"$bench" --classes 1000 --runs "$runs" --libreoffice-runs 0
