#!/bin/sh
# The Debian packages one `cpack` run makes in BUILD_DIR: the game's and
# zq-scores, each with its own files and the libraries its programs need, and
# the service's systemd unit accepted by systemd-analyze (when installed).
# Usage: deb_contents.sh BUILD_DIR
set -u
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

problems=0
problem() {
  echo "package: $*" >&2
  problems=$((problems + 1))
}

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || {
  cat "$work/cpack.log"
  exit 1
}
game=$(ls "$work"/zorbelline-quester_*.deb 2>/dev/null)
scores=$(ls "$work"/zq-scores_*.deb 2>/dev/null)
[ -f "$game" ] && [ -f "$scores" ] || {
  echo "package: expected zorbelline-quester_*.deb and zq-scores_*.deb, made:" >&2
  ls "$work" >&2
  exit 1
}

# Regular files only, as "MODE PATH".
files() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ { print $1, $6 }' | sort; }
field() { dpkg-deb -f "$1" "$2"; }

# zq-scores: exactly these files.
cat >"$work/scores.expected" <<'EOF'
-rw-r--r-- ./etc/default/zq-scores
-rw-r--r-- ./lib/systemd/system/zq-scores.service
-rw-r--r-- ./usr/share/doc/zq-scores/examples/nginx-zq-scores.conf
-rwxr-xr-x ./usr/bin/zq-scores
-rwxr-xr-x ./usr/bin/zq-scores-load
EOF
files "$scores" >"$work/scores.files"
sort "$work/scores.expected" | diff -u - "$work/scores.files" >&2 ||
  problem "zq-scores does not hold exactly the service's files"
depends=$(field "$scores" Depends)
for lib in libc6 libstdc++6 libmicrohttpd12 libpq5 libsqlite3-0; do
  case ", $depends" in
    *", $lib"*) ;;
    *) problem "zq-scores does not depend on $lib: $depends" ;;
  esac
done
case "$depends" in
  *libsdl2*) problem "zq-scores depends on the game's libraries: $depends" ;;
esac
[ "$(field "$scores" Section)" = net ] || problem "zq-scores is not in section net"
dpkg-deb --ctrl-tarfile "$scores" | tar -x -C "$work" ./conffiles ./postinst ./prerm ./postrm ||
  problem "zq-scores lacks maintainer scripts"
grep -qx /etc/default/zq-scores "$work/conffiles" || problem "/etc/default/zq-scores is no conffile"
for script in postinst prerm postrm; do
  [ -x "$work/$script" ] && sh -n "$work/$script" || problem "$script is not an executable script"
done

# The game: its own files and libraries, nothing of the service's.
files "$game" >"$work/game.files"
for file in ./usr/bin/zorbelline-quester ./usr/libexec/zorbelline-quester/zorbelline-quester \
  ./usr/share/applications/example.zorbelline_games.ZorbellineQuester.desktop; do
  grep -q " $file\$" "$work/game.files" || problem "the game lacks $file"
done
grep -q 'zq-scores' "$work/game.files" && problem "the game holds the service's files"
grep -q -e ' ./etc/' -e ' ./lib/' "$work/game.files" && problem "the game installs outside /usr"
depends=$(field "$game" Depends)
case "$depends" in
  *libsdl2-2.0-0*) ;;
  *) problem "the game does not depend on SDL: $depends" ;;
esac
case "$depends" in
  *libmicrohttpd* | *libpq*) problem "the game depends on the service's libraries: $depends" ;;
esac
[ "$(field "$game" Recommends)" = xdg-utils ] || problem "the game does not recommend xdg-utils"
[ "$(field "$scores" Recommends)" = "" ] || problem "zq-scores recommends the game's xdg-utils"

# The unit as systemd reads it, against the package's own files, the system's
# targets and shell; any remark (an unknown key, a bad value) is a fault.
if command -v systemd-analyze >/dev/null; then
  root="$work/root"
  mkdir -p "$root/lib/systemd"
  cp -r /lib/systemd/system "$root/lib/systemd/"
  dpkg-deb -x "$scores" "$root"
  # The programs the unit runs besides its own, as every system has them.
  mkdir -p "$root/bin"
  cp -L /bin/sh "$root/bin/sh"
  systemd-analyze verify --root="$root" --man=no zq-scores.service >"$work/verify.log" 2>&1 &&
    [ ! -s "$work/verify.log" ] || {
    cat "$work/verify.log" >&2
    problem "systemd-analyze verify finds fault with zq-scores.service"
  }
else
  echo "systemd-analyze is not installed: the unit was not verified (package systemd)"
fi

# The unit's key-making line, run as systemd would run it (with `$$` as `$`)
# on a state directory of the test's: the first start makes a 32-byte key
# only its owner reads, the next one keeps it.
state="$work/state"
mkdir "$state"
make_key=$(dpkg-deb --fsys-tarfile "$scores" | tar -xO ./lib/systemd/system/zq-scores.service |
  sed -n "s|^ExecStartPre=/bin/sh -c '\(.*\)'\$|\1|p" | sed -e 's/\$\$/$/g' -e "s|/var/lib/zq-scores|$state|g")
if [ -z "$make_key" ]; then
  problem "the unit has no ExecStartPre=/bin/sh -c '...' line that makes the token key"
else
  sh -c "$make_key" && first=$(od -An -tx1 "$state/token-secret" | tr -d ' \n') &&
    sh -c "$make_key" && again=$(od -An -tx1 "$state/token-secret" | tr -d ' \n') ||
    problem "the unit's key-making line failed"
  [ "$(stat -c '%s %a' "$state/token-secret" 2>/dev/null)" = "32 600" ] ||
    problem "the unit's token key is not 32 bytes of mode 600: $(ls -l "$state")"
  [ "${first:-}" = "${again:-}" ] || problem "a second start replaced the unit's token key"
  [ "$(ls "$state")" = token-secret ] || problem "the key-making line left: $(ls "$state")"
fi

[ "$problems" -eq 0 ] || exit 1
echo "packages: $(basename "$game"), $(basename "$scores"): ok"
