#!/usr/bin/env bash
# Makes the Linux archive, unpacks it into an empty folder and checks its
# contents (the programs, the text, the licences and, where help2man made
# them, the manual pages), that its programs are linked fully statically (no
# dynamic section), and that
# in an empty root where only the archive's files exist (and a network
# namespace of its own) its street_names gives the error line with nothing
# listening, and drives a lap against the archive's fake_lfs; and that the
# try-it steps of its text work, and end when port 29999 is taken.
# Arguments: the build's CPackConfig.cmake, then with-manual-pages or
# without-manual-pages (whether the build made them).
set -euo pipefail
config=$1 manual_pages=$2
work=$(mktemp -d)
sim=
trap 'kill "$sim" 2>/dev/null || true; rm -rf "$work"' EXIT

cpack --config "$config" -B "$work/package" >/dev/null
archive=$(ls "$work"/package/street_names-*-linux-*.tar.gz)
mkdir "$work/unpacked"
tar -xzf "$archive" -C "$work/unpacked"
folder="$work/unpacked/$(basename "$archive" .tar.gz)"
contents=$(cd "$folder" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
pages=
if [ "$manual_pages" = with-manual-pages ]; then
    pages="./man/man1/fake_lfs.1 ./man/man1/insim_check.1 ./man/man1/insim_tap.1 ./man/man1/street_names.1 "
fi
expected="./LICENSE.txt ./README.txt ./fake_lfs ./insim_check ./insim_tap ./licenses/CLI11.txt ./licenses/asio.txt ${pages}./street_names "
if [ "$contents" != "$expected" ]; then
    echo "the archive holds: $contents" >&2
    echo "expected:          $expected" >&2
    exit 1
fi
# The project's licence, and those of the code of others the tools carry.
grep -q '^MIT License$' "$folder/LICENSE.txt"
grep -q 'Copyright (c) 2026 The street_names authors' "$folder/LICENSE.txt"
grep -q 'Boost Software License - Version 1.0' "$folder/licenses/asio.txt"
grep -q '^License: BSD-3-clause$' "$folder/licenses/CLI11.txt"
# Each manual page is the program's own help: its name, version and options.
if [ -n "$pages" ]; then
    for program in street_names fake_lfs insim_tap insim_check; do
        page="$folder/man/man1/$program.1"
        upper=$(echo "$program" | tr '[:lower:]' '[:upper:]')
        grep -q "^\.TH $upper \"1\" .* \"$program [0-9.]*\"" "$page" &&
            grep -q '^\.SH OPTIONS$' "$page" && grep -q '^\\fB\\-\\-version\\fR' "$page" || {
            echo "$page is not $program's manual page:" >&2
            head -20 "$page" >&2
            exit 1
        }
    done
    grep -q '127.0.0.1:29999' "$folder/man/man1/street_names.1"
fi
for program in street_names fake_lfs insim_tap insim_check; do
    if ! readelf -d "$folder/$program" | grep -q 'There is no dynamic section'; then
        echo "$program is not linked fully statically:" >&2
        readelf -d "$folder/$program" | grep NEEDED >&2
        exit 1
    fi
done

# In an empty root nothing but the archive's files exists: no C library, no
# /etc, no name-service modules. Nothing listens there either.
status=0
unshare -rn chroot "$folder" /street_names >"$work/out" 2>"$work/err" </dev/null || status=$?
if [ "$status" -ne 255 ] || [ -s "$work/out" ] || [ "$(cat "$work/err")" != 'Error connecting to LFS!' ]; then
    echo "in an empty root street_names ended with $status (255 expected), printing:" >&2
    cat "$work/out" "$work/err" >&2
    exit 1
fi

# Then a lap there, loopback up: street_names finds 127.0.0.1 without the
# name-service libraries that a static glibc would otherwise want.
status=0
unshare -rn sh -c '
    ip link set lo up
    chroot "$1" /fake_lfs --interval 20 --keepalive 100 --ready-file /ready >"$2/sim.out" 2>&1 &
    for _ in $(seq 200); do
        [ -e "$1/ready" ] && break
        sleep 0.05
    done
    status=0
    timeout 60 chroot "$1" /street_names >"$2/out" 2>"$2/err" </dev/null || status=$?
    wait
    exit "$status"
' sh "$folder" "$work" || status=$?
[ "$status" -eq 255 ] || { echo "street_names ended with $status, not 255" >&2; cat "$work/sim.out" >&2; exit 1; }
[ "$(cat "$work/out")" = 'Connected to LFS 0.7F, InSim ver. 6' ] || { cat "$work/out" >&2; exit 1; }
[ ! -s "$work/err" ]
for name in Backstraight Chicane "Sector 2"; do
    grep -q "button 237 \"$name\"" "$work/sim.out"
done
# The text's try-it steps, pasted as a script from the folder, three times
# (a lap of 20 ms reports instead of 1 s ones): street_names starts only once
# fake_lfs listens.
steps=$(awk '/^fake_lfs plays the simulator/ {f=1} f && /^    / {sub(/^    /, ""); print}
    f && /^street_names prints/ {exit}' "$folder/README.txt" |
    sed 's|^\./fake_lfs |./fake_lfs --interval 20 |')
[ -n "$steps" ] || { echo "no try-it steps in README.txt" >&2; exit 1; }
for try in 1 2 3; do
    status=0
    (cd "$folder" && timeout 60 sh -c "$steps") >"$work/out" 2>&1 || status=$?
    grep -q 'Connected to LFS 0.7F' "$work/out" && [ "$status" -eq 255 ] || {
        echo "the try-it steps failed on try $try (status $status):" >&2
        cat "$work/out" >&2
        exit 1
    }
    [ ! -e "$folder/fake_lfs.ready" ] || { echo "the try-it steps left fake_lfs.ready behind" >&2; exit 1; }
done

# With port 29999 taken (by the simulator, say) the steps used to wait for
# the ready file for ever: they end with fake_lfs's message, in seconds,
# without starting street_names, and leave nothing behind.
"$folder/fake_lfs" --ready-file "$work/taken" >/dev/null 2>&1 &
sim=$!
for _ in $(seq 200); do
    [ -e "$work/taken" ] && break
    sleep 0.05
done
[ -e "$work/taken" ] || { echo "no fake_lfs took port 29999" >&2; exit 1; }
status=0
(cd "$folder" && timeout 10 sh -c "$steps") >"$work/out" 2>&1 </dev/null || status=$?
if [ "$status" -eq 124 ] || [ "$status" -eq 0 ] ||
    ! grep -q 'fake_lfs: cannot listen on 127.0.0.1:29999' "$work/out" ||
    grep -q 'Connected\|Error connecting' "$work/out" || [ -e "$folder/fake_lfs.ready" ]; then
    echo "with port 29999 taken the try-it steps ended with $status (124: not within 10 s):" >&2
    cat "$work/out" >&2
    ls "$folder" >&2
    exit 1
fi
kill "$sim"
wait "$sim" || true
echo "the archive's programs are static, street_names runs in an empty root, and the try-it steps work, also with the port taken"
