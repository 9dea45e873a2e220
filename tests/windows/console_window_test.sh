#!/usr/bin/env bash
# street_names.exe keeps its window open after a failed start only when it
# owns its console. Wine gives a program that it starts in a pseudo-terminal
# a console of its own, with that program the only process on it, as after a
# double-click: there the program prints the error, the hint and the prompt,
# and waits for Enter. With redirected streams it has no console: only the
# error line, and it ends at once. Nothing may listen on port 29999.
# Arguments: street_names.exe, then the command that runs a Windows program
# (the build's Wine wrapper and its arguments).
set -euo pipefail
# The simulator may be running here with its InSim port open on 29999.
if (exec 3<>/dev/tcp/127.0.0.1/29999) 2>/dev/null; then
    echo "port 29999 is in use, probably by the simulator; close its InSim port to run this test"
    exit 77
fi
program=$1
shift
run=("$@")
work=$(mktemp -d)
pid=
trap 'exec 3>&- 2>/dev/null; kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

# What the console shows, without the terminal's control sequences and the
# cursor moves that stand for spaces.
shown() {
    sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' "$work/console" | tr -d ' \r\n'
}

mkfifo "$work/keys"
script -qfec "$(printf '%q ' "${run[@]}" "$program")" /dev/null <"$work/keys" >"$work/console" 2>&1 &
pid=$!
exec 3>"$work/keys"
for _ in $(seq 600); do
    shown | grep -q 'PressEntertoclosethiswindow\.' && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
expected='ErrorconnectingtoLFS!ThesimulatormustberunningwithitsInSimportopenon29999:type/insim29999inthesimulator,thenstartthisprogramagain.PressEntertoclosethiswindow.'
if [ "$(shown)" != "$expected" ]; then
    echo "in its own console the program showed:" >&2
    od -c "$work/console" >&2
    exit 1
fi
sleep 1
kill -0 "$pid" 2>/dev/null || { echo "the program did not wait for Enter" >&2; exit 1; }
printf '\r' >&3  # Enter, as a terminal sends it
status=0
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
wait "$pid" || status=$?
pid=
if [ "$status" -ne 255 ]; then
    echo "after Enter the program ended with $status, not 255 (-1)" >&2
    exit 1
fi

# Redirected streams: no console, so only the error line, at once.
status=0
timeout 60 "${run[@]}" "$program" </dev/null >"$work/out" 2>"$work/err" || status=$?
if [ "$status" -ne 255 ] || [ -s "$work/out" ] ||
    [ "$(cat "$work/err")" != $'Error connecting to LFS!\r' ]; then
    echo "with redirected streams: status $status, output:" >&2
    od -c "$work/out" "$work/err" >&2
    exit 1
fi
echo "its own console held the window open until Enter; redirected streams did not"
