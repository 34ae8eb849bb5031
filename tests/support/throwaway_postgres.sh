# Sourced by the scripts that need a PostgreSQL cluster of their own.
# throwaway_postgres DIR: initialises and starts a cluster in DIR/pg with fsync
# on, as it would be in use, listening on TCP on 127.0.0.1 only. Sets `db`
# (its URL) and `pg_stop` (the command that stops it); the caller stops it
# and removes DIR. Returns 1 with a reason on stderr when it cannot start,
# 77 when the server programs are missing (package postgresql).
throwaway_postgres() {
  local dir=$1 pgbin port as=()
  pgbin=$(pg_config --bindir 2>/dev/null)
  if [ ! -x "$pgbin/initdb" ] || ! command -v psql >/dev/null; then
    echo "the PostgreSQL server programs are not installed (package postgresql)" >&2
    return 77
  fi
  mkdir "$dir/pg" || return 1
  # PostgreSQL refuses to run as root.
  if [ "$(id -u)" -eq 0 ]; then
    chmod 711 "$dir"
    chown postgres "$dir/pg" || { echo "no postgres user to run the cluster as" >&2; return 1; }
    as=(runuser -u postgres --)
  fi
  port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  "${as[@]}" "$pgbin/initdb" -D "$dir/pg/data" -A trust -U zq -E UTF8 --no-sync \
    >"$dir/pg/initdb.log" 2>&1 || { echo "initdb failed" >&2; return 1; }
  "${as[@]}" "$pgbin/pg_ctl" -D "$dir/pg/data" -w -l "$dir/pg/server.log" \
    -o "-p $port -k $dir/pg -c listen_addresses=127.0.0.1 -c fsync=on" start \
    >"$dir/pg/pg_ctl.log" 2>&1 || {
    echo "PostgreSQL did not start: $(tail -n 5 "$dir/pg/server.log")" >&2
    return 1
  }
  pg_stop=("${as[@]}" "$pgbin/pg_ctl" -D "$dir/pg/data" -m immediate -w stop)
  db="postgresql://zq@127.0.0.1:$port/postgres"
}
