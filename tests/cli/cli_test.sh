#!/usr/bin/env bash
# Runs the built command-line converter as a script would: cli_test.sh [RUNNER...] CLI.
# Checks exit statuses, what goes to stdout and to stderr, and the bytes written. Every code
# page's output is compared with the bytes recorded in code_page_outputs.txt beside this script,
# and with T2K_NATIVE_CLI set (the Windows build's run under Wine) with the native build's too.
# T2K_VERSION: the version the program must report. T2K_FAILING_CALLS (natively): the library
# preloaded to make calls fail.
set -u
recorded_pages=$(cd "$(dirname "$0")" && pwd)/code_page_outputs.txt
cli=("$@")
case "${cli[-1]}" in
*.exe) windows=1 sep='\' ;;
*) windows=0 sep=/ ;;
esac
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
    err=$(tr -d '\r\0' <"$logs/stderr")
}

run_with_input() { # run_with_input FILE ARGS...: run with FILE as standard input
    local input=$1
    shift
    "${cli[@]}" "$@" >"$logs/stdout" 2>"$logs/stderr" <"$input"
    rc=$?
    out=$(tr -d '\r' <"$logs/stdout")
    err=$(tr -d '\r\0' <"$logs/stderr")
}

hex() { od -An -tx1 "$1" | tr -d ' \n'; }

lines() { printf '%s\n' "$1" | wc -l; }

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
check "only the written file on stdout" [ "$(lines "$out")" = 1 ]
check "the written file has the extension" [ -f out/good.nc ]
check "missing file on stderr" grep -qx 'Cannot find missing.txt' "$logs/stderr"
check "missing marker names the file" grep -q '^plain.txt: "«p2" not found in Tovaro file' "$logs/stderr"

run -e '' good.txt
check "empty extension exits 0" [ "$rc" = 0 ]
check "empty extension means maz, in the current folder" [ -f good.maz ]

run -o no-such-folder good.txt plain.txt
check "input/output failure exits 2" [ "$rc" = 2 ]
check "the failure names input and output" \
    grep -qxF "tovaro2korvane-cli: good.txt -> no-such-folder${sep}good.maz: Invalid filename" "$logs/stderr"
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

# Option forms as getopt-style tools take them.
rm -rf out && mkdir out
run -oout -enc --code-page=1252 good.txt
check "attached short option values" eval '[ "$rc" = 0 ] && [ -f out/good.nc ]'
run --output-dir=out --extension=x1 good.txt
check "long options with =" [ -f out/good.x1 ]
run -no out -e x2 good.txt
check "clustered -n and -o" eval '[ "$rc" = 0 ] && [ ! -f out/good.x2 ]'
run --dry-run=yes good.txt
check "a flag given a value is a usage error" [ "$rc" = 64 ]
run -o
check "an option without its value is a usage error" [ "$rc" = 64 ]

# Forward slashes are separators on the command line: the base name is the last part.
mkdir -p in && cp good.txt in/a.txt
rm -rf out && mkdir out
run -o out in/a.txt
check "a/b input gives out/b" eval '[ "$rc" = 0 ] && [ -f out/a.maz ] && [ ! -e out/in ]'
check "the listed output uses the system's separator" [ "$out" = "out${sep}a.maz" ]

