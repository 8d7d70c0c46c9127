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

# An output that would replace an input of the run, its own or another's, is refused before
# anything is written, with both files named; the batch goes on.
mkdir -p r && cp good.txt r/b.x.txt && printf '\xabp2\nB\n' >r/b.txt && cp good.txt r/self.maz
run -o r -e txt r/b.x.txt r/b.txt good.txt
check "another input: refused, named, the batch goes on" [ "$err" = "tovaro2korvane-cli: r${sep}b.x.txt -> r${sep}b.txt: would replace the input r${sep}b.txt; not replaced
tovaro2korvane-cli: r${sep}b.txt -> r${sep}b.txt: would replace its own input; not replaced" ]
check "another input: exit 1, the rest written" eval '[ "$rc" = 1 ] && [ "$out" = "r${sep}good.txt" ]'
check "another input: left as it was" [ "$(hex r/b.txt)" = "$(printf '\xabp2\nB\n' | od -An -tx1 | tr -d ' \n')" ]
run -o r -e maz r/self.maz
check "own input: refused, exit 1, left as it was" eval '[ "$rc" = 1 ] && [ "${err%its own input; not replaced}" != "$err" ] && cmp -s r/self.maz good.txt'

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
run -n -o r -e txt r/b.x.txt r/self.maz r/b.txt
check "dry run finds outputs that would replace inputs" eval '[ "$rc" = 1 ] && [ "$(lines "$err")" = 2 ] && [ "$out" = "r${sep}self.txt" ]'
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
    # The output is streamed, so its name is known by then; nothing of it may be left.
    check "a read error partway through an input stops the batch unlisted" eval '[ "$rc" = 2 ] && [ "$err" = "tovaro2korvane-cli: failing/a.txt -> out/a.maz: I/O error 1005" ] && [ -z "$out" ] && [ -z "$(ls -A out)" ]'
    unset LD_PRELOAD
fi

# What is not a file on a disk is never read: a device, a pipe (and on Windows a device's name
# with any extension, even where a file of that name exists on the Unix side of Wine).
rm -rf out && mkdir out
if [ "$windows" = 1 ]; then
    cp good.txt AUX.txt && cp good.txt nul.x.txt
    odd_inputs=(AUX.txt nul.x.txt)
else
    mkfifo fifo.txt
    odd_inputs=(fifo.txt /dev/null)
fi
cli_saved=("${cli[@]}")
cli=(timeout 120 "${cli_saved[@]}") # a read that waits for ever must end the test, not hang it
run -o out "${odd_inputs[@]}" good.txt
cli=("${cli_saved[@]}")
check "not a regular file: named, never read, the batch goes on" eval '[ "$rc" = 1 ] && [ "$out" = "out${sep}good.maz" ] && [ "$err" = "${odd_inputs[0]}: not a regular file
${odd_inputs[1]}: not a regular file" ]'
rm -f AUX.txt nul.x.txt fifo.txt

# An extension that would lead out of the output folder or into a stream is an invalid name.
rm -rf out && mkdir -p out/sub
for extension in 'maz\..\..\x' 'maz/../../y' 'maz:s' "$(printf 'm\taz')"; do
    run -o out/sub -e "$extension" good.txt
    check "extension '$extension' is an invalid name" eval '[ "$rc" = 2 ] && [ "${err%: Invalid filename}" != "$err" ]'
done
check "and nothing was written anywhere" eval '[ -z "$(find out -type f)" ] && [ ! -e x ] && [ ! -e y ]'

# A symbolic link at an output's name is refused and stays, dangling or not, and what it leads to
# is untouched; a hard link's name gets a new file and its other name keeps the old content.
if [ "$windows" = 0 ]; then
    rm -rf out && mkdir out && printf 'precious\n' >precious.txt && printf 'other\n' >linked.txt
    cp good.txt l1.txt && cp good.txt l2.txt && cp good.txt l3.txt
    ln -s ../precious.txt out/l1.maz && ln -s ../nowhere.txt out/l2.maz && ln linked.txt out/l3.maz
    run -o out l1.txt l2.txt l3.txt
    check "links: a symbolic link is refused and named, the batch goes on" eval '[ "$rc" = 1 ] && [ "$out" = out/l3.maz ] && [ "$err" = "tovaro2korvane-cli: l1.txt -> out/l1.maz: is a symbolic link; not replaced
tovaro2korvane-cli: l2.txt -> out/l2.maz: is a symbolic link; not replaced" ]'
    check "links: the links and what they lead to are as they were" eval '[ "$(cat precious.txt)" = precious ] && [ -L out/l1.maz ] && [ -L out/l2.maz ] && [ ! -e nowhere.txt ]'
    check "links: a hard link's name gets the new file, its other name the old content" eval '[ "$(hex out/l3.maz)" = 0241033104024204 ] && [ "$(cat linked.txt)" = other ]'
fi

# Four runs at once over overlapping sets of inputs into one folder, twenty rounds: no run stops
# another, every output is whole and nothing else is left there.
rm -rf par par-out && mkdir par par-out
for i in $(seq 100 219); do
    printf 'h\r\n\xabp2\r\nline_%s\r\n' "$i" >"par/f$i.txt"
done
# Each run has 60 of the 120 files, each file is in two runs, and one file is in every run after
# each of its files: four runs on one output at once.
for k in 0 1 2 3; do
    for i in $(seq $((30 * k)) $((30 * k + 59))); do
        printf 'par/f%s.txt\npar/f219.txt\n' $((100 + i % 120))
    done >"par-list-$k.txt"
done
parallel_failures=0
for round in $(seq 1 20); do
    pids=()
    for k in 0 1 2 3; do
        "${cli[@]}" -o par-out --files-from "par-list-$k.txt" >"$logs/par-$k.out" 2>"$logs/par-$k.err" </dev/null &
        pids+=($!)
    done
    for k in 0 1 2 3; do
        wait "${pids[$k]}" && [ ! -s "$logs/par-$k.err" ] || {
            parallel_failures=$((parallel_failures + 1))
            head -n 3 "$logs/par-$k.err" >&2
        }
    done
done
check "parallel runs: none failed in 80" [ "$parallel_failures" = 0 ]
wrong=0
for i in $(seq 100 219); do
    [ "$(hex "par-out/f$i.maz")" = "$(printf '\002line\003%s\004' "$i" | od -An -tx1 | tr -d ' \n')" ] || wrong=$((wrong + 1))
done
check "parallel runs: every output whole" eval '[ "$wrong" = 0 ] && [ "$(ls -A par-out | wc -l)" = 120 ]'
rm -rf par par-out par-list-*.txt

# A run killed while it writes leaves the old output or the whole new one, never a part of it; a
# temporary file it leaves does not look like an output. The kill comes as soon as anything
# changes in the folder, so some trials must have caught the run in the middle of its write.
if [ "$windows" = 0 ]; then
    { printf '\xabp2\n'; yes 'G01 X10 Y20 Z_30 F100' | head -c 64M; } >big.txt
    rm -rf whole kill && mkdir whole kill
    "${cli[@]}" -o whole big.txt >/dev/null 2>&1
    touch -d 2001-01-01 kill-stamp
    caught=0
    partial=0
    for trial in 1 2 3 4 5; do
        rm -rf kill && mkdir kill && printf 'old output\n' >kill/big.maz && touch -d 2000-01-01 kill/big.maz
        "${cli[@]}" -o kill big.txt >"$logs/stdout" 2>/dev/null </dev/null &
        pid=$!
        while kill -0 "$pid" 2>/dev/null; do
            set -- kill/*
            [ $# -gt 1 ] || [ kill/big.maz -nt kill-stamp ] && break
        done
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        if [ "$(cat kill/big.maz)" = "old output" ]; then
            [ -s "$logs/stdout" ] && partial=$((partial + 1)) # listed but not there
            [ "$(ls kill | wc -l)" -gt 1 ] && caught=$((caught + 1))
        elif ! cmp -s kill/big.maz whole/big.maz || [ "$(tr -d '\n' <"$logs/stdout")" != kill/big.maz ]; then
            partial=$((partial + 1))
        fi
        for left in kill/*; do
            case $left in kill/big.maz) ;; *.maz) partial=$((partial + 1)) ;; esac
        done
    done
    check "killed: the old output or the whole new one, nothing that looks like an output" [ "$partial" = 0 ]
    check "killed: some runs were caught in the middle of their write ($caught of 5)" [ "$caught" -gt 0 ]
    rm -rf big.txt whole kill kill-stamp
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
