#!/usr/bin/env bash
# Usage: readme_test.sh BIN_DIR README
# Runs every command example of the README, in the order they appear, in one
# scratch folder where build/bin holds the programs: an example that stops
# working fails the build.
#   - In a ```sh block each command is run and must exit with status 0: the
#     lines after a "$ " prompt when the block has prompts (the others are
#     output), else every line.
#   - A ```sh no-test block is shown only (it builds or installs the project,
#     needs other machines or shows a failure on purpose).
#   - A ```text file=NAME block is written to NAME first, so an example can
#     use the file the README shows.
set -uo pipefail
readme=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
. "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" "$1"
mkdir -p build
ln -s "$work/program" build/bin

commands=0
block=""
file=""
prompts=""
line_number=0
while IFS= read -r line || [ -n "$line" ]; do
  line_number=$((line_number + 1))
  if [ -z "$block" ]; then
    case "$line" in
      '```sh no-test'*) block=skip ;;
      '```sh'*)
        block=sh
        # Whether the block shows prompts: then only its "$ " lines are commands.
        prompts=$(awk -v from="$((line_number + 1))" 'NR >= from && /^```/ { exit }
          NR >= from && /^\$ / { print "yes"; exit }' "$readme")
        ;;
      '```text file='*) block=file; file=${line#*file=}; : >"$file" ;;
      '```'*) block=skip ;;
    esac
    continue
  fi
  if [ "$line" = '```' ]; then
    block=""
    continue
  fi
  case "$block" in
    file) printf '%s\n' "$line" >>"$file" ;;
    sh)
      command=$line
      if [ -n "$prompts" ]; then
        [ "${line#\$ }" != "$line" ] || continue
        command=${line#\$ }
      fi
      [ -n "$command" ] || continue
      commands=$((commands + 1))
      bash -c "$command" >out.txt 2>err.txt </dev/null
      status=$?
      [ "$status" -eq 0 ] || { fail "README example exited $status: $command"; cat err.txt; }
      ;;
  esac
done <"$readme"

[ "$commands" -ge 5 ] || fail "only $commands examples found in $readme"
echo "$commands README examples run"
finish
