#!/usr/bin/env bash
# Register with the command-line program into a scratch XDG data folder that already holds
# another component, use the library from a host that does not link it, unregister, and find
# the registry exactly as it was. Then the failures: each must say why and lose nothing.
#
#   registry_roundtrip.sh ZARVLINESPARM REGISTRY_HOST LIBRARY_FILE
set -u
cli=$1 host=$2 library=$3
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_DATA_HOME=$work/data
registry=$XDG_DATA_HOME/components/registry.tsv
failed=0
fail() { echo "FAIL: $*"; failed=1; }

mkdir -p "$(dirname "$registry")"
printf '%s\n' '# component registry, format 1' \
    $'ProgID/Other.Thing/CLSID\t{11111111-2222-3333-4444-555555555555}' \
    $'CLSID/{11111111-2222-3333-4444-555555555555}/InprocServer\t/opt/other/libthing.so' > "$registry"
cp "$registry" "$work/before"

for i in 1 2; do
    out=$("$cli" register) || fail "register #$i: $out"
    [[ $out == "registered in $registry" ]] || fail "register #$i said: $out"
done
grep -q $'^ProgID/ZarvLinesParm.CircleElipseCls/CLSID\t{' "$registry" || fail "the circle class is not registered"
# The library file registered is the one loaded by the program, by its versioned SONAME link.
grep -q $'/InprocServer\t/.*libZarvLinesParm\\.so\\.1$' "$registry" || fail "no library file registered"

registered=$(grep -m1 $'^TypeLib/.*/Path\t' "$registry" | cut -f2)
"$host" "$registered" || fail "the host that loads through the registry"
"$host" --no-application "$registered" || fail "the host without an application of its own"

for i in 1 2; do
    "$cli" unregister > /dev/null || fail "unregister #$i"
done
# Saying so is part of the job: with nowhere to say it, neither command claims success.
for command in register unregister; do
    "$cli" $command > /dev/full 2> /dev/null && fail "$command into a full output succeeded"
done
cmp -s "$work/before" "$registry" || { fail "the registry differs from before"; diff "$work/before" "$registry"; }

# A corrupt registry: error 75 naming the file, and the file as it was.
printf 'garbage\n' > "$registry"
err=$("$cli" register 2>&1 >/dev/null); status=$?
[[ $status == 1 && $err == *"error 75: "*"$registry is corrupt at line 1"* ]] || fail "corrupt registry: $status $err"
[[ $(cat "$registry") == garbage ]] || fail "the corrupt registry was changed"

# No place to write: the registry's folder is a file.
rm -rf "$XDG_DATA_HOME/components"
echo keep > "$XDG_DATA_HOME/components"
err=$("$cli" register 2>&1 >/dev/null); status=$?
[[ $status == 1 && $err == *"error 75: "*"components"* ]] || fail "unwritable place: $status $err"
[[ $(cat "$XDG_DATA_HOME/components") == keep ]] || fail "what stood in the way was changed"

# A host cannot find what was never registered.
rm -f "$XDG_DATA_HOME/components"
"$host" "$library" > "$work/host.out" && fail "the host found a class in an empty registry"
grep -q "error 429: .* is not in the component registry" "$work/host.out" || fail "empty registry: $(cat "$work/host.out")"

exit $failed
