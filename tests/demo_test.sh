#!/usr/bin/env bash
# The quick start's demo builds from a clean folder with GoogleTest and Google
# Benchmark out of reach, showing the build's progress, and its lap shows all
# three area names: a later change cannot tie the demo to the tests again.
# Options the program cannot follow are refused at once, before any build.
# Argument: the source folder.
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Regression: --port went to fake_lfs, which then listened where the program
# never connects, and the demo waited for fake_lfs's accept time-out.
refused=(
    "--port 30001|--port does not fit the demo"
    "--port=30001|--port does not fit the demo"
    "--cars 3 --ready-file x|--ready-file does not fit the demo"
    "--version|--version without a TEXT"
    "--version --cars 3|--version without a TEXT"
)
for refusal in "${refused[@]}"; do
    arguments=${refusal%%|*} says=${refusal#*|}
    status=0
    # shellcheck disable=SC2086 # each case is a list of arguments
    DEMO_BUILD_DIR="$work/refused" timeout 10 "$source/tools/demo" $arguments >"$work/out" 2>&1 ||
        status=$?
    if [ "$status" -ne 2 ] || ! grep -q "^demo: $says" "$work/out" || [ -e "$work/refused" ]; then
        echo "tools/demo $arguments ended with $status (2 expected, at once, before building):" >&2
        cat "$work/out" >&2
        exit 1
    fi
done
DEMO_BUILD_DIR="$work/refused" timeout 10 "$source/tools/demo" --help >"$work/out"
grep -q '^Usage: tools/demo' "$work/out" && [ ! -e "$work/refused" ]

DEMO_BUILD_DIR="$work/build" \
    DEMO_CMAKE_ARGS="-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON" \
    timeout 150 "$source/tools/demo" --interval 50 --keepalive 200 >"$work/out" 2>&1 || {
    cat "$work/out"
    exit 1
}
for name in Backstraight Chicane "Sector 2"; do
    grep -q "button 237 \"$name\"" "$work/out" || {
        echo "the lap shows no \"$name\" button:" >&2
        cat "$work/out" >&2
        exit 1
    }
done
grep -qx 'Connected to LFS 0.7F, InSim ver. 6' "$work/out"
grep -q '^demo: \[.*\] Linking CXX executable .*street_names$' "$work/out" || {
    echo "the demo showed no progress of its build:" >&2
    cat "$work/out" >&2
    exit 1
}
tail -n 1 "$work/out" | grep -q 'street_names ended with 255'
echo "demo: built without the test framework, showing its progress; the lap showed all three areas;" \
    "options the program cannot follow were refused"
