# Sourced by the scripts that drive Trakvist without a window: a scratch
# folder with a program folder of its own (Trakvist, the engine and the
# disk catalogue from BIN_DIR), failures counted, and exit statuses checked.
# Usage: . test_lib.sh BIN_DIR
bin=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/program"
cp "$bin/Trakvist" "$bin/schedule" "$bin/Disks.ini" "$work/program/"
trakvist="$work/program/Trakvist"
cd "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expect_status() {  # expected command...
  local expected=$1; shift
  "$@" >out.txt 2>err.txt
  local status=$?
  [ "$status" -eq "$expected" ] || { fail "$* exited $status, not $expected"; cat err.txt; }
}

# Rows of one result section of a saved simulation file.
saved_rows() {  # FILE SECTION
  tr -d '\r' <"$1" | awk -v section="[$2]" '
    $0 == section { count = -1; next }
    count == -1 { count = $1 + 0; next }
    count > 0 { if (header++) print; if (--count == 0) exit }'
}

# The summary line and the script's exit status.
finish() {
  [ "$failures" -eq 0 ] && echo "all checks passed"
  exit "$failures"
}
