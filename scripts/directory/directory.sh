# The test server's directory: one slapd per architecture's test suite, on a
# loopback port of its own, with our schema, configuration and seed, and the
# server's storage folder seen by Wine as drive T:. Sourced by scripts/test.

PLEX_DIRECTORY_SUFFIX=o=telvanta
plex_directory_dirs=()

# Starts the directory of one architecture (its Wine prefix must exist).
plex_start_directory() {
    local arch=$1 build dir here port conf rootpw servicepw i
    build=$(plex_arch_build "$arch")
    dir=$build/directory
    here=$PLEX_ROOT/scripts/directory
    rm -rf "$dir"
    mkdir -p "$dir/db" "$dir/storage"
    port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
    rootpw=$(slappasswd -s "$(head -c 24 /dev/urandom | base64)")
    servicepw=$(head -c 18 /dev/urandom | base64 | tr -d '/+=')
    conf=$dir/slapd.conf
    sed -e "s|@DIR@|$dir|g" -e "s|@SUFFIX@|$PLEX_DIRECTORY_SUFFIX|g" \
        -e "s|@SCHEMA@|$here/telvanta.schema|g" -e "s|@ROOTPW@|$rootpw|g" \
        "$here/slapd.conf.in" >"$conf"
    python3 "$here/seed.py" "$PLEX_DIRECTORY_SUFFIX" "$servicepw" "$dir/storage" >"$dir/seed.ldif"
    slapadd -q -f "$conf" -l "$dir/seed.ldif" >"$dir/slapadd.log" 2>&1 || {
        cat "$dir/slapadd.log" >&2; echo "the directory seed did not load" >&2; return 1; }
    plex_directory_dirs+=("$dir")
    slapd -f "$conf" -h "ldap://127.0.0.1:$port/" >"$dir/slapd.log" 2>&1 || {
        cat "$dir/slapd.log" >&2; echo "slapd did not start" >&2; return 1; }
    for i in $(seq 1 100); do
        if timeout 5 ldapsearch -x -H "ldap://127.0.0.1:$port/" -b "" -s base -l 5 >/dev/null 2>&1; then
            break
        fi
        [ "$i" -eq 100 ] && { echo "slapd does not answer on port $port" >&2; return 1; }
        sleep 0.1
    done
    # The server's disk, as the Wine programs of this architecture see it.
    ln -sfn "$dir/storage" "$build/wineprefix/dosdevices/t:"
    cat >"$dir/env" <<ENV
export PLEX_DIRECTORY_PORT=$port
export PLEX_DIRECTORY_SUFFIX=$PLEX_DIRECTORY_SUFFIX
export PLEX_DIRECTORY_SERVICE_PASSWORD=$servicepw
export PLEX_STORAGE_ROOT='T:\\'
export PLEX_STORAGE_FOLDER=$dir/storage
ENV
    plex_log "$arch: directory server on 127.0.0.1:$port (pid $(cat "$dir/slapd.pid"))"
}

# Sets the directory's environment of one architecture in the calling shell.
plex_directory_env() {
    local env
    env=$(plex_arch_build "$1")/directory/env
    [ -f "$env" ] && . "$env"
    return 0
}

# Stops every directory this run started, by its process id.
plex_stop_directories() {
    local dir pid i
    for dir in "${plex_directory_dirs[@]}"; do
        [ -f "$dir/slapd.pid" ] || continue
        pid=$(cat "$dir/slapd.pid")
        kill "$pid" 2>/dev/null || continue
        for i in $(seq 1 100); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    done
    plex_directory_dirs=()
}
