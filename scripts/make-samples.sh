#!/usr/bin/env bash
# Makes the bundled sample in OUTDIR: the road example (a 1280 x 720 XviD
# Matroska file with AC-3 audio), a playable XviD AVI and a UTF-8 subtitle.
# Files already present are kept.
set -euo pipefail
[[ $# -eq 1 ]] || { echo "usage: $0 OUTDIR" >&2; exit 2; }
out=$1
mkdir -p "$out"
# shellcheck source=scripts/media-generators.sh
source "$(dirname "$0")/media-generators.sh"

road_example_mkv "$out/b.mkv"
xvid_avi "$out/clip.avi"
text_file "$out/clip.srt" utf8 "$subrip_text"
