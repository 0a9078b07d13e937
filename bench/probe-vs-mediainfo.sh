#!/usr/bin/env bash
# Times `tessaro-cli probe` over the corpus against the `mediainfo` command run
# once per file, reading the same values. Usage: bench/probe-vs-mediainfo.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/bin/tessaro-cli
corpus=$build/corpus
[[ -x "$cli" ]] || { echo "no $cli: build the tessaro-cli target first" >&2; exit 1; }
scripts/make-corpus.sh "$corpus"
mapfile -t files < <(find "$corpus" -maxdepth 1 -type f \( -name '*.avi' -o -name '*.mkv' -o -name '*.mp4' \
  -o -name '*.mpg' -o -name '*.ts' -o -name '*.vob' -o -name '*.flv' -o -name '*.wmv' -o -name '*.3gp' \
  -o -name '*.rm' \) ! -name '.*' | sort)
rounds=${ROUNDS:-5}
template=$(mktemp)
trap 'rm -f "$template"' EXIT
printf 'Video;%%Format%%|%%CodecID%%|%%Width%%|%%Height%%|%%BitRate%%|\nAudio;%%Format%%\n' >"$template"

milliseconds() { echo $(($(date +%s%N) / 1000000)); }

start=$(milliseconds)
for ((r = 0; r < rounds; r++)); do "$cli" probe "${files[@]}" >/dev/null; done
cli_ms=$(($(milliseconds) - start))

start=$(milliseconds)
for ((r = 0; r < rounds; r++)); do
  for f in "${files[@]}"; do
    mediainfo --Inform="file://$template" "$f" >/dev/null
  done
done
mediainfo_ms=$(($(milliseconds) - start))

count=$((${#files[@]} * rounds))
echo "files probed: $count (${#files[@]} files x $rounds rounds)"
echo "tessaro-cli probe: ${cli_ms} ms ($((count * 1000 / (cli_ms > 0 ? cli_ms : 1))) files/s)"
echo "mediainfo per file: ${mediainfo_ms} ms ($((count * 1000 / (mediainfo_ms > 0 ? mediainfo_ms : 1))) files/s)"
