#!/usr/bin/env bash
# Runs the README's ctypes example exactly as shown, against the built library.
#
#   readme_ctypes.sh PYTHON README LIBRARY_DIR
set -euo pipefail
python=$1 readme=$2 libdir=$3
example=$(awk '/^```python$/ {on=1; next} /^```$/ {on=0} on' "$readme")
[[ -n $example ]] || { echo "FAIL: no python example in $readme"; exit 1; }
out=$(LD_LIBRARY_PATH=$libdir "$python" -c "$example")
expected=$'Fill 0\nerror 9 Subscript out of range'
[[ $out == "$expected" ]] || { echo "FAIL: the example printed:"; echo "$out"; exit 1; }
