#!/usr/bin/env bash
# With another socket on port 29999 (here fake_lfs.exe, standing for the
# simulator with its InSim port open), a test of the program is skipped with
# the reason (which CTest takes as a skip), and fails nothing.
# Arguments: program_tests.exe, fake_lfs.exe, then the command that runs a
# Windows program (the build's Wine wrapper and its arguments).
set -euo pipefail
tests=$1 fake_lfs=$2
shift 2
run=("$@")
work=$(mktemp -d)
holder=
trap 'kill "$holder" 2>/dev/null || true; rm -rf "$work"' EXIT

"${run[@]}" "$fake_lfs" --port 29999 --ready-file "$work/ready" >/dev/null 2>&1 &
holder=$!
for _ in $(seq 400); do
    [ -e "$work/ready" ] && break
    sleep 0.05
done
[ -e "$work/ready" ] || { echo "fake_lfs.exe did not take port 29999" >&2; exit 1; }

status=0
"${run[@]}" "$tests" --gtest_filter=ProgramDisplay.EveryReportGetsItsButtonInOrder \
    >"$work/out" 2>&1 || status=$?
tr -d '\r' <"$work/out" >"$work/lines"
if [ "$status" -ne 0 ] ||
    ! grep -q 'port 29999 is in use, probably by the simulator; close its InSim port to run this test' \
        "$work/lines" ||
    ! grep -q 'port_29999.cpp:[0-9]*: Skipped' "$work/lines"; then
    echo "with 29999 held, the test ended with $status:" >&2
    cat "$work/lines" >&2
    exit 1
fi
echo "with port 29999 held, the program's test was skipped with the reason"
