#!/usr/bin/env bash
# Runs the README's ctypes example (its first Python block) exactly as shown, against the built library.
#
#   readme_ctypes.sh PYTHON README LIBRARY_DIR
set -euo pipefail
python=$1 readme=$2 libdir=$3
example=$(awk '/^```python$/ && !done {on=1; next} on && /^```$/ {on=0; done=1} on' "$readme")
[[ -n $example ]] || { echo "FAIL: no python example in $readme"; exit 1; }
out=$(LD_LIBRARY_PATH=$libdir "$python" -c "$example")
expected=$'Fill 0\nerror 9 Subscript out of range'
[[ $out == "$expected" ]] || { echo "FAIL: the example printed:"; echo "$out"; exit 1; }
