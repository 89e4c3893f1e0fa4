# Shared by scripts/test and scripts/run: installs what the build needs on
# Debian, builds, and brings up Xvfb and a persistent wineserver.

PLEX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PLEX_BUILD=${PLEX_BUILD_DIR:-$PLEX_ROOT/build}
# Wine wants an absolute prefix path: a relative build folder is taken from
# the folder the script was started in.
case $PLEX_BUILD in
  /*) ;;
  *) PLEX_BUILD=$PWD/$PLEX_BUILD ;;
esac
PLEX_JOBS=${PLEX_JOBS:-$(nproc)}

plex_packages=(g++-mingw-w64-i686-posix wine wine32:i386 xvfb xauth cmake make googletest python3)

plex_log() { printf '== %s\n' "$*"; }

plex_install_deps() {
    local missing=() p
    for p in "${plex_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    plex_log "installing ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "missing packages (${missing[*]}); run as root to install them" >&2
        return 1
    fi
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

plex_build() {
    plex_log "configuring and building in $PLEX_BUILD"
    cmake -S "$PLEX_ROOT" -B "$PLEX_BUILD" -DCMAKE_BUILD_TYPE="${PLEX_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
    cmake --build "$PLEX_BUILD" -j "$PLEX_JOBS"
}

plex_pids=()
plex_stop_services() {
    local pid
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null || true
    fi
    for pid in "${plex_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    plex_pids=()
}

# A display of our own when there is none (or when asked to with PLEX_XVFB=1).
plex_start_xvfb() {
    if [ -n "${DISPLAY:-}" ] && [ "${PLEX_XVFB:-0}" != 1 ]; then
        return 0
    fi
    local n=90
    while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    plex_pids+=($!)
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
        [ -e /tmp/.X11-unix/X$n ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on :$n" >&2
    return 1
}

# A fresh 32-bit prefix inside the build folder, made once per run, with a
# wineserver that stays up between the tests.
plex_start_wine() {
    export WINEPREFIX="$PLEX_BUILD/wineprefix"
    export WINEARCH=win32
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ "${PLEX_KEEP_PREFIX:-0}" != 1 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
        rm -rf "$WINEPREFIX"
    fi
    mkdir -p "$WINEPREFIX"
    wineserver -f -p >/dev/null 2>&1 &
    plex_pids+=($!)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        plex_log "initialising the Wine prefix"
        wineboot -i >/dev/null 2>&1
    else
        # Start the prefix's services here, so that they do not inherit the
        # output pipe of the first test (ctest would wait for it forever).
        wineboot >/dev/null 2>&1 </dev/null
    fi
    export WINEDLLOVERRIDES=
}
