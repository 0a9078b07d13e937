#!/usr/bin/env bash
# Makes the probe test corpus in OUTDIR: one-second clips of the container and
# codec kinds the players meet, frames of the sizes that matter, a file the media
# library cannot read, and subtitle files in every text encoding. Files already
# present are kept, so a second run is quick.
set -euo pipefail
[[ $# -eq 1 ]] || { echo "usage: $0 OUTDIR" >&2; exit 2; }
out=$1
mkdir -p "$out"
# shellcheck source=scripts/media-generators.sh
source "$(dirname "$0")/media-generators.sh"

small=320x240
xvid_avi "$out/xvid.avi"
clip "$out/divx.avi" "$small" "-c:v mpeg4 -vtag DIVX -q:v 5" "$mp3_audio" avi
clip "$out/dx50.avi" "$small" "-c:v mpeg4 -vtag DX50 -q:v 5" "$mp3_audio" avi
clip "$out/div3.avi" "$small" "-c:v msmpeg4 -vtag DIV3 -q:v 5" "$mp3_audio" avi
clip "$out/fmp4.avi" "$small" "-c:v mpeg4 -vtag FMP4 -q:v 5" "$mp3_audio" avi
clip "$out/mjpeg.avi" "$small" "-c:v mjpeg -q:v 5 -pix_fmt yuvj420p" "-c:a pcm_s16le -ac 1" avi
clip "$out/adpcm.avi" "$small" "$xvid_video" "-c:a adpcm_ima_wav -ac 1" avi
road_example_mkv "$out/b.mkv"
clip "$out/mpeg4.mp4" "$small" "-c:v mpeg4 -q:v 5" "-c:a aac -b:a 64k -ac 1" mp4
clip "$out/mpeg1.mpg" "$small" "-c:v mpeg1video -b:v 800k" "-c:a mp2 -b:a 64k" mpeg
clip "$out/transport.ts" "$small" "-c:v mpeg2video -b:v 800k" "-c:a mp2 -b:a 64k" mpegts
clip "$out/dvd.vob" 720x576 "-c:v mpeg2video -b:v 2000k -g 12" "-c:a ac3 -b:a 96k" dvd
clip "$out/sorenson.flv" "$small" "-c:v flv1 -q:v 5" "$mp3_audio -ar 44100" flv
clip "$out/windows.wmv" "$small" "-c:v wmv2 -q:v 5" "-c:a wmav2 -b:a 64k" asf
clip "$out/mobile.3gp" 176x144 "-c:v h263 -q:v 5" "-c:a aac -b:a 32k -ac 1 -ar 22050" 3gp
clip "$out/real.rm" "$small" "-c:v rv20 -q:v 5" "-c:a ac3 -b:a 96k" rm
clip "$out/hd720.avi" 1280x720 "$xvid_video" "$mp3_audio" avi
clip "$out/full1080.avi" 1920x1080 "$xvid_video" "$mp3_audio" avi
clip "$out/tall.avi" 640x720 "$xvid_video" "$mp3_audio" avi
clip "$out/silent.avi" "$small" "$xvid_video" "" avi
clip "$out/café ü.avi" "$small" "$xvid_video" "$mp3_audio" avi

write_not_media() { printf 'RIFF is what this file is not; it only carries an .avi name.\n' >"$1"; }
produce "$out/not-media.avi" write_not_media

for encoding in utf16le utf16be utf8bom utf8 ansi; do
  text_file "$out/subrip-$encoding.srt" "$encoding" "$subrip_text"
  text_file "$out/sami-$encoding.smi" "$encoding" "$sami_text"
  text_file "$out/plain-$encoding.txt" "$encoding" "$plain_text"
done
