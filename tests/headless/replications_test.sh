#!/usr/bin/env bash
# Usage: replications_test.sh BIN_DIR
# Replications, waiting-time percentiles and the tidy export without a
# window: every exported value against direct engine runs with the seeds
# 600 to 604, the saved means and the copied intervals against those runs,
# parallel and planned sweeps byte for byte as the serial one, and an engine
# that writes no percentiles.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" "$1"

# One line per simulated algorithm of a direct run with N requests and seed
# SEED: "N,SEED,NAME,seek,avg,max,p50,p90,p95,p99,sd".
direct() {  # N SEED
  rm -f s.csv w.csv x.csv q.csv
  "$work/program/schedule" "-t:$1" -a:60 -n:0 "-tu:1E-05" "-r:$2" -wc:0 -f:1 -o:1000 -x:30 -b:2 \
    -bpt:600 -e:1 -st:600 -m:1000 -i:0 -hd:4 -rw:3 -rb:n -rs:y -id \
    -s:s.csv -w:w.csv -xw:x.csv -q:q.csv >/dev/null
  tr -d '\r' <s.csv | tail -n 1 >rows.txt
  for f in w.csv x.csv; do tr -d '\r' <"$f" | tail -n 1 >>rows.txt; done
  tr -d '\r' <q.csv | tail -n 5 >>rows.txt
  awk -F, -v n="$1" -v seed="$2" '
    { for (a = 2; a <= 8; ++a) value[NR, a] = $a }
    END {
      split("FCFS,SSTF,SCAN,C-SCAN,LOOK,C-LOOK,S-LOOK", name, ",")
      for (a = 2; a <= 8; ++a) {
        line = n "," seed "," name[a - 1]
        for (r = 1; r <= 8; ++r) line = line "," value[r, a]
        print line
      }
    }' rows.txt
}

sweep=(--run --set 0=200,200,600 --replications 5 --percentiles)
expect_status 0 "$trakvist" "${sweep[@]}" --export e.csv --save e.txt
grep -q "15/15 runs" err.txt || fail "no progress of 15 runs: $(cat err.txt)"
expected=$(for n in 200 400 600; do for seed in 600 601 602 603 604; do direct "$n" "$seed"; done; done)
exported=$(tr -d '\r' <e.csv | tail -n +2 | cut -d, -f2,20-29)
[ "$exported" = "$expected" ] || fail "exported rows differ from direct runs:
$(diff <(echo "$expected") <(echo "$exported") | head -n 8)"
[ "$(head -n 1 e.csv | tr -d '\r' | cut -d, -f1-3,18-)" = \
  "run,requests,randomization_seed,direction,replication,seed,algorithm,total_seek_tu,avg_wait_tu,max_wait_tu,p50_wait_tu,p90_wait_tu,p95_wait_tu,p99_wait_tu,sd_wait_tu" ] ||
  fail "export header: $(head -n 1 e.csv)"

# The saved means and the copied half-widths, from the direct runs:
# h = t(0.975, 4) s / sqrt(5), shown to three significant digits.
stats=$(echo "$expected" | awk -F, '
  { key = $1 "," $3; sum[key] += $4; sq[key] += $4 * $4; order[key] = NR }
  END {
    for (key in sum) {
      mean = sum[key] / 5; s = sqrt((sq[key] - 5 * mean * mean) / 4)
      printf "%s %.10g %.10g\n", key, mean, 2.7764451051977987 * s / sqrt(5)
    }
  }' | sort)
saved=$(tr -d '\r' <e.txt | awk '$0 == "[Total Seek Time]" { on = 1; skip = 2; next }
  on && skip-- > 0 { next } on && /^,/ { print; next } on { exit }')
rows=(200 400 600)
names=(x FCFS SSTF SCAN C-SCAN LOOK C-LOOK S-LOOK)
for r in 0 1 2; do
  line=$(echo "$saved" | sed -n "$((r + 1))p")
  for a in 1 2 3 4 5 6 7; do
    value=$(echo "$line" | cut -d, -f$((a + 1)))
    want=$(echo "$stats" | awk -v k="${rows[r]},${names[a]}" '$1 == k { print $2 }')
    awk -v a="$value" -v b="$want" 'BEGIN { exit !(a - b < 1e-6 * b && b - a < 1e-6 * b) }' ||
      fail "saved mean of ${names[a]} at ${rows[r]}: $value, from the runs $want"
  done
done
expect_status 0 "$trakvist" --open e.txt --x 16 --value 0=600 --exclude ""
for a in 1 2 3 4 5 6 7; do
  copied=$(tr -d '\r' <out.txt | awk -F'\t' -v n="${names[a]}" '$1 == n { print $2 }')
  want=$(echo "$stats" | awk -v k="600,${names[a]}" '$1 == k { print $2, $3 }')
  awk -v c="$copied" -v w="$want" 'BEGIN {
      split(c, got, " \302\261 "); split(w, want, " ")
      exit !(got[1] - want[1] < 1e-6 * want[1] && want[1] - got[1] < 1e-6 * want[1] &&
             got[2] - want[2] <= 0.005 * want[2] && want[2] - got[2] <= 0.005 * want[2])
    }' || fail "copied cell of ${names[a]}: \"$copied\", from the runs: $want"
done

# Reopened, in parallel and as a plan: the same bytes.
expect_status 0 "$trakvist" --open e.txt --save reopened.txt --export reopened.csv
cmp -s e.txt reopened.txt && cmp -s e.csv reopened.csv || fail "reopening changed the file or export"
expect_status 0 "$trakvist" "${sweep[@]}" --jobs 2 --save j.txt --export j.csv
cmp -s e.txt j.txt && cmp -s e.csv j.csv || fail "--jobs 2 saved or exported other bytes"
expect_status 0 "$trakvist" "${sweep[@]}" --plan plan
[ "$(wc -l <plan/runs.txt)" -eq 15 ] || fail "the plan holds $(wc -l <plan/runs.txt) runs, not 15"
(cd plan && for run in $(seq 1 15); do sh run-one.sh "$run" >/dev/null 2>&1; done)
expect_status 0 "$trakvist" --collect plan --save c.txt --export c.csv
cmp -s e.txt c.txt && cmp -s e.csv c.csv || fail "the collected plan saved or exported other bytes"

# Default sweeps keep the file as it always was: no added section.
expect_status 0 "$trakvist" --run --set 0=100,100,300 --save plain.txt
[ "$(grep -c '^\[' plain.txt)" -eq 7 ] || fail "a default sweep wrote added sections"

# An engine without -q: gives the other results and a note.
mkdir old
cp "$bin/Trakvist" "$bin/Disks.ini" old/
cat >old/schedule <<SCRIPT
#!/bin/sh
for a in "\$@"; do shift; case \$a in -q:*) ;; *) set -- "\$@" "\$a" ;; esac; done
exec "$work/program/schedule" "\$@"
SCRIPT
chmod 755 old/schedule
expect_status 0 old/Trakvist --run --set 0=100,100,300 --percentiles --save old.txt
grep -q "no usable waiting-time percentiles" err.txt || fail "no note of the missing percentiles: $(cat err.txt)"
[ "$(grep -c '^\[' old.txt)" -eq 7 ] || fail "results without percentiles saved added sections"

expect_status 2 "$trakvist" --run --replications 0
expect_status 2 "$trakvist" --run --replications 1001
expect_status 2 "$trakvist" --open e.txt --percentiles
finish
