#!/usr/bin/env bash
# Usage: headless_test.sh BIN_DIR
# Runs Trakvist without a window in a program folder of its own and checks
# what it prints, saves and draws against direct runs of the engine.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" "$1"

# The engine's arguments for the front end's defaults, with N requests.
direct_rows() {  # N FILE-OPTION [MORE-OPTIONS...]
  rm -f row.csv
  "$work/program/schedule" "-t:$1" -a:60 -n:0 "-tu:1E-05" -r:600 -wc:0 -f:1 -o:1000 -x:30 -b:2 \
    -bpt:600 -e:1 -st:600 -m:1000 "-i:${HEAD:-0}" -hd:4 -rw:3 -rb:n -rs:y -id "$2:row.csv" "${@:3}" >/dev/null
  tail -n 1 row.csv | tr -d '\r'
}

expect_status 0 "$trakvist" --run --set 0=100,100,300 --save s.txt --chart c.png
series=$(tr -d '\r' <out.txt)
[ "$(head -c 8 c.png | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "c.png is no PNG"
grep -q "3/3 runs" err.txt || fail "no progress on the error stream"
grep -q "Trakvist:" err.txt && fail "unexpected messages: $(cat err.txt)"

for metric in "-s Total Seek Time" "-w Average Waiting Time" "-xw Maximum Waiting Time"; do
  option=${metric%% *}
  section=${metric#* }
  expected=$(for n in 100 200 300; do direct_rows "$n" "$option"; done)
  [ "$(saved_rows s.txt "$section")" = "$expected" ] || fail "saved $section rows differ from direct runs"
done

# The printed series: the X value, then the seek of every algorithm but FCFS.
expected=$(printf '\tSSTF\tSCAN\tC-SCAN\tLOOK\tC-LOOK\tS-LOOK\tBO-PATH\tSATF'
  for n in 100 200 300; do
    printf '\n %s' "$n"
    direct_rows "$n" -s | cut -d, -f3- | tr ',' '\n' | while read -r v; do printf '\t %s' "$v"; done
  done)
[ "$series" = "$expected" ] || { fail "series text"; diff <(echo "$series") <(echo "$expected"); }

# Reopening the file reproduces the results; the chart goes to a PDF.
expect_status 0 "$trakvist" --open s.txt --chart c.pdf --metric wait
[ "$(head -c 5 c.pdf)" = "%PDF-" ] || fail "c.pdf is no PDF"
expected=$(printf '\tSSTF\tSCAN\tC-SCAN\tLOOK\tC-LOOK\tS-LOOK\tBO-PATH\tSATF'
  for n in 100 200 300; do
    printf '\n %s' "$n"
    direct_rows "$n" -w | cut -d, -f3- | tr ',' '\n' | while read -r v; do printf '\t %s' "$v"; done
  done)
[ "$(tr -d '\r' <out.txt)" = "$expected" ] || fail "reopened waiting times"

expect_status 0 "$trakvist" --open s.txt --chart c.svg --formula maximum --exclude ""
grep -q "<svg" c.svg || fail "c.svg is no SVG"
[ "$(tr -d '\r' <out.txt | head -n 1)" = "FCFS	$(direct_rows 300 -s | cut -d, -f2)" ] ||
  fail "the maximum over the range: $(head -n 1 out.txt)"

# Heads that start down: the runs get -u:0, the file says so and keeps it.
expect_status 0 "$trakvist" --run --set 0=300 --set 11=500 --direction down --save down.txt
down=$(HEAD=500 direct_rows 300 -s -u:0)
[ "$(saved_rows down.txt "Total Seek Time")" = "$down" ] ||
  fail "the seek of a run downwards differs from the engine's with -u:0"
[ "$down" != "$(HEAD=500 direct_rows 300 -s)" ] || fail "the direction changed nothing"
grep -q "Initial Head Direction" down.txt || fail "the saved file does not say the heads start down"
grep -q "Initial Head Direction" s.txt && fail "a default file has the added section"
expect_status 2 "$trakvist" --run --direction sideways

# Statuses: usage errors, failures, help.
expect_status 2 "$trakvist" --run --x 17
expect_status 2 "$trakvist" --frobnicate
expect_status 2 "$trakvist" --run --set 0=abc
grep -q "Trakvist: --set 0=abc: Total Number of Requests takes" err.txt || fail "--set 0=abc: $(cat err.txt)"
# A second swept parameter: the view holds it at one value and says so.
expect_status 0 "$trakvist" --run --set 0=100,100,200 --set 9=1,0,2 --chart two.png
grep -q "a step of 0 is read as 1, giving 1,1,2" err.txt || fail "no note on the step: $(cat err.txt)"
grep -q "show Cylinder Seek Time=1, one of its 2 stored values (1 to 2); choose another with --value 9=" \
  err.txt || fail "no note on the held value: $(cat err.txt)"
expect_status 1 "$trakvist" --open missing.txt
grep -q "Trakvist: Can not open selected file." err.txt || fail "no message for a missing file"
printf ' 9 \r\n' >future.txt
expect_status 1 "$trakvist" --open future.txt
expect_status 0 "$trakvist" --help
grep -q -- "--chart OUT" out.txt || fail "help text"
rm "$work/program/schedule"
expect_status 1 "$trakvist" --run
grep -q "Trakvist: No simulator" err.txt || fail "no message without a simulator: $(cat err.txt)"

finish
