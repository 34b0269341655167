#!/bin/bash
# Runs a command and checks how it ended.
#
#   expect.sh [--status N] [--stdout REGEX]... [--stdout-line TEXT] [--stdout-is FILE]
#             [--stdout-to FILE] [--stderr REGEX]... [--stdin FILE] [--png FILE] [--absent FILE]
#             -- COMMAND [ARG]...
#
# --status       the exit status (default 0)
# --stdout       an extended regular expression the whole standard output must match
#                (^ and $ are its start and end; . also matches a newline)
# --stdout-line  standard output must be exactly TEXT and a newline
# --stdout-is    standard output must be exactly this file's text
# --stdout-to    send standard output there (/dev/full, say) instead of checking it
# --stderr       as --stdout, for standard error
# --stdin        standard input (default /dev/null)
# --png          removed before the run; afterwards it must be a PNG image
# --absent       removed before the run; afterwards it must still not be there
set -u

status=0
stdin=/dev/null
stdout_res=()
stderr_res=()
stdout_file=
stdout_line=
stdout_to=
png=
absent=
while [[ $# -gt 0 && $1 != -- ]]; do
    case $1 in
        --status) status=$2 ;;
        --stdout) stdout_res+=("$2") ;;
        --stdout-line) stdout_line=$2 ;;
        --stdout-is) stdout_file=$2 ;;
        --stdout-to) stdout_to=$2 ;;
        --stderr) stderr_res+=("$2") ;;
        --stdin) stdin=$2 ;;
        --png) png=$2 ;;
        --absent) absent=$2 ;;
        *) echo "expect.sh: unknown option $1" >&2; exit 2 ;;
    esac
    shift 2
done
shift

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[[ -n $png ]] && rm -f "$png"
[[ -n $absent ]] && rm -f "$absent"

"$@" <"$stdin" >"${stdout_to:-$work/out}" 2>"$work/err"
actual=$?
touch "$work/out"

# The whole text, trailing newlines included.
out=$(cat "$work/out"; echo .); out=${out%.}
err=$(cat "$work/err"; echo .); err=${err%.}

failed=0
fail() { echo "FAIL: $*"; failed=1; }

[[ $actual == "$status" ]] || fail "exit status $actual, expected $status"
for re in "${stdout_res[@]}"; do
    [[ $out =~ $re ]] || fail "standard output does not match: $re"
done
for re in "${stderr_res[@]}"; do
    [[ $err =~ $re ]] || fail "standard error does not match: $re"
done
if [[ -n $stdout_line && $out != "$stdout_line"$'\n' ]]; then
    fail "standard output is not the line: $stdout_line"
fi
if [[ -n $stdout_file ]] && ! diff -u "$stdout_file" "$work/out"; then
    fail "standard output differs from $stdout_file"
fi
if [[ -n $png ]]; then
    if [[ ! -s $png ]]; then
        fail "no image written to $png"
    elif [[ $(head -c 8 "$png" | od -An -tx1 | tr -d ' \n') != 89504e470d0a1a0a ]]; then
        fail "$png is not a PNG image"
    fi
fi
if [[ -n $absent && -e $absent ]]; then
    fail "$absent was written"
fi

if [[ $failed != 0 ]]; then
    echo "command:"; printf '  %q' "$@"; echo
    echo "standard output:"; printf '%s' "$out"
    echo "standard error:"; printf '%s' "$err"
fi
exit $failed
