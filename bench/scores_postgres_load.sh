#!/bin/bash
# Version request + submission pairs against one zq-scores on a throwaway
# PostgreSQL cluster (fsync on) on 127.0.0.1, for each pool size given: the
# figure a publisher scaling out on PostgreSQL gets from one instance.
#
# usage: bench/scores_postgres_load.sh ZQ_SCORES ZQ_SCORES_LOAD [CLIENTS [SECONDS [POOL...]]]
#   e.g. bench/scores_postgres_load.sh build/check-gcc-release/server/zq-scores \
#          build/check-gcc-release/server/zq-scores-load 32 10 8 16 32
set -u
scores=$1 load=$2 clients=${3:-32} seconds=${4:-10}
shift $(($# < 4 ? $# : 4))
pools=("$@")
[ ${#pools[@]} -gt 0 ] || pools=(8)

. "$(dirname "$0")/../tests/support/scores_address.sh"
. "$(dirname "$0")/../tests/support/throwaway_postgres.sh"

work=$(mktemp -d /tmp/zq-pg-load-XXXXXX) || exit 1
pg_stop=()
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  [ ${#pg_stop[@]} -gt 0 ] && "${pg_stop[@]}" >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM

throwaway_postgres "$work" || exit 1
for pool in "${pools[@]}"; do
  "$scores" --port 0 --db "$db" --threads "$clients" --db-connections "$pool" \
    --version-requests-per-minute 0 >"$work/scores.log" 2>&1 &
  pid=$!
  url=$(scores_address "$pid" "$work/scores.log")
  [ -n "$url" ] || { cat "$work/scores.log" >&2; exit 1; }
  echo "--db-connections $pool, $clients clients, $seconds s:"
  "$load" 127.0.0.1 "${url##*:}" "$clients" "$seconds" || exit 1
  kill "$pid"
  wait "$pid" 2>/dev/null
  pid=
done
