#!/usr/bin/env bash
# Makes the Windows zip, unpacks it into an empty folder, checks its contents
# (the programs, the text and the licences) and runs street_names.exe from
# there under Wine against the zip's own fake_lfs.exe for one quick lap, also
# by the batch steps of its text, which end at once when port 29999 is taken.
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
contents=$(cd "$work/unpacked" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
expected="./LICENSE.txt ./README.txt ./fake_lfs.exe ./insim_check.exe ./insim_tap.exe ./licenses/CLI11.txt ./licenses/asio.txt ./street_names.exe "
if [ "$contents" != "$expected" ]; then
    echo "the zip holds: $contents" >&2
    echo "expected:      $expected" >&2
    exit 1
fi
# The project's licence, and those of the code of others the tools carry.
grep -q '^MIT License' "$work/unpacked/LICENSE.txt"
grep -q 'Boost Software License - Version 1.0' "$work/unpacked/licenses/asio.txt"
grep -q '^License: BSD-3-clause' "$work/unpacked/licenses/CLI11.txt"
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

# The text's batch steps, from the folder (a lap of 20 ms reports instead of
# 1 s ones): street_names.exe starts only once fake_lfs.exe listens.
awk '/^In a batch file/ {f=1; next} f && /^    / {sub(/^    /, ""); print} f && /^$/ && n++ > 0 {exit}' \
    "$work/unpacked/README.txt" |
    sed 's|fake_lfs.exe --ready-file|fake_lfs.exe --interval 20 --ready-file|' |
    sed 's/$/\r/' >"$work/unpacked/try.bat"
grep -q 'street_names.exe' "$work/unpacked/try.bat" || { echo "no batch steps in README.txt" >&2; exit 1; }
grep -q -- '--interval 20' "$work/unpacked/try.bat" || { echo "the batch steps start no fake_lfs.exe" >&2; exit 1; }
# Left behind by the steps: nothing.
leftovers() {
    (cd "$work/unpacked" && ls fake_lfs.ready fake_lfs.ended 2>/dev/null) || true
}

# With port 29999 taken (by the fake_lfs.exe above, as by the simulator) the
# steps used to wait for the ready file for ever: they end with fake_lfs's
# message, in seconds, without starting street_names.exe.
status=0
(cd "$work/unpacked" && timeout 30 "${run[@]}" cmd /c try.bat >"$work/out" 2>&1) || status=$?
if [ "$status" -eq 124 ] || ! grep -q 'fake_lfs: cannot listen on 127.0.0.1:29999' "$work/out" ||
    grep -q 'Connected\|Error connecting' "$work/out" || [ -n "$(leftovers)" ]; then
    echo "with port 29999 taken the batch steps ended with $status (124: not within 30 s):" >&2
    cat "$work/out" >&2
    leftovers >&2
    exit 1
fi

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
# The batch steps with the port free.
status=0
(cd "$work/unpacked" && timeout 60 "${run[@]}" cmd /c try.bat >"$work/out" 2>&1) || status=$?
grep -q 'Connected to LFS 0.7F' "$work/out" && grep -q '1 lap driven' "$work/out" &&
    [ -z "$(leftovers)" ] || {
    echo "the batch steps failed (status $status):" >&2
    cat "$work/out" >&2
    leftovers >&2
    exit 1
}
echo "the zip's street_names.exe drove a lap from its own folder, also by the text's batch steps," \
    "which end when the port is taken"
