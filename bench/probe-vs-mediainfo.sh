#!/usr/bin/env bash
# Times `tessaro-cli probe` over the corpus videos against the `mediainfo`
# command reading the same values, given all files in one process, and run
# once per file: wall and CPU (user + system) time. The three run in turn,
# ROUNDS times; the ratios against one mediainfo process are taken round by
# round, so that a change in the machine's load hits both sides of each, and
# their medians are printed. Usage: bench/probe-vs-mediainfo.sh [BUILD_DIR]
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
rounds=${ROUNDS:-11}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
template=$work/template.txt
printf 'Video;%%Format%%|%%CodecID%%|%%Width%%|%%Height%%|%%BitRate%%|\nAudio;%%Format%%\n' >"$template"
inform=--Inform=file://$template

# Prints "wall cpu" in seconds of one run of the command, its output dropped.
timed() {
  local TIMEFORMAT='%3R %3U %3S'
  { time "$@" >/dev/null; } 2>"$work/time"
  awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' "$work/time"
}
median() { sort -g | sed -n "$(((rounds + 1) / 2))p"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", a / (b > 0 ? b : 0.001) }'; }

: >"$work/rows"
for ((r = 0; r < rounds; r++)); do
  read -r probe_wall probe_cpu < <(timed "$cli" probe "${files[@]}")
  read -r once_wall once_cpu < <(timed mediainfo "$inform" "${files[@]}")
  read -r each_wall each_cpu < <(timed bash -c 'for f; do mediainfo "$0" "$f"; done' "$inform" "${files[@]}")
  echo "$probe_wall $probe_cpu $once_wall $once_cpu $each_wall $each_cpu" \
    "$(ratio "$probe_wall" "$once_wall") $(ratio "$probe_cpu" "$once_cpu")" >>"$work/rows"
done
field() { cut -d' ' -f"$1" "$work/rows" | median; }

echo "${#files[@]} files, $rounds rounds, medians"
printf '%-34s %8s %8s\n' "" "wall s" "cpu s"
printf '%-34s %8s %8s\n' "tessaro-cli probe" "$(field 1)" "$(field 2)"
printf '%-34s %8s %8s\n' "mediainfo, one process" "$(field 3)" "$(field 4)"
printf '%-34s %8s %8s\n' "mediainfo, one process per file" "$(field 5)" "$(field 6)"
echo "tessaro-cli probe / one mediainfo process, round by round: wall $(field 7), cpu $(field 8)"
