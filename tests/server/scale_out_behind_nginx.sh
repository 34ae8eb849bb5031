#!/bin/bash
# Two zq-scores instances on one PostgreSQL database behind nginx, all on
# 127.0.0.1 in a temporary directory, nginx configured from the shipped
# server/deploy/nginx-zq-scores.conf. Checks the example's limits (/metrics
# from the machine only, body sizes) and that a client's X-Forwarded-For is
# replaced, that a token one instance gave is taken by the other, that load
# through nginx has no failure, and that when one instance is killed under
# load every submission answered OK is stored and nginx goes on answering
# through the other. Exit 77 (skipped) without the PostgreSQL server programs
# or nginx.
#
# usage: scale_out_behind_nginx.sh ZQ_SCORES ZQ_SCORES_LOAD NGINX_CONF
set -u
scores=$1 load=$2 shipped=$3

nginx=$(command -v nginx || echo /usr/sbin/nginx)
if [ ! -x "$nginx" ]; then
  echo "skipped: nginx is not installed (package nginx)"
  exit 77
fi

. "$(dirname "$0")/../support/scores_address.sh"
. "$(dirname "$0")/../support/throwaway_postgres.sh"

work=$(mktemp -d /tmp/zq-scale-out-XXXXXX) || exit 1
# nginx's workers and PostgreSQL run as other users when this runs as root.
chmod 711 "$work"
pg_stop=()
nginx_pids=()
other_pids=()
declare -A instance_pid

cleanup() {
  for pid in "${nginx_pids[@]}" "${other_pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${instance_pid[@]}"; do kill -KILL "$pid" 2>/dev/null; done
  wait 2>/dev/null
  [ ${#pg_stop[@]} -gt 0 ] && "${pg_stop[@]}" >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM

fail() {
  echo "scale-out: $*" >&2
  for log in "$work"/*.log "$work"/*/error.log "$work"/pg/server.log; do
    [ -s "$log" ] && { echo "--- $log" >&2; tail -n 20 "$log" >&2; }
  done
  exit 1
}

free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# http_status PORT METHOD PATH [BODY_BYTES [FROM_ADDRESS]]: the status nginx or
# an instance answers.
http_status() {
  python3 - "$@" <<'EOF'
import http.client, sys
port, method, path = int(sys.argv[1]), sys.argv[2], sys.argv[3]
body = b"x" * int(sys.argv[4]) if len(sys.argv) > 4 else None
source = (sys.argv[5], 0) if len(sys.argv) > 5 else None
try:
    c = http.client.HTTPConnection("127.0.0.1", port, timeout=10, source_address=source)
    c.request(method, path, body=body)
    print(c.getresponse().status)
except OSError as e:
    print("error", e)
EOF
}

throwaway_postgres "$work"
case $? in
  0) ;;
  77) exit 77 ;; # the reason is on stderr
  *) fail "no PostgreSQL cluster" ;;
esac
sql() { psql "$db" -X -q -A -t -v ON_ERROR_STOP=1 "$@"; }

# Options both instances take. Each must accept the tokens the other gives:
# an option that shapes tokens (such as a shared secret) goes here, the same
# for both.
(umask 077 && head -c 32 /dev/urandom >"$work/token.key")
shared_options=(--db "$db" --trusted-proxy 127.0.0.1 --version-requests-per-minute 0
  --token-secret "$work/token.key")

declare -A instance_port
# Both start together on the new database, as instances of one service would.
for name in a b; do
  "$scores" --port 0 "${shared_options[@]}" >"$work/$name.log" 2>&1 &
  instance_pid[$name]=$!
