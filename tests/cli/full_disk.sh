#!/bin/bash
# A disk that fills up while a picture is written: the file appears whole or not at all, the one
# it would replace stays as it was, nothing is left beside it, and one line names the file.
# It needs a small tmpfs of its own; where nothing may be mounted it says so and is skipped.
#
#   full_disk.sh PROGRAM
set -u
prog=$1
work=$(mktemp -d)
disk=$work/disk
mkdir "$disk"
trap 'umount "$disk" 2>/dev/null; rm -rf "$work"' EXIT
if ! mount -t tmpfs -o size=256k tmpfs "$disk" 2>/dev/null; then
    echo "skipped: cannot mount a tmpfs here (it takes root), so no disk can be filled"
    exit 77
fi
failed=0
fail() { echo "FAIL: $*"; failed=1; }

first=$("$prog" list | head -1 | sed 's/^ZarvLinesParm\.//')
mkdir "$disk/pictures"
printf 'the earlier picture\n' | tee "$disk/shot.png" >"$disk/pictures/$first.png"
cp -a "$disk" "$work/before"
# Fill the disk, then free one page: a picture starts to be written and runs out of room.
cat /dev/zero >"$disk/filler" 2>/dev/null
truncate -s -4096 "$disk/filler"

# COMMAND... : status 1, nothing on standard output, one line naming FILE on standard error.
fails_naming() {
    local file=$1
    shift
    "$@" >"$work/out" 2>"$work/err"
    local status=$?
    [[ $status == 1 ]] || fail "exit status $status: $*"
    [[ -s $work/out ]] && fail "wrote to standard output: $*"
    [[ $(grep -v XDG_RUNTIME_DIR "$work/err" | wc -l) == 1 ]] || fail "standard error is not one line: $*"
    grep -F "$file" "$work/err" | grep -q "No space left on device" || fail "message does not name $file: $(cat "$work/err")"
}

fails_naming "$disk/shot.png" "$prog" show RetracementParmClass --screenshot "$disk/shot.png" --press ok
fails_naming "$disk/pictures/$first.png" "$prog" gallery "$disk/pictures"

rm "$disk/filler"
diff -r "$work/before" "$disk" || fail "the disk holds other files than before, or changed ones"
exit $failed
