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

# Declaring version 9: a replay expects the introduction sized in 4-byte
# units (11) with 9 in byte 8, and sends the version answer and a report of
# 16 cars sized so.
zeros() { printf "%0$(($1 * 2))d" 0; }
cat >"$work/v9.txt" <<EOF
# insim capture 1
# record sizes count 4-byte units
0 C 0b010100000000000921$(zeros 2)$(zeros 16)64756d70$(zeros 12)
0 S 05020100302e3746000000005333000000000900
10 S 71260010$(zeros 448)
EOF
start_fake_lfs --replay "$work/v9.txt" --expect
timeout 20 "$work/example/record_dump" --port "$port" --insim-version 9 --name dump >"$work/out9"
grep -q ' version (type 2), 20 bytes$' "$work/out9"
grep -q ' car positions (type 38), 452 bytes$' "$work/out9"
wait "$sim" || { cat "$work/sim.out" >&2; exit 1; }
echo "install-and-build example: $(grep -c 'car positions' "$work/out") car reports printed;" \
    "version 9 declared and served"
