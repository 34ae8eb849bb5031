#!/usr/bin/env bash
# Plays every stored recording of tests/golden/recordings through the zq-sim of
# each build directory given, and fails unless each one reaches its recorded
# result with no differing digest: the same games must end the same in every
# build (compiler, optimisation, sanitizers).
# Usage: verify_recordings.sh RUNTIME_DIR BUILD_DIR...
set -euo pipefail
runtime="$1"
shift
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp -r "$runtime/data" "$runtime/sound" "$scratch/"
rm -f "$scratch"/data/settings.dat "$scratch"/data/records.dat "$scratch"/data/boss.dat
failed=0
for build in "$@"; do
  sim="$build/tools/sim/zq-sim"
  [ -x "$sim" ] || { echo "verify_recordings: no zq-sim in $build" >&2; failed=1; continue; }
  for recording in "$here"/recordings/*.zqr; do
    if line="$(SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 "$sim" --dir "$scratch" --replay "$recording" --verify)"; then
      echo "$(basename "$build") $(basename "$recording"): $line"
    else
      echo "verify_recordings: $(basename "$build") $(basename "$recording") not reached: $line" >&2
      failed=1
    fi
  done
done
exit "$failed"
