#!/usr/bin/env bash
# The project's main job: installs what is missing, builds, makes the demo
# data set when it is not there, starts the map service on a free loopback
# port with a demo account, and shows the map: the viewer window when the
# viewer is built and a display is present, PNG snapshots in out/ otherwise.
# The service stops when the script ends, however it ends.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=$(nproc)

usage() {
    cat <<'EOF'
usage: ./run.sh [--snapshots | --viewer]

  (no option)   the viewer when it is built and a display is present, else snapshots
  --snapshots   PNG snapshots of the demo data in out/, in both design sets
  --viewer      the viewer window (needs tools/viewer and a display)

TOLKMAPS_STORE=FILE serves another tile store instead of the demo data set.
The viewer and tolkmaps-render find the service through TOLKMAPS_CONFIG_HOST,
TOLKMAPS_CONSUMER_KEY, TOLKMAPS_CONSUMER_SECRET and TOLKMAPS_CA_FILE.
EOF
}

show=auto
case "${1:-}" in
    "") ;;
    --snapshots) show=snapshots ;;
    --viewer) show=viewer ;;
    -h | --help) usage; exit 0 ;;
    *) echo "run.sh: unknown argument '$1'" >&2; usage >&2; exit 2 ;;
esac

# Install and build: the same tree and ccache as ./test.sh, only what runs here.
scripts/setup
export CCACHE_DIR=${CCACHE_DIR:-$root/.cache/ccache}
cmake -S . -B build -G Ninja -DTOLKMAPS_BENCH=ON
targets=(tolkmaps-server tolkmaps-render)
[ -f tools/viewer/CMakeLists.txt ] && targets+=(tolkmaps-viewer)
cmake --build build -j "$jobs" --target "${targets[@]}"
server_bin=$root/build/service/tolkmaps-server
render_bin=$root/build/tools/render/tolkmaps-render
viewer_bin=$root/build/tools/viewer/tolkmaps-viewer

store=${TOLKMAPS_STORE:-$root/data/demo/tiles.sqlite}
if [ -z "${TOLKMAPS_STORE:-}" ] && [ ! -f "$store" ]; then
    echo "run.sh: making the demo data set (once)"
    scripts/demo-data
fi
[ -f "$store" ] || { echo "run.sh: there is no tile store at $store" >&2; exit 1; }

if [ "$show" = auto ]; then
    if [ -x "$viewer_bin" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        show=viewer
    else
        show=snapshots
    fi
fi
if [ "$show" = viewer ] && [ ! -x "$viewer_bin" ]; then
    echo "run.sh: there is no viewer yet (tools/viewer); ./run.sh --snapshots writes PNGs" >&2
    exit 1
fi

# The service: its state (certificate authority, accounts, log) lives in a
# folder of this run; the tile cache of the snapshots stays in .cache/.
run_dir=$(mktemp -d "${TMPDIR:-/tmp}/tolkmaps-run-XXXXXX")
server_pid=""
stop_server() {
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
        server_pid=""
    fi
}
cleanup() {
    stop_server
    rm -rf "$run_dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

free_port() {  # a random high loopback port nothing listens on
    local port
    while :; do
        port=$(shuf -i 20000-60999 -n 1)
        (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return; }
    done
}

# Starts the server on a free port; sets server_pid and port.
start_server() {  # ACCOUNTS
    port=$(free_port)
    "$server_bin" --listen 127.0.0.1 --port "$port" --store "$store" --accounts "$1" \
        --state "$run_dir/state" >"$run_dir/server.log" 2>&1 &
    server_pid=$!
}

# Waits for the line the server prints once it listens; fails with its log
# when it ends first.
wait_for_server() {
    for _ in $(seq 1 200); do
        grep -q '^tolkmaps-server: certificate authority' "$run_dir/server.log" && return 0
        kill -0 "$server_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "run.sh: tolkmaps-server did not come up:" >&2
    cat "$run_dir/server.log" >&2
    exit 1
}

# The demo account must belong to the store's service id, which the server
# names when it starts: a first start without accounts tells it (and makes
# the certificate authority).
: >"$run_dir/no-accounts"
chmod 600 "$run_dir/no-accounts"
start_server "$run_dir/no-accounts"
wait_for_server
service_id=$(sed -n 's/^tolkmaps-server: serving .*, service id \(.*\), [0-9]* tiles, .*$/\1/p' \
    "$run_dir/server.log")
stop_server
[ -n "$service_id" ] || { echo "run.sh: the store names no service id" >&2; exit 1; }

"$server_bin" add-account --accounts "$run_dir/accounts" --service-id "$service_id" \
    --division 12 --cache 500 >"$run_dir/account.txt"
start_server "$run_dir/accounts"
wait_for_server
ca=$run_dir/state/ca.pem
curl -sf --cacert "$ca" -o /dev/null "https://127.0.0.1:$port/Veltar/config.json" || {
    echo "run.sh: the service does not answer over HTTPS:" >&2
    cat "$run_dir/server.log" >&2
    exit 1
}
export TOLKMAPS_CONFIG_HOST=127.0.0.1:$port
TOLKMAPS_CONSUMER_KEY=$(sed -n 's/^consumer_key=//p' "$run_dir/account.txt")
TOLKMAPS_CONSUMER_SECRET=$(sed -n 's/^consumer_secret=//p' "$run_dir/account.txt")
export TOLKMAPS_CONSUMER_KEY TOLKMAPS_CONSUMER_SECRET
export TOLKMAPS_CA_FILE=$ca
echo "run.sh: map service at https://$TOLKMAPS_CONFIG_HOST/ (service id $service_id)"

if [ "$show" = viewer ]; then
    "$viewer_bin"
    exit $?
fi

# Snapshots: name, latitude, longitude, zoom level, tilt, bearing. The
# Karlsruhe extract holds the city's boundary, so its view sits on that line.
views=(
    "world-3 35 10 3 0 0"
    "europe-6 50 10 6 0 0"
    "north-devon-15 51.205 -3.90 15 0 0"
    "north-devon-16-tilted 51.200 -3.905 16 45 30"
    "west-oakland-16 37.8076 -122.3005 16 0 0"
    "karlsruhe-15 49.0450 8.4600 15 0 0"
)
mkdir -p out "$root/.cache/render-tiles"
written=()
failed=0
for design in day night; do
    for view in "${views[@]}"; do
        read -r name lat lng zoom tilt bearing <<<"$view"
        png=$root/out/$name-$design.png
        status=0
        "$render_bin" --lat "$lat" --lng "$lng" --zoom "$zoom" --tilt "$tilt" --bearing "$bearing" \
            --size 1024x768 --design "$design" --timeout 60 \
            --cache "$root/.cache/render-tiles" --out "$png" >/dev/null || status=$?
        case $status in
            0) written+=("$png") ;;
            3) written+=("$png (incomplete)") ;;
            *) failed=1 ;;
        esac
    done
done

if [ ${#written[@]} -gt 0 ]; then
    echo "run.sh: snapshots:"
    printf '  %s\n' "${written[@]}"
fi
[ "$failed" -eq 0 ] || { echo "run.sh: some snapshots could not be drawn (see above)" >&2; exit 1; }
