#!/usr/bin/env bash
# Makes the Linux archive, unpacks it into an empty folder and checks that
# its programs need neither the C++ runtime nor libgcc as shared libraries,
# then runs its street_names against its fake_lfs for one quick lap on the
# fixed port (run it in a network namespace of its own).
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
expected="./${folder##*/}/README.txt ./${folder##*/}/fake_lfs ./${folder##*/}/insim_tap ./${folder##*/}/street_names "
if [ "$contents" != "$expected" ]; then
    echo "the archive holds: $contents" >&2
    exit 1
fi
for program in street_names fake_lfs insim_tap; do
    if readelf -d "$folder/$program" | grep -E 'NEEDED.*(libstdc\+\+|libgcc)'; then
        echo "$program needs the shared C++ runtime or libgcc" >&2
        exit 1
    fi
done

cd "$folder"
./fake_lfs --interval 20 --keepalive 100 --ready-file "$work/ready" >"$work/sim.out" 2>&1 &
sim=$!
for _ in $(seq 200); do
    [ -e "$work/ready" ] && break
    kill -0 "$sim" 2>/dev/null || { cat "$work/sim.out" >&2; exit 1; }
    sleep 0.05
done
status=0
timeout 60 ./street_names >"$work/out" 2>"$work/err" </dev/null || status=$?
wait "$sim"
sim=
[ "$status" -eq 255 ] || { echo "street_names ended with $status, not 255" >&2; exit 1; }
[ "$(cat "$work/out")" = 'Connected to LFS 0.7F, InSim ver. 9' ] || { cat "$work/out" >&2; exit 1; }
[ ! -s "$work/err" ]
for name in Backstraight Chicane "Sector 2"; do
    grep -q "button 237 \"$name\"" "$work/sim.out"
done
echo "the archive's street_names drove a lap from its own folder, with no shared C++ runtime"
