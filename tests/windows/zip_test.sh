#!/usr/bin/env bash
# Makes the Windows zip, unpacks it into an empty folder and runs
# street_names.exe from there under Wine against the zip's own fake_lfs.exe
# for one quick lap.
# Arguments: the build's CPackConfig.cmake, then the command that runs a
# Windows program (the build's Wine wrapper and its arguments).
set -euo pipefail
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
if [ "$contents" != "./README.txt ./fake_lfs.exe ./insim_tap.exe ./street_names.exe " ]; then
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
[ "$(cat "$work/out")" = $'Connected to LFS 0.7F, InSim ver. 9\r' ] || {
    echo "unexpected output:" >&2
    od -c "$work/out" >&2
    exit 1
}
[ ! -s "$work/err" ]
for name in Backstraight Chicane "Sector 2"; do
    grep -q "button 237 \"$name\"" "$work/sim.out"
done
echo "the zip's street_names.exe drove a lap from its own folder"
