# Sourced by the test scripts that start a zq-scores of their own.
# scores_address PID LOG: the address the service with process PID printed in
# LOG once it listened ("http://127.0.0.1:PORT"); nothing when it ended or
# said nothing within 60 s.
scores_address() {
  _tries=0
  _url=
  while [ -z "$_url" ] && [ "$_tries" -lt 600 ] && kill -0 "$1" 2>/dev/null; do
    sleep 0.1
    _tries=$((_tries + 1))
    _url=$(sed -n 's/^zq-scores listening on \(http:[^ ]*\) .*/\1/p' "$2")
  done
  printf '%s' "$_url"
}
