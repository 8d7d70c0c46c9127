#!/usr/bin/env bash
# Runs the built command-line converter as a script would: cli_test.sh [RUNNER...] CLI.
# T2K_VERSION: the version the program must report.
# Checks exit statuses, what goes to stdout and to stderr, and the bytes written.
set -u
cli=("$@")
dir=$(mktemp -d)
logs=$(mktemp -d)
trap 'rm -rf "$dir" "$logs"' EXIT
cd "$dir" || exit 1
failures=0
passed=0

check() { # check NAME CONDITION...
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "FAILED: $name" >&2
        failures=$((failures + 1))
    fi
}

run() { # run ARGS...: sets rc, out, err
    "${cli[@]}" "$@" >"$logs/stdout" 2>"$logs/stderr" </dev/null
    rc=$?
    out=$(tr -d '\r' <"$logs/stdout")
    err=$(tr -d '\r' <"$logs/stderr")
}

printf 'head\r\n\xabp2\r\nA_1\r\nB\r\n' >good.txt
printf 'no marker\n' >plain.txt
mkdir out

run -o out good.txt
check "converts and exits 0" [ "$rc" = 0 ]
check "prints the written path" [ "${out##*[/\\]}" = good.maz ]
check "writes the framed bytes" [ "$(od -An -tx1 out/good.maz | tr -d ' \n')" = 0241033104024204 ]
check "prints nothing on stderr" [ -z "$err" ]

run --output-dir=out -e nc good.txt missing.txt plain.txt
check "skipped files exit 1" [ "$rc" = 1 ]
check "only the written file on stdout" [ "$(printf '%s\n' "$out" | wc -l)" = 1 ]
check "the written file has the extension" [ -f out/good.nc ]
check "missing file on stderr" grep -qx 'Cannot find missing.txt' "$logs/stderr"
check "missing marker names the file" grep -q '^plain.txt: "«p2" not found in Tovaro file' "$logs/stderr"

run -e '' good.txt
check "empty extension exits 0" [ "$rc" = 0 ]
check "empty extension means maz, in the current folder" [ -f good.maz ]

run -o no-such-folder good.txt plain.txt
check "input/output failure exits 2" [ "$rc" = 2 ]
check "the failure's text on stderr" grep -qx 'tovaro2korvane-cli: Invalid filename' "$logs/stderr"
check "the batch stops at the failure" [ -z "$out" ]
check "the file after the failure is never mentioned" [ -z "$(grep -h plain.txt "$logs/stdout" "$logs/stderr")" ]

run --frobnicate good.txt
check "unknown option exits 64" [ "$rc" = 64 ]
check "usage hint names --help" grep -q -- '--help' "$logs/stderr"
run
check "no files is a usage error" [ "$rc" = 64 ]
run --code-page 99999 good.txt
check "an unavailable code page is a usage error" [ "$rc" = 64 ]

run --version
check "version" [ "$out" = "tovaro2korvane-cli $T2K_VERSION" ]
run --help
check "help exits 0" [ "$rc" = 0 ]
check "help shows the usage" [ "${out%%:*}" = Usage ]

echo "cli: $passed passed, $failures failed"
[ "$failures" = 0 ]
