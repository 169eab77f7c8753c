#!/usr/bin/env bash
# Usage: trace_test.sh BIN_DIR TRACE_DIR
# Imports every sample trace with --import-trace and checks that the engine
# gives the converted file the rows it gives the requests file written
# independently for the same arrivals, and that --run --requests gives them
# too.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" "$1"
traces=$(cd "$2" && pwd)

# The engine's arguments for the front end's defaults, with manual requests.
engine_row() {  # REQUESTS METRIC-OPTION
  rm -f row.csv
  "$work/program/schedule" -t:0 -a:60 -n:0 "-tu:1E-05" -r:600 -wc:0 -f:1 -o:1000 -x:30 -b:2 \
    -bpt:600 -e:1 -st:600 -m:1000 -i:0 -hd:4 -rw:3 -rb:n -rs:y -id "$2:row.csv" "-in:$1" \
    >/dev/null
  tail -n 1 row.csv | tr -d '\r'
}

for trace in sample.blkparse sample_msr.csv sample_spc.csv sample_plain.txt; do
  expect_status 0 "$trakvist" --import-trace "$traces/$trace" --out "$trace.txt"
  grep -q "^Requests kept: 48" out.txt || fail "$trace: $(cat out.txt)"
  expect_status 0 "$trakvist" --run --requests "$work/$trace.txt" --save "$trace.sim"
  for metric in "-s Total Seek Time" "-w Average Waiting Time" "-xw Maximum Waiting Time"; do
    option=${metric%% *}
    converted=$(engine_row "$trace.txt" "$option")
    [ -n "$converted" ] || fail "$trace: no $option row"
    [ "$converted" = "$(engine_row "$traces/$trace.requests" "$option")" ] ||
      fail "$trace: $option rows differ from the requests written by hand"
    [ "$(saved_rows "$trace.sim" "${metric#* }")" = "$converted" ] ||
      fail "$trace: --run --requests gives other $option rows"
  done
done

# Issued rather than queued events, and the reads only.
expect_status 0 "$trakvist" --import-trace "$traces/sample.blkparse" --out d.txt --event D --ops r
grep -q "^Requests kept: 28 (28 reads, 0 writes)" out.txt || fail "--event D --ops r: $(cat out.txt)"

# What cannot be converted says why.
expect_status 1 "$trakvist" --import-trace "$traces/sample.blkparse.requests" --out x.txt
grep -q "not a trace in any of the formats" err.txt || fail "no message for a requests file"
[ -e x.txt ] && fail "a file was written for what is no trace"
expect_status 1 "$trakvist" --import-trace "$traces/sample_spc.csv" --out y.txt --device 9
grep -q "no request to keep" err.txt || fail "no message for a missing device"
expect_status 2 "$trakvist" --import-trace "$traces/sample_spc.csv"
finish
