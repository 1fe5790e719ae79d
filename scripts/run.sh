#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what building and running need (no test tools), builds the program alone into
# build-run/ (or $QUILLORY_RUN_BUILD_DIR), apart from the test build, and starts it. Arguments
# go to the program (--help, --version).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUILLORY_RUN_BUILD_DIR:-$root/build-run}"
"$root/scripts/install-deps.sh" run
"$root/scripts/build.sh" "$build" -DQUILLORY_BUILD_TESTS=OFF -DQUILLORY_BUILD_BENCH=OFF
exec "$build/quillory" "$@"
