# Shared by scripts/test and scripts/run: installs what the build needs on
# Debian, builds the program for 32-bit and 64-bit Windows, and brings up
# Xvfb and a persistent wineserver for each Wine prefix.

PLEX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PLEX_BUILD=${PLEX_BUILD_DIR:-$PLEX_ROOT/build}
# Wine wants an absolute prefix path: a relative build folder is taken from
# the folder the script was started in.
case $PLEX_BUILD in
  /*) ;;
  *) PLEX_BUILD=$PWD/$PLEX_BUILD ;;
esac
PLEX_JOBS=${PLEX_JOBS:-$(nproc)}
# The compiler cache lives outside the clone, so that a fresh clone reuses
# what the last build compiled.
export CCACHE_DIR=${CCACHE_DIR:-/var/cache/plexwright/ccache}
export CCACHE_BASEDIR=$PLEX_ROOT
export CCACHE_NOHASHDIR=1
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-5G}

# fonts-wine: Wine's own fonts, without which the captions' buttons show
# letters in place of their glyphs. xdotool and imagemagick (its `import`)
# drive and picture the editor in the user's walk through it.
plex_packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
               wine wine32:i386 wine64 fonts-wine xvfb xauth cmake make ccache
               googletest python3 slapd ldap-utils xdotool imagemagick)

# i686 is what we ship; x86_64 is the same program for 64-bit Windows.
plex_all_archs=(i686 x86_64)

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
    # Several runs may start at once on one machine: they take turns, and
    # each waits for a package manager that something else is running.
    (
        flock 9
        dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
        export DEBIAN_FRONTEND=noninteractive
        apt-get -o DPkg::Lock::Timeout=600 update -qq
        apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    ) 9>/var/lock/plexwright-apt.lock
}

# The architectures this run builds: both, or the one PLEX_ARCH names.
plex_archs() {
    case "${PLEX_ARCH:-}" in
      "") echo "${plex_all_archs[@]}" ;;
      i686|x86_64) echo "$PLEX_ARCH" ;;
      *) echo "PLEX_ARCH must be i686 or x86_64, not '$PLEX_ARCH'" >&2; return 1 ;;
    esac
}

plex_arch_build() { echo "$PLEX_BUILD/$1"; }

# The Wine loader for an architecture's programs.
plex_wine_loader() {
    case $1 in
      i686) echo /usr/lib/wine/wine ;;
      x86_64) echo /usr/lib/wine/wine64 ;;
    esac
}

# Whether this machine runs the architecture's Wine at all: some kernels
# cannot start 32-bit Linux programs, so the only test is to try.
plex_arch_runs() {
    local loader
    loader=$(plex_wine_loader "$1")
    [ -x "$loader" ] && "$loader" --version >/dev/null 2>&1 </dev/null
}

plex_build_arch() {
    local arch=$1 dir
    dir=$(plex_arch_build "$arch")
    plex_log "configuring and building for $arch in $dir"
    mkdir -p "$CCACHE_DIR" 2>/dev/null || true
    local launcher=()
    if command -v ccache >/dev/null && [ -w "$CCACHE_DIR" ]; then
        launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$PLEX_ROOT" -B "$dir" \
        -DCMAKE_TOOLCHAIN_FILE="$PLEX_ROOT/cmake/toolchain-mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE="${PLEX_BUILD_TYPE:-RelWithDebInfo}" "${launcher[@]}" >/dev/null
    cmake --build "$dir" -j "$PLEX_JOBS"
}

plex_build() {
    local arch
    for arch in $(plex_archs); do
        plex_build_arch "$arch"
    done
}

plex_pids=()
plex_prefixes=()
plex_stop_services() {
    local pid prefix
    for prefix in "${plex_prefixes[@]}"; do
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    done
    for pid in "${plex_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    plex_pids=()
    plex_prefixes=()
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

# Sets the Wine environment of one architecture in the calling shell.
plex_wine_env() {
    local arch=$1
    export WINEPREFIX="$(plex_arch_build "$arch")/wineprefix"
    export WINEDEBUG=-all
    export WINELOADER=$(plex_wine_loader "$arch")
    case $arch in
      i686) export WINEARCH=win32 ;;
      x86_64) export WINEARCH=win64 ;;
    esac
}

# A fresh prefix inside the architecture's build folder, made once per run
# (kept with PLEX_KEEP_PREFIX=1), with a wineserver that stays up between
# the tests. Leaves the architecture's Wine environment set.
plex_start_wine() {
    local arch=$1
    plex_wine_env "$arch"
    if [ "${PLEX_KEEP_PREFIX:-0}" != 1 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
        rm -rf "$WINEPREFIX"
    fi
    mkdir -p "$WINEPREFIX"
    wineserver -f -p >/dev/null 2>&1 &
    plex_pids+=($!)
    plex_prefixes+=("$WINEPREFIX")
    # Neither Mono nor Gecko is wanted (nor here to be had): without these
    # overrides wineboot waits for their installers to give up.
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        plex_log "initialising the $WINEARCH Wine prefix"
        WINEDLLOVERRIDES="mscoree,mshtml=" "$WINELOADER" wineboot -i >/dev/null 2>&1 </dev/null
    else
        # Start the prefix's services here, so that they do not inherit the
        # output pipe of the first test (ctest would wait for it forever).
        WINEDLLOVERRIDES="mscoree,mshtml=" "$WINELOADER" wineboot >/dev/null 2>&1 </dev/null
    fi
}

# The prefix's desktop process, started before the tests by a program of
# ours that waits until the prefix's processes are ended: started by the
# first window test instead, it would keep that test's output pipe open
# until the end of the run (tests/support/PXDesktopKeeper.cpp).
plex_start_desktop() {
    local arch=$1 keeper
    keeper="$(plex_arch_build "$arch")/bin/plex_desktop_keeper.exe"
    [ -f "$keeper" ] || return 0
    plex_wine_env "$arch"
    "$WINELOADER" "$keeper" >/dev/null 2>&1 </dev/null &
    plex_pids+=($!)
}
