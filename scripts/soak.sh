#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the soak test for MINUTES minutes (default 30): random commands through the real program,
# ended at random instants, against a model of what must be kept. Builds first into build/ (or
# $QUILLORY_BUILD_DIR); prints the seed, the commands, the endings of each kind and every
# mismatch, and fails on any. QUILLORY_SOAK_SEED repeats a run.
# Usage: scripts/soak.sh [MINUTES]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUILLORY_BUILD_DIR:-$root/build}"
minutes="${1:-30}"
"$root/scripts/build.sh" "$build" -DQUILLORY_BUILD_TESTS=ON >/dev/null
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
status=0
# QtTest ends a test function after 5 minutes unless told otherwise (in milliseconds).
QUILLORY_SOAK_SECONDS=$((minutes * 60)) QTEST_FUNCTION_TIMEOUT=$(((minutes * 60 + 600) * 1000)) \
    QT_QPA_PLATFORM=offscreen \
    "$build/tests/app/test_soak" >"$log" 2>&1 || status=$?
grep -E '^(QINFO|FAIL|Totals)|mismatch' "$log" || true
exit "$status"
