#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Configures and builds Quillory into the folder given, with the CMake options that follow it;
# uses ccache when it is installed.
# Usage: scripts/build.sh BUILD_FOLDER [-DOPTION=VALUE ...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:?usage: scripts/build.sh BUILD_FOLDER [-DOPTION=VALUE ...]}"
shift
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" \
    >/dev/null
cmake --build "$build" --parallel
