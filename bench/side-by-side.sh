#!/bin/sh
# Times `tessaro-cli encode` on four 20-second 720p clips, one job after
# another (--jobs 1) against two side by side (--jobs 2): the best of three
# runs of each, how much sooner the second finishes, and how busy the cores
# were, (user + system) / (wall x cores). One job's core use is the CPU
# seconds of --jobs 1 over its wall time.
#
#   bench/side-by-side.sh [BUILD_DIR]     (RUNS=3, JOBS="1 2" by default)
set -eu
build=${1:-build}
cli=$(cd "$build/bin" && pwd)/tessaro-cli
runs=${RUNS:-3}
jobs_list=${JOBS:-"1 2"}
cores=$(nproc)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for i in 1 2 3 4; do
  ffmpeg -nostdin -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc=size=1280x720:rate=25:duration=20" \
    -f lavfi -i "sine=frequency=440:duration=20" \
    -c:v mpeg4 -vtag XVID -q:v 5 -c:a ac3 -b:a 192k -shortest -f matroska "$work/clip$i.mkv"
done

# Prints "wall cpu" of one run.
run_once() {
  rm -rf "$work/out"
  mkdir "$work/out"
  /usr/bin/time -f '%e %U %S' -o "$work/time" \
    "$cli" encode --jobs "$1" --output "$work/out" "$work"/clip*.mkv >/dev/null 2>&1
  awk '{ printf "%s %.2f\n", $1, $2 + $3 }' "$work/time"
}

# Prints "wall cpu" of the quickest of $runs runs.
best_of() {
  best=""
  i=0
  while [ "$i" -lt "$runs" ]; do
    result=$(run_once "$1")
    best=$(printf '%s\n%s\n' "$best" "$result" | awk 'NF' | sort -n | head -n 1)
    i=$((i + 1))
  done
  echo "$best"
}

echo "cores: $cores, runs per setting: $runs"
for jobs in $jobs_list; do
  set -- $(best_of "$jobs")
  echo "--jobs $jobs: wall $1 s, cpu $2 s, cores busy $(awk -v w="$1" -v c="$2" -v n="$cores" \
    'BEGIN { printf "%.0f %%", 100 * c / (w * n) }'), one process tree keeps $(awk -v w="$1" \
    -v c="$2" 'BEGIN { printf "%.2f", c / w }') cores busy"
  eval "wall_$jobs=$1"
done
if [ -n "${wall_1:-}" ] && [ -n "${wall_2:-}" ]; then
  awk -v a="$wall_1" -v b="$wall_2" 'BEGIN { printf "--jobs 2 finishes %.2fx sooner\n", a / b }'
fi