# --files-from: UTF-8 with a byte-order mark, CR LF and LF, blank lines skipped; '-' is stdin.
rm -rf out && mkdir out
cp good.txt 'ünï cödé.txt'
printf '\xef\xbb\xbfin/a.txt\r\n\r\n  \r\n\xc3\xbcn\xc3\xaf c\xc3\xb6d\xc3\xa9.txt\nmissing.txt\n' >list.txt
run -o out --files-from list.txt
check "a list converts its files in order" [ "$out" = "out${sep}a.maz
out${sep}ünï cödé.maz" ]
check "a list's missing name is reported" eval '[ "$rc" = 1 ] && [ "$err" = "Cannot find missing.txt" ]'
rm -rf out && mkdir out
run_with_input list.txt -o out --files-from - good.txt
check "names from standard input, then the FILE" eval '[ "$(lines "$out")" = 3 ] && [ -f out/good.maz ]'
printf 'good.txt\0.x\n' >nul-list.txt
rm -rf out && mkdir out
run -o out --files-from nul-list.txt
check "a listed name with a NUL inside names no file" eval '[ "$rc" = 1 ] && [ ! -f out/good.maz ]'
run --files-from no-such-list.txt
check "a list that cannot be read stops with its name" eval '[ "$rc" = 2 ] && [ "$err" = "tovaro2korvane-cli: no-such-list.txt: File not found" ]'
# A folder opens but does not read: the failure to read is no empty list.
run --files-from in
check "a folder given as a list stops with its name" eval '[ "$rc" = 2 ] && [ "$err" = "tovaro2korvane-cli: in: File access denied" ] && [ -z "$out" ]'

# Ten thousand names, beyond what a Windows command line holds.
mkdir -p many many-out
for i in $(seq -w 1 10000); do
    printf '\xabp2\nf%s\n' "$i" >"many/f$i.txt"
    printf 'many/f%s.txt\n' "$i"
done >many.txt
run -o many-out --files-from many.txt
check "10,000 listed files convert" eval '[ "$rc" = 0 ] && [ "$(lines "$out")" = 10000 ] && [ "$(ls many-out | wc -l)" = 10000 ]'
check "the last of them is whole" [ "$(hex many-out/f10000.maz)" = 0266313030303004 ]
rm -rf many many-out many.txt

# FILE '-': standard input to standard output, binary, and nothing else there.
run_with_input good.txt -
check "stdin to stdout" eval '[ "$rc" = 0 ] && [ "$(hex "$logs/stdout")" = 0241033104024204 ] && [ -z "$err" ]'
run_with_input good.txt -n -
check "a dry run of stdin names standard output and writes no bytes to it" eval '[ "$rc" = 0 ] && [ "$out" = "(standard output)" ]'
run_with_input plain.txt -
expected='(standard input): "«p2" not found in Tovaro file'
check "stdin without a marker" eval '[ "$rc" = 1 ] && [ ! -s "$logs/stdout" ] && [ "$err" = "$expected" ]'
run_with_input good.txt - good.txt
check "'-' with other inputs is a usage error" [ "$rc" = 64 ]

# Messages name what they are about; an output that is its own input says so.
cp good.txt self.maz
run -e maz self.maz
check "own input: code 32 in words" eval '[ "$rc" = 2 ] && [ "${err%%: I/O error 32*}" != "$err" ] && [ "${err%(the output would replace its own input)}" != "$err" ]'
check "own input: named" [ "${err#tovaro2korvane-cli: self.maz -> }" != "$err" ]
check "own input: left as it was" cmp -s self.maz good.txt

# Inputs with one output name: each later one replaces the output before it, and the script is told.
mkdir -p one two three && cp good.txt one/x.txt && printf '\xabp2\nsecond\n' >two/x.txt
printf '\xabp2\nthird\n' >three/x.txt
rm -rf out && mkdir out
run -o out one/x.txt two/x.txt three/x.txt
check "a replaced output exits 1" [ "$rc" = 1 ]
check "each replacement names the input whose output it replaces" [ "$err" = "tovaro2korvane-cli: two${sep}x.txt -> out${sep}x.maz: replaces the output of one${sep}x.txt
tovaro2korvane-cli: three${sep}x.txt -> out${sep}x.maz: replaces the output of two${sep}x.txt" ]
check "the last input's output stays" [ "$(hex out/x.maz)" = 02746869726404 ]
run -o out one/x.txt ./one/x.txt one/x.txt
check "the same file twice, however named, replaces nothing" eval '[ "$rc" = 0 ] && [ -z "$err" ]'
# Names that differ only in case are one file on Windows and two elsewhere.
mkdir -p lower upper && cp good.txt lower/a.txt && printf '\xabp2\nupper\n' >upper/A.TXT
rm -rf out && mkdir out
run -o out lower/a.txt upper/A.TXT
if [ "$windows" = 1 ]; then
    check "names differing in case replace each other's output" eval '[ "$rc" = 1 ] && [ "$err" = "tovaro2korvane-cli: upper\\A.TXT -> out\\A.maz: replaces the output of lower\\a.txt" ]'
else
    check "names differing in case are two outputs" eval '[ "$rc" = 0 ] && [ -z "$err" ] && [ "$(hex out/a.maz)" = 0241033104024204 ] && [ "$(hex out/A.maz)" = 02757070657204 ]'
fi

# --dry-run: the same report and status, nothing created, replaced or truncated.
rm -rf out && mkdir out && printf 'old' >out/plain.maz
run -n -o out good.txt plain.txt one/x.txt two/x.txt
check "dry run lists what it would write" [ "$out" = "out${sep}good.maz
out${sep}x.maz
out${sep}x.maz" ]
check "dry run reports as a real run" eval '[ "$rc" = 1 ] && [ "$(lines "$err")" = 2 ]'
check "dry run writes nothing" eval '[ "$(ls out)" = plain.maz ] && [ "$(cat out/plain.maz)" = old ]'
run -n -e maz self.maz
check "dry run finds an output that is its own input" eval '[ "$rc" = 2 ] && cmp -s self.maz good.txt'
run -n -o no-such-folder good.txt
check "dry run finds a missing folder" [ "$rc" = 2 ]

if [ "$windows" = 1 ]; then
    run '/?'
    check "/? shows the help" eval '[ "$rc" = 0 ] && [ "${out%%:*}" = Usage ]'
    mkdir -p wild/d.txt && cp good.txt wild/b.txt && cp good.txt wild/A.txt && cp good.txt wild/c.dat
    rm -rf out && mkdir out
    run -o out 'wild/*.txt'
    check "a wildcard matches files, sorted by name" [ "$out" = "out\\A.maz
out\\b.maz" ]
    run -o out 'wild/?.dat' 'wild/*.none'
    check "a wildcard matching nothing is reported as missing" eval '[ "$rc" = 1 ] && [ "$err" = "Cannot find wild\\*.none" ] && [ -f out/c.maz ]'
    # The user guide's example, as written there, with D: a drive of this prefix for the while.
    drive="${cli[1]}/dosdevices/d:"
    check "drive D: is free in the prefix" [ ! -e "$drive" ]
    mkdir -p guide/out guide/in && cp good.txt guide/in/a.txt && cp good.txt guide/in/b.txt
    ln -s "$dir/guide" "$drive" && cd guide/in
    run -o 'D:\out' '*.txt'
    cd "$dir" && rm -f "$drive"
    check "the guide's example converts every .txt file" eval '[ "$rc" = 0 ] && [ -f guide/out/a.maz ] && [ -f guide/out/b.maz ]'
else
    # Any name the system accepts: bytes that are not UTF-8 survive into the output's name.
    odd=$(printf 'n\xffm')
    cp good.txt "$odd.txt"
    rm -rf out && mkdir out
    run -o out "$odd.txt"
    check "a name that is not UTF-8 converts" eval '[ "$rc" = 0 ] && [ -f "out/$odd.maz" ]'
    check "and is printed with its own bytes" [ "$(hex "$logs/stdout")" = "$(printf 'out/n\xffm.maz\n' | od -An -tx1 | tr -d ' \n')" ]

    # Failures a local disk gives not on demand, from the library in T2K_FAILING_CALLS preloaded.
    check "the library that makes calls fail is there" [ -f "${T2K_FAILING_CALLS:-}" ]
    export LD_PRELOAD=${T2K_FAILING_CALLS:-} ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
    mkdir -p late && rm -rf out && mkdir out
    T2K_FAIL_CLOSE_IN=$dir/late run -o late good.txt one/x.txt
    check "a write error reported only at close stops the batch unlisted" eval '[ "$rc" = 2 ] && [ "$err" = "tovaro2korvane-cli: good.txt -> late/good.maz: Disk full" ] && [ -z "$out" ]'
    mkdir -p failing && cp good.txt failing/a.txt
    T2K_FAIL_READ_IN=$dir/failing run -o out failing/a.txt good.txt
    check "a read error partway through an input stops the batch unlisted" eval '[ "$rc" = 2 ] && [ "$err" = "tovaro2korvane-cli: failing/a.txt: I/O error 1005" ] && [ -z "$out" ]'
    unset LD_PRELOAD
fi

# Every code page's bytes: the same natively and under Wine.
every_line_byte() {
    local i
    for i in $(seq 0 255); do
        case $i in 10 | 13 | 26) continue ;; esac
        printf "\\$(printf %03o "$i")"
    done
}
mkdir -p pages
# "«" is 0xAB or 0xAE where a code page has it: the marker line holds both.
for page in 874 1250 1251 1252 1253 1254 1255 1256 1257 1258 437 737 775 850 852 855 857 860 861 \
    862 863 865 866 869; do
    { printf 'head\r\n\xabp2 \xaep2\r\n'; every_line_byte; printf '\r\nz\n'; } >"pages/$page.txt"
done
printf '\xc2\xabp2\nA_\xc3\xa9\xf0\x9f\x98\x80\n\x80\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80\xe2\x82A\xc2\xc2\xa9\nx\xe2\x82\nz\n' >pages/65001.txt
native=${T2K_NATIVE_CLI:-}
for input in pages/*.txt; do
    page=$(basename "$input" .txt)
    mkdir -p "pages/out-$page"
    run -o "pages/out-$page" --code-page "$page" "$input"
    check "code page $page is accepted" eval '[ "$rc" = 0 ] || [ "$rc" = 1 ]'
    output="pages/out-$page/$page.maz"
    digest=none
    [ -f "$output" ] && digest=$(sha256sum <"$output" | cut -c1-64)
    check "code page $page: the recorded bytes" [ "$digest" = "$(awk -v p="$page" '$1 == p { print $2 }' "$recorded_pages")" ]
    if [ -n "$native" ]; then
        mkdir -p "pages/native-$page"
        "$native" -o "pages/native-$page" --code-page "$page" "$input" >/dev/null 2>&1
        check "code page $page: the native build exits the same" [ "$?" = "$rc" ]
        check "code page $page: the same bytes natively and under Wine" \
            diff -r "pages/out-$page" "pages/native-$page"
    fi
done
if [ -n "$native" ] && [ ! -x "$native" ]; then
    check "the native build to compare with is there ($native)" false
fi

echo "cli: $passed passed, $failures failed"
[ "$failures" = 0 ]
