# Wine and Xvfb for the Windows tests; sourced by scripts/test, scripts/run and friends.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="

# t2k_wine_prefix PREFIX [LOGPIXELS]: makes a test prefix once. It is initialised before any test
# runs (lazy first use from parallel tests races), crash dialogs are off so a crash fails a test
# instead of hanging it, a virtual desktop gives windows title bars and quick hide/destroy, and
# Wine's own fonts are copied where it looks for them.
t2k_wine_prefix() {
    local prefix=$1 dpi=${2:-96} desktop=1024x768
    # A larger DPI needs a larger desktop, or the main window does not fit and is cut.
    [ "$dpi" -gt 96 ] && desktop=1280x1024
    # A prefix made before 32-bit Wine was installed cannot run the 32-bit exes: made again.
    [ -f "$prefix/.t2k-ready" ] && [ -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ] && return 0
    rm -rf "$prefix"
    mkdir -p "$prefix"
    (
        export WINEPREFIX=$prefix
        wineboot --init >/dev/null 2>&1
        wineserver -w
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null 2>&1
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
        wineserver -w
    )
    cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$prefix/.t2k-ready"
}

# t2k_wine_server_start PREFIX: a persistent server for the prefix, with Wine's service processes
# already running. Started from inside a test instead, those processes would inherit the test's
# output pipe and keep it open, and ctest would wait for them. Nothing here may hold our own
# stdout either, or whoever reads it (CI) waits forever.
t2k_wine_server_start() {
    WINEPREFIX=$1 wineserver -p >/dev/null 2>&1 </dev/null
    WINEPREFIX=$1 wine cmd /c exit >/dev/null 2>&1 </dev/null
}

t2k_wine_server_stop() {
    WINEPREFIX=$1 wineserver -k >/dev/null 2>&1 </dev/null || true
}

# t2k_start_xvfb: starts a private X server on a free display and exports DISPLAY. Called again,
# it starts another one (for suites that run side by side); t2k_stop_xvfb stops them all.
T2K_XVFB_PIDS=()
t2k_start_xvfb() {
    local n
    for n in $(seq 91 140); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            T2K_XVFB_PIDS+=("$!")
            export DISPLAY=":$n"
            local i
            for i in $(seq 1 50); do
                [ -e "/tmp/.X11-unix/X$n" ] && return 0
                sleep 0.1
            done
            echo "Xvfb did not start on :$n" >&2
            return 1
        fi
    done
    echo "no free X display" >&2
    return 1
}

t2k_stop_xvfb() {
    local pid
    for pid in "${T2K_XVFB_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    T2K_XVFB_PIDS=()
}
