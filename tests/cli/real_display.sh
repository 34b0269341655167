#!/bin/bash
# On a real X server (run under tests/support/on_xvfb.sh), with no application of the host's own:
# the library checks the display before the toolkit connects, and the toolkit's connection must
# not be dropped for following the check's too closely (an X server may drop a connection made
# a millisecond after another closed, and the toolkit then ends the process). Each run is a fresh
# process, so each makes the application anew.
#
#   on_xvfb.sh real_display.sh PROGRAM
set -u
for run in $(seq 25); do
  out=$(env -u QT_QPA_PLATFORM "$1" show CircleElipseCls --set Fill=1 --press ok 2>&1) || {
    echo "run $run: $out"; exit 1; }
  [[ $out == *'"Fill":1'* ]] || { echo "run $run: $out"; exit 1; }
done
