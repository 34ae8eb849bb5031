#!/bin/sh
# The Debian package end to end, for a throw-away Debian 12 machine: builds the
# .deb with CPack in BUILD_DIR, installs it with apt, and starts the game from
# the desktop entry's Exec line as a normal user under Xvfb, twice. The first
# start makes the player's directory with the settings and high-score table;
# the second start finds the table the player has (edited between the starts)
# and leaves it as it is. It installs a package and adds a user, so it runs
# only as root with ZQ_PACKAGE_E2E=1 and is skipped (exit 77) otherwise.
# Usage: deb_end_to_end.sh BUILD_DIR
set -eu
build="$1"
if [ "$(id -u)" -ne 0 ] || [ "${ZQ_PACKAGE_E2E:-}" != 1 ]; then
  echo "skipped: needs root and ZQ_PACKAGE_E2E=1 (it installs the package and adds a user)"
  exit 77
fi

app=example.zorbelline_games.ZorbellineQuester
player=zqplayer
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/zorbelline-quester_*.deb)
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
id "$player" >/dev/null 2>&1 || useradd -m "$player"
home=$(getent passwd "$player" | cut -d: -f6)
dir="$home/.local/share/zorbelline-quester"
rm -rf "$dir"

exec_line=$(sed -n 's/^Exec=//p' "/usr/share/applications/$app.desktop")
[ -n "$exec_line" ] || { echo "no Exec line"; exit 1; }

# Starts the game as the player under Xvfb and stops it once its window is up.
start_as_player() {
  su "$player" -s /bin/sh -c "
    cd /
    export SDL_AUDIODRIVER=dummy
    xvfb-run -a -s '-screen 0 1280x720x24' sh -c '
      $exec_line & game=\$!
      shown=no
      for i in \$(seq 100); do
        xdotool search --name \"^Zorbelline Quester\$\" >/dev/null 2>&1 && { shown=yes; break; }
        sleep 0.2
      done
      sleep 2
      kill -TERM \$game
      wait \$game
      [ \$shown = yes ] || { echo no game window; exit 1; }'
  "
}

start_as_player
for own in settings.dat records.dat; do
  [ -f "$dir/data/$own" ] && [ ! -L "$dir/data/$own" ] || { echo "no $own of the player's"; exit 1; }
  [ "$(stat -c %U "$dir/data/$own")" = "$player" ] || { echo "$own is not the player's"; exit 1; }
done
[ ! -e /usr/share/zorbelline-quester/data/records.dat ] || { echo "wrote into the install"; exit 1; }

# The player's table now has a best entry of their own.
su "$player" -s /bin/sh -c "perl -pi -e 's/Anonymous/Zorbeller/' '$dir/data/records.dat'"
before=$(cksum <"$dir/data/records.dat")
start_as_player
[ "$(cksum <"$dir/data/records.dat")" = "$before" ] || { echo "the table was replaced"; exit 1; }
grep -q Zorbeller "$dir/data/records.dat"
echo "package end to end: ok"
