#!/usr/bin/env bash
# zel-sim host and zel-sim join play a recorded replay over 127.0.0.1; both
# print what zel-sim replay prints for the same file (the first line, with
# the date, aside) and record the same replay. Bounded: every run has a
# time limit and the script stops by itself.
# usage: sim_peers.sh ZEL-SIM FILE.sav
set -u
sim=$1
replay=$2
dir=$(mktemp -d)
trap 'kill "$hp" 2>/dev/null; rm -rf "$dir"' EXIT
hp=""

"$sim" replay "$replay" > "$dir/replay.out" || { echo "zel-sim replay failed"; exit 1; }
timeout 60 "$sim" host 0 "$replay" --bind 127.0.0.1 --record "$dir/host.sav" \
  > "$dir/host.out" 2> "$dir/host.err" &
hp=$!
port=""
for _ in $(seq 1 100); do
  port=$(grep -o 'listening on port [0-9]*' "$dir/host.err" 2>/dev/null | grep -o '[0-9]*$')
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "the host did not say its port"; cat "$dir/host.err"; exit 1; }
timeout 60 "$sim" join 127.0.0.1 "$port" --record "$dir/guest.sav" > "$dir/guest.out" 2> "$dir/guest.err"
jr=$?
wait "$hp"
hr=$?
hp=""
status=0
[ "$hr" -eq 0 ] || { echo "host ended with $hr:"; cat "$dir/host.err"; status=1; }
[ "$jr" -eq 0 ] || { echo "guest ended with $jr:"; cat "$dir/guest.err"; status=1; }
for side in host guest; do
  if ! diff <(tail -n +2 "$dir/replay.out") <(tail -n +2 "$dir/$side.out") > "$dir/diff"; then
    echo "the $side's final state differs from the replay's:"
    head -20 "$dir/diff"
    status=1
  fi
done
# The two recorded replays hold the same header and the same strikes; their
# first and last lines carry the time.
if ! diff <(sed '1d;$d' "$dir/host.sav") <(sed '1d;$d' "$dir/guest.sav") > "$dir/diff"; then
  echo "the two sides recorded different replays:"
  head -20 "$dir/diff"
  status=1
fi
steps=$(grep -c '^Xvec=' "$replay")
for side in host guest; do
  n=$(grep -c '^Xvec=' "$dir/$side.sav")
  [ "$n" -eq "$steps" ] || { echo "the $side recorded $n strikes of $steps"; status=1; }
done
exit $status
