#!/usr/bin/env bash
# How many cores one conversion job keeps busy, per frame size of its source:
# (user + system CPU time) / wall time of `tessaro-cli encode` converting one
# generated clip (H.264 with AC-3 in Matroska, which every player family
# re-encodes: XviD, scaled to the player's frame when larger, MP3), repeated.
# Other load on the machine stretches the wall time and lowers the figures:
# run it on an otherwise idle machine and read the highest of the rounds.
# Usage: bench/job-core-use.sh [BUILD_DIR]
#   ROUNDS (3), CLIP_SECONDS (10), SIZES ("320x240 640x480 1280x720 1920x1080"),
#   DEVICE (0) change what is measured.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/bin/tessaro-cli
[[ -x "$cli" ]] || { echo "no $cli: build the tessaro-cli target first" >&2; exit 1; }
command -v ffmpeg >/dev/null || { echo "ffmpeg is needed to make the clips" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "/usr/bin/time (package time) is needed" >&2; exit 1; }
rounds=${ROUNDS:-3}
clip_seconds=${CLIP_SECONDS:-10}
read -r -a sizes <<<"${SIZES:-320x240 640x480 1280x720 1920x1080}"
device=${DEVICE:-0}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_clip() {
  local size=$1 target=$2
  ffmpeg -nostdin -hide_banner -loglevel error -y \
    -f lavfi -i "testsrc2=size=$size:rate=25:duration=$clip_seconds" \
    -f lavfi -i "sine=frequency=440:duration=$clip_seconds:sample_rate=48000" \
    -c:v libx264 -preset veryfast -crf 23 -c:a ac3 -b:a 192k -shortest "$target"
}

# Prints "cpu wall" in seconds for one conversion of the clip.
convert_once() {
  local clip=$1 out=$work/out
  rm -rf "$out" && mkdir -p "$out"
  /usr/bin/time -f '%U %S %e' -o "$work/time" \
    "$cli" encode --device "$device" --output "$out" "$clip" >/dev/null 2>"$work/log" ||
    { cat "$work/log" >&2; echo "conversion of $clip failed" >&2; exit 1; }
  awk '{ printf "%.2f %.2f\n", $1 + $2, $3 }' "$work/time"
}

echo "cores: $(nproc); load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
median() { sort -n | sed -n "$(((rounds + 1) / 2))p"; }

printf '%-10s %-28s %-8s %-8s %s\n' "frame" "core use of each round" "highest" "median" "wall s"
for size in "${sizes[@]}"; do
  clip=$work/clip-$size.mkv
  make_clip "$size" "$clip"
  uses=() walls=()
  for ((r = 0; r < rounds; r++)); do
    read -r cpu wall < <(convert_once "$clip")
    uses+=("$(awk -v c="$cpu" -v w="$wall" 'BEGIN { printf "%.2f", c / w }')")
    walls+=("$wall")
  done
  highest=$(printf '%s\n' "${uses[@]}" | sort -n | tail -n 1)
  printf '%-10s %-28s %-8s %-8s %s\n' "$size" "${uses[*]}" "$highest" \
    "$(printf '%s\n' "${uses[@]}" | median)" "$(printf '%s\n' "${walls[@]}" | median)"
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
