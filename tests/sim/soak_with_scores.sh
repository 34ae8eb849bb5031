#!/bin/sh
# One soak of the whole program (zq-sim --monkey) in a fresh copy of the
# generated runtime tree, sending its results to a score service of its own:
# zq-scores on 127.0.0.1 with its store in the copy. The service must stop
# cleanly afterwards.
#
# usage: soak_with_scores.sh ZQ_SCORES ZQ_SIM RUNTIME_TREE COPY [ZQ_SIM ARGUMENTS...]
set -u
scores=$1 sim=$2 tree=$3 copy=$4
shift 4

rm -rf "$copy" && cp -r "$tree" "$copy" || exit 1
"$scores" --port 0 --db "$copy/scores.db" --submissions-per-minute 0 >"$copy/scores.log" 2>&1 &
service=$!

. "$(dirname "$0")/../support/scores_address.sh"
url=$(scores_address "$service" "$copy/scores.log")
if [ -z "$url" ]; then
  echo "soak: zq-scores did not start:" >&2
  cat "$copy/scores.log" >&2
  kill "$service" 2>/dev/null
  exit 1
fi

status=0
ZQ_SCORE_SERVER=$url "$sim" --dir "$copy" "$@" || status=$?

kill "$service"
if ! wait "$service"; then
  echo "soak: zq-scores did not stop cleanly:" >&2
  cat "$copy/scores.log" >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
