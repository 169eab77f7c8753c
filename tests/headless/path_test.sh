#!/usr/bin/env bash
# Usage: path_test.sh BIN_DIR
# `Trakvist --path`: the textbook exercise drawn into PNG, SVG and PDF files,
# the totals of its panel titles, and what it refuses.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" "$1"

printf '0\n98 183 37 122 14 124 65 67 -1\n' >textbook.txt
textbook=(--requests textbook.txt --set 10=200 --set 11=53 --set 9=1 --set 14=0 --set 8=1
          --exclude "")

# Upwards, the engine's default: SCAN and LOOK sweep up to 183 (SCAN to 199).
expect_status 0 "$trakvist" --path up.png "${textbook[@]}"
[ "$(head -c 8 up.png | od -An -c | tr -d ' ')" = '211PNG\r\n032\n' ] || fail "up.png is not a PNG"
for title in "FCFS — total seek 640 TU" "SSTF — total seek 236 TU" "SCAN — total seek 331 TU" \
             "LOOK — total seek 299 TU" "C-LOOK — total seek 322 TU"; do
  grep -q "^$title, average wait " out.txt || fail "no panel titled \"$title\": $(cat out.txt)"
done
[ "$(grep -c ' — total seek ' out.txt)" -ge 7 ] || fail "fewer than seven panels: $(cat out.txt)"

# Downwards: SCAN and LOOK serve 37 and 14 first, as the textbooks print
# them; FCFS and SSTF do not change.
expect_status 0 "$trakvist" --path down.png "${textbook[@]}" --direction down
[ -s down.png ] || fail "down.png not written"
for title in "FCFS — total seek 640 TU" "SSTF — total seek 236 TU" "SCAN — total seek 236 TU" \
             "LOOK — total seek 208 TU"; do
  grep -q "^$title, average wait " out.txt || fail "no panel titled \"$title\" downwards: $(cat out.txt)"
done

# The same picture as SVG and PDF; --exclude leaves panels out, in order.
expect_status 0 "$trakvist" --path up.svg "${textbook[@]}" --exclude FCFS,sstf
grep -q '<svg' up.svg || fail "up.svg is not an SVG"
[ "$(head -1 out.txt | cut -d' ' -f1)" = SCAN ] || fail "FCFS and SSTF not left out: $(cat out.txt)"
expect_status 0 "$trakvist" --run --path up.pdf "${textbook[@]}"
[ "$(head -c 5 up.pdf)" = '%PDF-' ] || fail "up.pdf is not a PDF"

# A file name of another kind, --path with --plan, and requests that cannot be read.
expect_status 2 "$trakvist" --path up.gif
expect_status 2 "$trakvist" --run --path up.png --plan plan
expect_status 2 "$trakvist" --path up.png --chart chart.png
expect_status 1 "$trakvist" --path none.png --requests missing.txt
[ ! -e none.png ] || fail "a picture was written without requests"

finish
