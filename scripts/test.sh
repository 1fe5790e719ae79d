#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what building and testing need, builds everything (program, tests, benchmarks) into
# build/ (or $QUILLORY_BUILD_DIR) and runs every test; fails when any test fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUILLORY_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh" test
"$root/scripts/build.sh" "$build" -DQUILLORY_BUILD_TESTS=ON -DQUILLORY_BUILD_BENCH=ON
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
