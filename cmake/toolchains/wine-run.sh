#!/bin/sh
# Runs a Windows program under wine: wine-run.sh ENV... wine PROGRAM ARGS...
# Wine sometimes fails to start a program at all on a loaded machine
# ("Application could not be started"); the program never ran then, so it is
# started again, up to three times. Its output is passed on once it ends.
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2 3; do
  "$@" >"$out" 2>"$err"
  rc=$?
  grep -q "^Application could not be started" "$out" "$err" || break
done
cat "$out"
cat "$err" >&2
exit $rc
