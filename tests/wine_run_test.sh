#!/usr/bin/env bash
# cmake/wine-run starts a test program once more when Wine ran nothing
# (a failing status with nothing printed), says so and counts it; a test
# program that printed and failed, or any other program, is started once.
# The line of the tests' harness that it started a program once more is
# counted too.
# A stand-in for Wine plays both. Argument: the source folder.
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/prefix"
touch "$work/prefix/.made"
# The stand-in: the first start of a program named "silent_tests.exe" ends
# at once with nothing printed; every other start prints its name and ends
# with the status that follows it.
cat >"$work/wine" <<'FAKE'
#!/usr/bin/env bash
count=$(cat "$0.count" 2>/dev/null || echo 0)
echo $((count + 1)) >"$0.count"
if [ "$1" = silent_tests.exe ] && [ "$count" -eq 0 ]; then exit 53; fi
if [ "$1" = harness_tests.exe ]; then
    printf 'test harness: "x.exe" did not start (error 1359); starting it once more\r\n'
fi
echo "ran $1"
exit "${2:-0}"
FAKE
chmod +x "$work/wine"
cat >"$work/wineserver" <<'FAKE'
#!/usr/bin/env bash
exit 0
FAKE
chmod +x "$work/wineserver"
run() { "$source/cmake/wine-run" "$work/wine" "$work/prefix" "$@"; }

fail() { echo "$*" >&2; exit 1; }

run --start
rm -f "$work/wine.count"
status=0
out=$(run silent_tests.exe 0 2>"$work/err") || status=$?
[ "$status" -eq 0 ] && [ "$out" = "ran silent_tests.exe" ] || fail "not started again: $status $out"
grep -q 'wine-run: Wine did not start silent_tests.exe (status 53, nothing printed); starting it once more' \
    "$work/err" || fail "no word of it: $(cat "$work/err")"

rm -f "$work/wine.count"
status=0
out=$(run failing_tests.exe 3 2>&1) || status=$?
[ "$status" -eq 3 ] && [ "$(cat "$work/wine.count")" = 1 ] || fail "a test's own failure was retried"

rm -f "$work/wine.count"
status=0
run street_names.exe 255 >/dev/null 2>&1 || status=$?
[ "$status" -eq 255 ] && [ "$(cat "$work/wine.count")" = 1 ] || fail "another program was retried"

# A test program whose harness started a program again is started once,
# whether it then passes or fails; each such line is counted.
for status_wanted in 0 1; do
    rm -f "$work/wine.count"
    status=0
    run harness_tests.exe "$status_wanted" >/dev/null 2>&1 || status=$?
    [ "$status" -eq "$status_wanted" ] && [ "$(cat "$work/wine.count")" = 1 ] ||
        fail "harness_tests.exe $status_wanted: status $status, started $(cat "$work/wine.count") times"
done

report=$(run --stop)
[ "$report" = "wine-run: Wine did not start 3 program(s) in this run; each was started once more:
silent_tests.exe 0 (status 53)
test harness: \"x.exe\" did not start (error 1359); starting it once more
test harness: \"x.exe\" did not start (error 1359); starting it once more" ] ||
    fail "the count at the end: $report"
echo "wine-run starts a test program again only when Wine ran nothing, and counts it"
