#!/usr/bin/env bash
# Usage: valgrind_test.sh BIN_DIR
# One end-to-end engine run and one small sweep of the program without a
# window, each under valgrind's memcheck: any invalid read or write, use of
# an uninitialised value or bad free fails the test. The engine is also
# checked for leaks; the front end's are not counted, as Qt and fontconfig
# keep caches for the life of the process.
set -uo pipefail
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/program"
cp "$bin/Trakvist" "$bin/schedule" "$bin/Disks.ini" "$work/program/"
cd "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
memcheck=(valgrind --tool=memcheck --error-exitcode=99 --quiet
          --suppressions="$here/qt.supp" --gen-suppressions=all)

# The engine: the front end's default figures with a few hundred requests,
# every value on the command line so that nothing is asked.
"${memcheck[@]}" --leak-check=full --errors-for-leak-kinds=definite,indirect \
  "$work/program/schedule" -t:300 -a:60 -n:0 "-tu:1E-05" -r:600 -wc:0 -f:1 -o:1000 -x:30 \
  -b:2 -bpt:600 -e:1 -st:600 -m:1000 -i:0 -hd:4 -rw:3 -rb:n -rs:y -id \
  -w:w.csv -s:s.csv -xw:xw.csv >engine.out 2>engine.err
status=$?
[ "$status" -eq 0 ] || { fail "the engine under memcheck exited $status"; cat engine.err; }
for f in w.csv s.csv xw.csv; do
  [ "$(wc -l <"$f")" -eq 2 ] || fail "$f does not hold the label row and one result row"
done

# The front end without a window: a sweep of two runs, saved.
QT_QPA_PLATFORM=offscreen "${memcheck[@]}" --leak-check=no \
  "$work/program/Trakvist" --run --set 0=50,50,100 --save sweep.txt >front.out 2>front.err
status=$?
[ "$status" -eq 0 ] || { fail "Trakvist under memcheck exited $status"; cat front.err; }
grep -q '^\[Total Seek Time\]' sweep.txt 2>/dev/null || fail "the sweep was not saved"

[ "$failures" -eq 0 ] && echo "memcheck found no errors"
exit $(( failures > 0 ))
