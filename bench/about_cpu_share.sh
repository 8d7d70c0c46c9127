#!/usr/bin/env bash
# CPU share of the running program under Wine: first while only the About window's hidden
# rotation runs, then while the About window is open. bench/about_cpu_share.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${T2K_BUILD_DIR:-build/win64}
seconds=${1:-5}
root=$PWD
cmake --build "$build" --target Tovaro2KORVANE about_open_from_outside >/dev/null

source scripts/lib/wine.sh
prefix=$root/$build/wineprefix-screenshot
t2k_wine_prefix "$prefix" 96
work=$(mktemp -d)
cp "$build"/app/Tovaro2KORVANE.exe "$build"/tests/about_open_from_outside.exe "$work/"
cleanup() {
    t2k_wine_server_stop "$prefix"
    t2k_stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT
t2k_start_xvfb
t2k_wine_server_start "$prefix"
export WINEPREFIX=$prefix
(cd "$work" && wine Tovaro2KORVANE.exe >/dev/null 2>&1 </dev/null &)
sleep 3
pid=$(pgrep -f 'Tovaro2KORVANE.exe' | head -1)
ticks=$(getconf CLK_TCK)

# Busy share of one core over the next $seconds seconds, from the process's user and system time.
share() {
    local before after
    before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep "$seconds"
    after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    awk -v d=$((after - before)) -v t="$ticks" -v s="$seconds" 'BEGIN {printf "%.1f%%", 100 * d / t / s}'
}
echo "hidden rotation only: $(share)"
(cd "$work" && wine about_open_from_outside.exe >/dev/null 2>&1 </dev/null)
sleep 0.5
echo "About window open:    $(share)"
