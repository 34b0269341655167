#!/bin/bash
# Command lines that cannot run: each must end with status 2 before any dialog shows, print
# nothing on standard output and one line on standard error that names the offending argument.
#
#   argument_errors.sh PROGRAM
set -u
prog=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# [STDIN=FILE] rejected FRAGMENT ARG... : FRAGMENT must appear in the message.
rejected() {
    local fragment=$1
    shift
    # A program that waits for a FIFO's writer or reads a device to its end never gets its answer.
    timeout 20 "$prog" "$@" <"${STDIN:-/dev/null}" >"$work/out" 2>"$work/err"
    local status=$?
    local problem=
    if [[ $status != 2 ]]; then
        problem="exit status $status"
    elif [[ -s $work/out ]]; then
        problem="wrote to standard output"
    elif [[ $(wc -l <"$work/err") != 1 ]]; then
        problem="standard error is not one line"
    elif ! grep -qF -- "$fragment" "$work/err"; then
        problem="message does not name '$fragment'"
    fi
    if [[ -n $problem ]]; then
        echo "FAIL ($problem):$(printf ' %q' "$@")"
        sed 's/^/  stderr: /' "$work/err"
        failed=1
    fi
}

C=CircleElipseCls

rejected frobnicate frobnicate
rejected extra register extra
rejected --force unregister --force
rejected describe describe
rejected --bogus describe $C --bogus
rejected show show --press ok
rejected --bogus show $C --press ok --bogus
rejected extra show $C extra --press ok
rejected --press show $C --press
rejected sometimes show $C --press sometimes
rejected --press show $C --press ok --press cancel
rejected --fdef show $C --fdef one --press ok
rejected --fdef show $C --fdef inf --press ok

# --set: its form, then its member and value against the class.
rejected --set show $C --set --press ok
rejected Fill show $C --set Fill --press ok
rejected 'Cor(1=5' show $C --set 'Cor(1=5' --press ok
rejected 'Cor(x)=5' show $C --set 'Cor(x)=5' --press ok
rejected '=5' show $C --set '=5' --press ok
rejected Nope show $C --set Nope=1 --press ok
rejected Start show $C --set Start=1 --press ok
rejected abc show $C --set Fill=abc --press ok
rejected 0x show $C --set Fill=0x --press ok
rejected 12px show $C --set 'Cor(1)=12px' --press ok
# Numbers are finite: a value that went in comes back out as a number.
rejected inf show RetracementParmClass --set 'V(1)=inf' --press ok
rejected nan show RetracementParmClass --set 'V(1)=-nan' --press ok

# --json-in: the file, its form, its keys and values.
rejected "$work/missing.json" show $C --json-in "$work/missing.json" --press ok
printf '{"Fill": 1' >"$work/truncated.json"
rejected --json-in show $C --json-in "$work/truncated.json" --press ok
printf '[1, 2]' >"$work/array.json"
rejected --json-in show $C --json-in "$work/array.json" --press ok
printf '{"Nope": 1}' >"$work/unknown.json"
rejected Nope show $C --json-in "$work/unknown.json" --press ok
printf '{"Cor(": 1}' >"$work/key.json"
rejected 'Cor(' show $C --json-in "$work/key.json" --press ok
printf '{"Fill": "lots"}' >"$work/text.json"
rejected lots show $C --json-in "$work/text.json" --press ok
printf '{"Fill": true}' >"$work/bool.json"
rejected Fill show $C --json-in "$work/bool.json" --press ok
printf '{"V(1)": "Infinity"}' >"$work/infinite.json"
rejected Infinity show RetracementParmClass --json-in "$work/infinite.json" --press ok
STDIN=$work/unknown.json rejected Nope show $C --json-in - --press ok
# Only a regular file of at most 1 MiB, or as much on standard input: refused before it is read.
mkfifo "$work/fifo"
rejected "$work/fifo is not a regular file" show $C --json-in "$work/fifo" --press ok
rejected "/dev/zero is not a regular file" show $C --json-in /dev/zero --press ok
truncate -s 1048577 "$work/large.json"
rejected "$work/large.json is larger than 1 MiB" show $C --json-in "$work/large.json" --press ok
STDIN=/dev/zero rejected "more than 1 MiB" show $C --json-in - --press ok

exit $failed
