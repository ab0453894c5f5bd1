#!/usr/bin/env bash
# Load test of tolkmaps-server against nginx on loopback.
#
# Both serve the same tile answer (4 quad keys of generated tiles shaped like
# real ones) over HTTPS with keep-alive, once plain and once gzip-encoded;
# nginx serves the answer bytes as static files with the server's own
# certificate. wrk measures requests per second and the 99th percentile
# latency of each; the figure to track is the ratio server / nginx.
#
# usage: bench/service/load.sh [BUILD_DIR]     (default: build)
# Environment: DURATION (seconds per run, default 10), CONNECTIONS (default
# 16), WRK_THREADS (default 2), TILE_LINES / TILE_POINTS (tile size), GZIP_LEVEL.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
case $build in /*) ;; *) build=$root/$build ;; esac
server_bin=$build/service/tolkmaps-server
store_bin=$build/service/tolkmaps-sample-store
duration=${DURATION:-10}
connections=${CONNECTIONS:-16}
wrk_threads=${WRK_THREADS:-2}
tile_lines=${TILE_LINES:-30}
tile_points=${TILE_POINTS:-40}
gzip_level=${GZIP_LEVEL:-6}
workers=$(nproc)

for tool in wrk nginx curl; do
    command -v "$tool" >/dev/null || { echo "load.sh: $tool is missing" >&2; exit 1; }
done
for bin in "$server_bin" "$store_bin"; do
    [ -x "$bin" ] || { echo "load.sh: $bin is missing; build the service first" >&2; exit 1; }
done

dir=$(mktemp -d /tmp/tolkmaps-load-XXXXXX)
chmod 755 "$dir"
server_pid=
nginx_pid=
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null && wait "$nginx_pid" 2>/dev/null
    rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

free_port() {  # a random high port nothing listens on
    local port
    while :; do
        port=$(shuf -i 20000-60999 -n 1)
        (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return; }
    done
}

wait_for() {  # URL CA
    for _ in $(seq 1 100); do
        curl -sf --cacert "$2" -o /dev/null "$1" && return 0
        sleep 0.1
    done
    echo "load.sh: $1 does not answer" >&2
    exit 1
}

# The tile store, one account, the server.
"$store_bin" "$dir/tiles.sqlite" 5 "$tile_lines" "$tile_points" bench >"$dir/store.txt"
"$server_bin" add-account --accounts "$dir/accounts" --service-id bench >/dev/null
server_port=$(free_port)
"$server_bin" --listen 127.0.0.1 --port "$server_port" --store "$dir/tiles.sqlite" \
    --accounts "$dir/accounts" --state "$dir/state" --threads $((connections * 2)) \
    --quad-num 4 --gzip-level "$gzip_level" >"$dir/server.log" 2>&1 &
server_pid=$!
ca=$dir/state/ca.pem
for _ in $(seq 1 100); do [ -f "$ca" ] && break; sleep 0.1; done
server=https://127.0.0.1:$server_port
query="/Veltar/tiles?cid=bench&data=1.0.0&quad=01230&quad=01231&quad=01232&quad=01233"
wait_for "$server$query" "$ca"

# The same answer bytes as static files for nginx, plain and gzip-encoded.
mkdir -p "$dir/static"
curl -sf --cacert "$ca" -o "$dir/static/tiles" "$server$query"
curl -sf --cacert "$ca" -H 'Accept-Encoding: gzip' -o "$dir/static/tiles.gz" "$server$query"
nginx_port=$(free_port)
sed -e "s|@DIR@|$dir|g" -e "s|@PORT@|$nginx_port|g" -e "s|@WORKERS@|$workers|g" \
    -e "s|@CERT@|$dir/state/server.pem|g" -e "s|@KEY@|$dir/state/server-key.pem|g" \
    "$root/bench/service/nginx.conf.in" >"$dir/nginx.conf"
nginx -p "$dir" -c "$dir/nginx.conf" &
nginx_pid=$!
nginx_url=https://127.0.0.1:$nginx_port
wait_for "$nginx_url/tiles" "$ca"

# One wrk run: prints "requests_per_second p99_milliseconds".
measure() {  # URL [HEADER]
    local out
    if [ -n "${2:-}" ]; then
        out=$(wrk -t"$wrk_threads" -c"$connections" -d"${duration}s" --latency -H "$2" "$1")
    else
        out=$(wrk -t"$wrk_threads" -c"$connections" -d"${duration}s" --latency "$1")
    fi
    echo "$out" >>"$dir/wrk.txt"
    local rps p99
    rps=$(echo "$out" | awk '/Requests\/sec:/ {print $2}')
    p99=$(echo "$out" | awk '$1 == "99%" {v=$2; if (v ~ /us$/) {sub(/us$/, "", v); v/=1000} else if (v ~ /ms$/) {sub(/ms$/, "", v)} else if (v ~ /s$/) {sub(/s$/, "", v); v*=1000}; print v}')
    if echo "$out" | grep -q "Non-2xx"; then
        echo "load.sh: non-2xx answers from $1" >&2
        echo "$out" >&2
        exit 1
    fi
    echo "$rps $p99"
}

plain_bytes=$(stat -c %s "$dir/static/tiles")
gzip_bytes=$(stat -c %s "$dir/static/tiles.gz")
echo "store: $(cat "$dir/store.txt")"
echo "answer: 4 tiles, $plain_bytes bytes plain, $gzip_bytes bytes gzip; ${duration}s per run," \
     "$connections keep-alive connections, $wrk_threads wrk threads, $workers cores"

read -r s_plain s_plain_p99 <<<"$(measure "$server$query")"
read -r n_plain n_plain_p99 <<<"$(measure "$nginx_url/tiles")"
read -r s_gzip s_gzip_p99 <<<"$(measure "$server$query" 'Accept-Encoding: gzip')"
read -r n_gzip n_gzip_p99 <<<"$(measure "$nginx_url/tiles.gz" 'Accept-Encoding: gzip')"

report() {  # RUN SERVER_RPS NGINX_RPS SERVER_P99 NGINX_P99
    awk -v run="$1" -v s="$2" -v n="$3" -v sp="$4" -v np="$5" \
        'BEGIN { printf "%-6s %12.0f %12.0f %14.2f %14.2f %8.2f\n", run, s, n, sp, np, s / n }'
}
printf '%-6s %12s %12s %14s %14s %8s\n' run server_rps nginx_rps server_p99_ms nginx_p99_ms ratio
report plain "$s_plain" "$n_plain" "$s_plain_p99" "$n_plain_p99"
report gzip "$s_gzip" "$n_gzip" "$s_gzip_p99" "$n_gzip_p99"
