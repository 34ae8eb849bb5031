#!/bin/sh
# The long fuzzing campaign: every target in turn (one process, one core), each
# until RUNS executions or SECONDS have passed, on a corpus in OUT/<name>/ that
# starts from the seeds and keeps what the run found. Logs go to OUT/<name>.log,
# crashing inputs to OUT/artifacts/<name>-*.
# Usage: campaign.sh BUILD_DIR OUT RUNS SECONDS [NAME...]
#   e.g. tests/fuzz/campaign.sh build/fuzz /dev/shm/zq-campaign 10000000 3600 png dds
set -u
build=$1
out=$2
runs=$3
seconds=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)
names=${*:-score_record version_reply sim_script dds png font texture_pack persistent_files}

# Longest input per target: room for every structure the reader knows (several
# chunks, entries or lines), well above the seeds, small enough to stay fast.
max_len() {
  case $1 in
    png | font | texture_pack) echo 8192 ;;
    dds) echo 4096 ;;
    sim_script | score_record) echo 1024 ;;
    persistent_files) echo 512 ;;
    version_reply) echo 256 ;;
  esac
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
mkdir -p "$out/artifacts"
for name in $names; do
  mkdir -p "$out/$name"
  cp -R "$here/corpus/$name/." "$out/$name/"
  dict=
  if [ -f "$here/$name.dict" ]; then dict="-dict=$here/$name.dict"; fi
  "$build/tests/fuzz/${name}_fuzz" -runs="$runs" -max_total_time="$seconds" \
    -max_len="$(max_len "$name")" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/artifacts/$name-" $dict "$out/$name" >"$out/$name.log" 2>&1
  echo "$name: exit $? $(grep -E '^#[0-9]+[[:space:]]+DONE' "$out/$name.log" | tail -1)"
done
