#!/usr/bin/env bash
# Makes the Linux archive, unpacks it into an empty folder and checks that
# its programs are linked fully statically (no dynamic section), and that
# in an empty root where only the archive's files exist (and a network
# namespace of its own) its street_names gives the error line with nothing
# listening, and drives a lap against the archive's fake_lfs.
# Arguments: the build's CPackConfig.cmake.
set -euo pipefail
config=$1
work=$(mktemp -d)
sim=
trap 'kill "$sim" 2>/dev/null || true; rm -rf "$work"' EXIT

cpack --config "$config" -B "$work/package" >/dev/null
archive=$(ls "$work"/package/street_names-*-linux-*.tar.gz)
mkdir "$work/unpacked"
tar -xzf "$archive" -C "$work/unpacked"
folder="$work/unpacked/$(basename "$archive" .tar.gz)"
contents=$(cd "$work/unpacked" && find . -type f | sort | tr '\n' ' ')
expected="./${folder##*/}/README.txt ./${folder##*/}/fake_lfs ./${folder##*/}/insim_check ./${folder##*/}/insim_tap ./${folder##*/}/street_names "
if [ "$contents" != "$expected" ]; then
    echo "the archive holds: $contents" >&2
    exit 1
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
done
echo "the archive's programs are static, street_names runs in an empty root, and the try-it steps work"
