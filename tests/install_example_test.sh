#!/usr/bin/env bash
# Installs the package into a temporary prefix, builds the example against it
# as an outside project would, and runs it against fake_lfs for one lap.
# Arguments: build dir, source dir, fake_lfs path, compiler flags of the build.
set -euo pipefail
build=$1 source=$2 fake_lfs=$3 flags=${4:-}
work=$(mktemp -d)
sim=
trap 'kill "$sim" 2>/dev/null || true; rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S "$source/examples/record_dump" -B "$work/example" \
    -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$work/example" >/dev/null

# Starts fake_lfs with the options given, its output in $work/sim.out, and
# waits until it listens: sets sim (its process id) and port.
start_fake_lfs() {
    rm -f "$work/ready"
    "$fake_lfs" --port 0 --ready-file "$work/ready" "$@" >"$work/sim.out" 2>&1 &
    sim=$!
    for _ in $(seq 200); do
        [ -s "$work/ready" ] && break
        kill -0 "$sim" 2>/dev/null || { echo "fake_lfs did not start" >&2; exit 1; }
        sleep 0.025
    done
    port=$(cat "$work/ready")
}

start_fake_lfs --interval 20 --keepalive 50

timeout 20 "$work/example/record_dump" --port "$port" --interval 20 --name dump >"$work/out"
grep -q '^0\.0[0-9][0-9] version (type 2), 20 bytes$' "$work/out"
grep -q 'car positions (type 38), 32 bytes$' "$work/out"
tail -n 1 "$work/out" | grep -qx 'connection closed by the simulator'
# The one tiny record shown is the race's end (TINY_REN), after the last
# report; the keep-alives, every 50 ms, are the library's to answer.
if [ "$(grep -c '^[0-9:.]* tiny ' "$work/out")" -ne 1 ]; then
    echo "keep-alives must be answered by the library, not shown" >&2
    exit 1
fi
wait "$sim"

# Declaring version 9: fake_lfs serves it, the version answer and reports of
# 16 cars sized in 4-byte units; a simulator of version 8 serves it as 8, in
# bytes and reports of 8 cars, which the library follows from its answer.
for simulator in 9 8; do
    start_fake_lfs --insim-version "$simulator" --cars 16 --interval 20 --keepalive 50
    timeout 20 "$work/example/record_dump" --port "$port" --interval 20 --insim-version 9 \
        --name dump >"$work/out9"
    wait "$sim" || { cat "$work/sim.out" >&2; exit 1; }
    grep -q ' version (type 2), 20 bytes$' "$work/out9"
    report=$([ "$simulator" = 9 ] && echo 452 || echo 228)
    grep -q " car positions (type 38), $report bytes\$" "$work/out9"
    if grep -v " car positions (type 38), $report bytes\$" "$work/out9" | grep -q 'car positions'; then
        echo "version 9 served as $simulator: every report holds $report bytes" >&2
        exit 1
    fi
done
echo "install-and-build example: $(grep -c 'car positions' "$work/out") car reports printed;" \
    "version 9 declared, served as 9 and as 8"
