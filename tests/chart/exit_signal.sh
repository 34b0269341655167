#!/bin/bash
# zarvchart ended from outside, as a logout or Ctrl+C ends it: it ends through its event loop,
# with 128 and the signal's number, and leaves nothing behind: its lock on the kept drawings is
# gone, which tells it from a program the signal killed (the same status). Ready once it holds
# that lock.
#
#   exit_signal.sh PROGRAM
set -u
prog=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config QT_QPA_PLATFORM=offscreen
lock=$XDG_DATA_HOME/ZarvLinesParm/zarvchart/drawings/sample.json.lock
failed=0
for signal in TERM INT HUP; do
    "$prog" &
    pid=$!
    for _ in $(seq 600); do
        [[ -e $lock ]] && break
        sleep 0.1
    done
    if [[ ! -e $lock ]]; then
        echo "FAIL: the chart never took its drawings (no $lock)"
        kill -KILL $pid
        exit 1
    fi
    kill -$signal $pid
    wait $pid
    status=$?
    expected=$((128 + $(kill -l $signal)))
    [[ $status == "$expected" ]] || { echo "FAIL: SIG$signal: exit status $status, expected $expected"; failed=1; }
    [[ -e $lock ]] && { echo "FAIL: SIG$signal: the lock is left"; rm -f "$lock"; failed=1; }
done
exit $failed