done
for name in a b; do
  url=$(scores_address "${instance_pid[$name]}" "$work/$name.log")
  [ -n "$url" ] || fail "instance $name did not start"
  instance_port[$name]=${url##*:}
done

# start_nginx NAME UPSTREAM_PORT...: nginx from the shipped file in
# $work/NAME, its one upstream server replaced by the ports given, its listen
# lines by one free loopback port (in nginx_port[NAME]).
declare -A nginx_port
start_nginx() {
  local name=$1 dir=$work/$1 servers= upstream
  shift
  for upstream in "$@"; do servers="$servers\\1server 127.0.0.1:$upstream \\2\\n"; done
  mkdir "$dir"
  nginx_port[$name]=$(free_port)
  sed -e "s|^\( *\)server 127\.0\.0\.1:8088 \(.*\)$|${servers%\\n}|" \
    -e '/^ *# *server 127\.0\.0\.1:8089/d' \
    -e "s|^\( *\)listen 80;|\1listen 127.0.0.1:${nginx_port[$name]};|" \
    -e '/^ *listen \[::\]:80;/d' "$shipped" >"$dir/zq-scores.conf"
  [ "$(grep -c "^ *server 127\.0\.0\.1:" "$dir/zq-scores.conf")" = $# ] &&
    [ "$(grep -c '^ *listen ' "$dir/zq-scores.conf")" = 1 ] ||
    fail "$shipped no longer has one 'server 127.0.0.1:8088' and the 'listen 80' lines"
  cat >"$dir/nginx.conf" <<EOF
worker_processes 2;
pid $dir/nginx.pid;
error_log $dir/error.log warn;
events { worker_connections 512; }
http {
  access_log off;
  client_body_temp_path $dir/body;
  proxy_temp_path $dir/proxy;
  fastcgi_temp_path $dir/fastcgi;
  uwsgi_temp_path $dir/uwsgi;
  scgi_temp_path $dir/scgi;
  include $dir/zq-scores.conf;
}
EOF
  "$nginx" -p "$dir" -e "$dir/error.log" -c "$dir/nginx.conf" -g 'daemon off;' \
    >"$work/$name.log" 2>&1 &
  local pid=$! status=
  nginx_pids+=("$pid")
  for _ in $(seq 100); do
    status=$(http_status "${nginx_port[$name]}" GET /healthz)
    [ "$status" = 200 ] && return 0
    kill -0 "$pid" 2>/dev/null || fail "nginx $name did not start"
    sleep 0.1
  done
  fail "no health answer through nginx $name: $status"
}
start_nginx proxy "${instance_port[a]}" "${instance_port[b]}"
proxy_port=${nginx_port[proxy]}

# The shipped limits: the counters for this machine only, small bodies except
# a recorded game's (nginx refuses them before an instance sees them).
expect_status() {
  local want=$1
  shift
  local got
  got=$(http_status "$@")
  [ "$got" = "$want" ] || fail "$* answered $got, not $want"
}
expect_status 200 "$proxy_port" GET /metrics
expect_status 403 "$proxy_port" GET /metrics 0 127.0.0.2
expect_status 413 "$proxy_port" POST /api/top 5000
expect_status 413 "$proxy_port" POST /api/replays $((256 * 1024 + 1))

# A client's own X-Forwarded-For never reaches an instance: nginx puts the
# address the client connects from in its place. An upstream that answers
# with the header it got shows what an instance would read.
python3 -c '
import http.server
class Echo(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    def do_GET(self):
        body = self.headers.get("X-Forwarded-For", "").encode()
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
    def log_message(self, *args):
        pass
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Echo)
print(server.server_address[1], flush=True)
server.serve_forever()
' >"$work/echo.port" 2>"$work/echo.log" &
other_pids+=($!)
for _ in $(seq 100); do
  [ -s "$work/echo.port" ] && break
  sleep 0.1
done
[ -s "$work/echo.port" ] || fail "the header echo did not start"
start_nginx forged "$(cat "$work/echo.port")"
seen=$(python3 - "${nginx_port[forged]}" <<'EOF'
import http.client, sys
c = http.client.HTTPConnection("127.0.0.1", int(sys.argv[1]), timeout=10)
c.request("GET", "/cgi/version.pl", headers={"X-Forwarded-For": "10.9.9.9, 10.8.8.8"})
print(c.getresponse().read().decode())
EOF
)
[ "$seen" = 127.0.0.1 ] || fail "an instance behind nginx would read X-Forwarded-For: $seen"

# run_load NAME ARGS...: zq-scores-load's report in $work/NAME.out.
run_load() {
  local name=$1
  shift
  "$load" "$@" >"$work/$name.out" 2>&1
}
failed_count() { sed -n 's/.* pairs (.*), \([0-9]*\) failed$/\1/p' "$work/$1.out"; }

# (a) Tokens from a version request to one instance, submissions to the other.
run_load cross 127.0.0.1 "${instance_port[a]}" 2 1 --submit-port "${instance_port[b]}" ||
  fail "a token from instance a was refused by instance b: $(cat "$work/cross.out")"

# (b) Load through nginx, spread over both instances.
run_load proxied 127.0.0.1 "$proxy_port" 16 3 ||
  fail "load through nginx failed: $(cat "$work/proxied.out")"
echo "through nginx: $(head -n 1 "$work/proxied.out")"

# (c) One instance killed under load: the requests in flight on it may fail
# (at most one per connection), every submission answered OK is stored, and
# nginx answers through the other instance.
sql -c "DELETE FROM scores" || fail "cannot empty the table"
connections=16
"$load" 127.0.0.1 "$proxy_port" "$connections" 5 --ok-log "$work/ok.txt" >"$work/kill.out" 2>&1 &
load_pid=$!
sleep 2
kill -KILL "${instance_pid[a]}"
wait "${instance_pid[a]}" 2>/dev/null
unset 'instance_pid[a]'
wait "$load_pid"
echo "instance a killed under load: $(head -n 1 "$work/kill.out")"
failed=$(failed_count kill)
[ -n "$failed" ] && [ "$failed" -le "$connections" ] ||
  fail "more failures than connections after the kill: $(cat "$work/kill.out")"
accepted=$(wc -l <"$work/ok.txt")
[ "$accepted" -gt 0 ] || fail "no submission was accepted"
missing=$(sql <<EOF
CREATE TEMP TABLE accepted (name TEXT, score INTEGER);
\copy accepted FROM '$work/ok.txt' WITH (DELIMITER ' ')
SELECT coalesce(sum(a.n - coalesce(s.n, 0)), 0)
  FROM (SELECT name, score, count(*) AS n FROM accepted GROUP BY name, score) a
  LEFT JOIN (SELECT name, score, count(*) AS n FROM scores GROUP BY name, score) s
  USING (name, score) WHERE coalesce(s.n, 0) < a.n;
EOF
) || fail "cannot compare with the table"
stored=$(sql -c "SELECT count(*) FROM scores")
echo "answered OK: $accepted, stored: $stored, answered OK but not stored: $missing"
[ "$missing" = 0 ] || fail "$missing submissions answered OK are not in the table"

run_load survivor 127.0.0.1 "$proxy_port" 4 1 ||
  fail "nginx does not answer through the remaining instance: $(cat "$work/survivor.out")"

# The survivor stops cleanly.
kill -TERM "${instance_pid[b]}"
wait "${instance_pid[b]}" || fail "instance b did not stop cleanly"
unset 'instance_pid[b]'
grep -q '^zq-scores stopped$' "$work/b.log" || fail "instance b did not say it stopped"
echo "scale-out behind nginx: ok"
