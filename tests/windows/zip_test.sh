#!/usr/bin/env bash
# Makes the Windows zip, unpacks it into an empty folder and runs
# street_names.exe from there under Wine against the zip's own fake_lfs.exe
# for one quick lap.
# Arguments: the build's CPackConfig.cmake, then the command that runs a
# Windows program (the build's Wine wrapper and its arguments).
set -euo pipefail
# The simulator may be running here with its InSim port open on 29999.
if (exec 3<>/dev/tcp/127.0.0.1/29999) 2>/dev/null; then
    echo "port 29999 is in use, probably by the simulator; close its InSim port to run this test"
    exit 77
fi
config=$1
shift
run=("$@")
work=$(mktemp -d)
sim=
trap 'kill "$sim" 2>/dev/null || true; rm -rf "$work"' EXIT

cpack --config "$config" -B "$work/package" >/dev/null
zip=$(ls "$work"/package/street_names-*-win64.zip)
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
contents=$(cd "$work/unpacked" && find . -type f | sort | tr '\n' ' ')
if [ "$contents" != "./README.txt ./fake_lfs.exe ./insim_check.exe ./insim_tap.exe ./street_names.exe " ]; then
    echo "the zip holds: $contents" >&2
    exit 1
fi
grep -q 'InSim port 29999' "$work/unpacked/README.txt"
grep -q 'fake_lfs.exe --replay session.txt --expect' "$work/unpacked/README.txt"

# Nothing listens yet: the error line, and -1, which the shell sees as 255.
status=0
(cd "$work/unpacked" && timeout 60 "${run[@]}" ./street_names.exe >"$work/out" 2>"$work/err") ||
    status=$?
if [ "$status" -ne 255 ] || [ -s "$work/out" ] ||
    [ "$(cat "$work/err")" != $'Error connecting to LFS!\r' ]; then
    echo "with nothing listening: status $status, output:" >&2
    od -c "$work/out" "$work/err" >&2
    exit 1
fi

"${run[@]}" "$work/unpacked/fake_lfs.exe" --interval 20 --keepalive 100 --ready-file "$work/ready" \
    >"$work/sim.out" 2>&1 &
sim=$!
for _ in $(seq 400); do
    [ -e "$work/ready" ] && break
    kill -0 "$sim" 2>/dev/null || { cat "$work/sim.out" >&2; exit 1; }
    sleep 0.05
done
[ -e "$work/ready" ] || { echo "fake_lfs did not start listening" >&2; exit 1; }

status=0
(cd "$work/unpacked" && timeout 60 "${run[@]}" ./street_names.exe >"$work/out" 2>"$work/err") ||
    status=$?
wait "$sim"
if [ "$status" -ne 255 ]; then
    echo "street_names.exe ended with $status, not 255 (-1)" >&2
    exit 1
fi
[ "$(cat "$work/out")" = $'Connected to LFS 0.7F, InSim ver. 6\r' ] || {
    echo "unexpected output:" >&2
    od -c "$work/out" >&2
    exit 1
}
[ ! -s "$work/err" ]
for name in Backstraight Chicane "Sector 2"; do
    grep -q "button 237 \"$name\"" "$work/sim.out"
done
# The text's batch steps, from the folder (a lap of 20 ms reports instead of
# 1 s ones): street_names.exe starts only once fake_lfs.exe listens.
awk '/^In a batch file/ {f=1; next} f && /^    / {sub(/^    /, ""); print} f && /^$/ && n++ > 0 {exit}' \
    "$work/unpacked/README.txt" | sed 's|start /b fake_lfs.exe |start /b fake_lfs.exe --interval 20 |' |
    sed 's/$/\r/' >"$work/unpacked/try.bat"
grep -q 'street_names.exe' "$work/unpacked/try.bat" || { echo "no batch steps in README.txt" >&2; exit 1; }
status=0
(cd "$work/unpacked" && timeout 60 "${run[@]}" cmd /c try.bat >"$work/out" 2>&1) || status=$?
grep -q 'Connected to LFS 0.7F' "$work/out" && grep -q '1 lap driven' "$work/out" || {
    echo "the batch steps failed (status $status):" >&2
    cat "$work/out" >&2
    exit 1
}
echo "the zip's street_names.exe drove a lap from its own folder, also by the text's batch steps"
