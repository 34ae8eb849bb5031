#!/bin/sh
# Runs a fuzz target on a scratch copy of its seed corpus, so the checkout is
# never written. Crashing inputs are kept in ARTIFACTS.
# Usage: run_fuzz.sh TARGET CORPUS ARTIFACTS [libFuzzer options...]
set -eu
target=$1
corpus=$2
artifacts=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -R "$corpus/." "$work/"
mkdir -p "$artifacts"
"$target" -artifact_prefix="$artifacts/" "$@" "$work"
