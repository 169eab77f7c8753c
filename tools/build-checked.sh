#!/usr/bin/env bash
# Usage: build-checked.sh BUILD_DIR JOBS
# Builds every target of BUILD_DIR and fails when the compiler warned.
# `make test` and CI hold the code to warning-free builds this way rather
# than with -Werror, so the user's `make run` (the same tree, the same
# flags, no rebuild between the two) never fails on a warning that a newer
# compiler gives. The `dev` and `asan` presets build with -Werror proper.
set -uo pipefail
dir=$1
jobs=$2
log=$dir/build-output.log
cmake --build "$dir" -j "$jobs" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] || exit "$status"
# (ninja's own notes, such as a log it recovers after an interrupted
# build, are not the compiler's.)
if grep -E '(^|: )warning: ' "$log" | grep -qv '^ninja: '; then
  echo "The build gave compiler warnings (above); make test treats them as errors." >&2
  exit 1
fi
