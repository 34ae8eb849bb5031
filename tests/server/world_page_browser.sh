#!/bin/sh
# The world page in a real browser: a zq-scores of its own on 127.0.0.1 gets
# 140 games through the game's own two requests, then headless Chromium loads
# the page (as a desktop and, filtered by country, as a phone), and the rows it
# rendered are checked. The screenshots stay in OUT for a person to look at.
#
# usage: world_page_browser.sh ZQ_SCORES OUT
set -u
scores=$1 out=$2
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "world page: chromium is not installed (./test installs it)" >&2
  exit 1
fi
rm -rf "$out" && mkdir -p "$out" || exit 1
"$scores" --port 0 --db "$out/scores.db" --version-requests-per-minute 0 >"$out/scores.log" 2>&1 &
service=$!
trap 'kill $service 2>/dev/null; wait $service 2>/dev/null' EXIT
. "$(dirname "$0")/../support/scores_address.sh"
url=$(scores_address "$service" "$out/scores.log")
[ -n "$url" ] || { echo "world page: zq-scores did not start" >&2; cat "$out/scores.log" >&2; exit 1; }

# 140 games: the version request, then the record encoded as the game does.
python3 - "$url" <<'PY' || exit 1
import random, sys, urllib.request
url = sys.argv[1]
letters = "ABCDEFGHJKLMNPQRSTUVWXY123456789"
def encode(text):
    text += "0" * (-len(text) % 5)
    bits = "".join(format(b, "08b") for b in text.encode())
    bits = "0" * (-len(bits) % 5) + bits
    return "".join(letters[int(bits[i:i + 5], 2)] for i in range(0, len(bits), 5))
random.seed(3)
names = ["Zed", "Ann", "Orbit", "Luna", "Kosmo", "Tess", "Rocket", "Nova", "Quill", "Bo"]
for i in range(140):
    reply = urllib.request.urlopen(url + "/cgi/version.pl?version&prg=ZorbellineQuester").read().decode()
    token = reply.split("|")[4]
    record = "type=0|name=%s|score=%d|key=X|p=%s|add=%s|z=" % (
        random.choice(names), 1000 - i * 5, token, ["Mars", "Venus", "Earth"][i % 3])
    answer = urllib.request.urlopen(
        url + "/cgi/version.pl?hs&prg=ZorbellineQuester&inf=" + encode(record)).read()
    assert answer == b"OK", answer
PY

run_browser() {  # SIZE FILE URL: a screenshot, and the page as rendered on stdout
  "$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$out/profile" \
    --window-size="$1" --screenshot="$2" "$3" >/dev/null 2>&1 &&
    "$browser" --headless --no-sandbox --disable-gpu --user-data-dir="$out/profile" \
      --dump-dom "$3" 2>/dev/null
}
status=0
check() {  # WHAT EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    echo "world page: $1: expected $2, got $3" >&2
    status=1
  fi
}
desktop=$(run_browser 1280,900 "$out/desktop.png" "$url/")
check "rows on the first page" 100 "$(printf '%s' "$desktop" | grep -c '<td class="n">[0-9]*</td><td class="name">')"
check "first row" 1 "$(printf '%s' "$desktop" | grep -c '<td class="n">1</td><td class="name">[^<]*</td><td>Mars</td><td class="n s">1000</td>')"
check "link to the next page" 1 "$(printf '%s' "$desktop" | grep -c 'href="/?page=2"')"
phone=$(run_browser 390,844 "$out/phone.png" "$url/?country=Venus")
check "Venus rows" 47 "$(printf '%s' "$phone" | grep -c '<td>Venus</td>')"
check "first Venus rank" 1 "$(printf '%s' "$phone" | grep -c '<td class="n">2</td><td class="name">')"
[ -s "$out/desktop.png" ] && [ -s "$out/phone.png" ] || { echo "world page: no screenshot" >&2; status=1; }
[ "$status" -eq 0 ] && echo "world page: screenshots in $out"
exit "$status"
