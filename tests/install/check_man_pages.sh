#!/usr/bin/env bash
# Renders each manual page given with man -l; any warning of man or groff
# (an undefined macro, a line too long to set, ...) fails the test.
set -euo pipefail
command -v man >/dev/null || { echo "FAIL: man is not installed" >&2; exit 1; }
status=0
for page in "$@"; do
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    echo "FAIL: $page:" >&2
    echo "$warnings" >&2
    status=1
  fi
  rendered=$(MANWIDTH=80 man -l "$page" 2>/dev/null | wc -l)
  [ "$rendered" -gt 20 ] || { echo "FAIL: $page renders $rendered lines" >&2; status=1; }
done
exit $status
