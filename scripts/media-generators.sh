# shellcheck shell=bash
# Generators of small media and subtitle files, sourced by make-corpus.sh and
# make-samples.sh. Each writes its file only when it is missing, through a
# temporary name, so an interrupted run never leaves a broken file behind.

ffmpeg_quiet=(ffmpeg -nostdin -hide_banner -loglevel error -y)

# usage: produce OUT WRITER ARGS...
# Runs WRITER ARGS... TARGET with a temporary TARGET beside OUT, then moves it into place.
produce() {
  local out=$1
  shift
  [[ -s "$out" ]] && return 0
  local partial
  partial="$(dirname "$out")/.partial-$$-$(basename "$out")"
  if ! "$@" "$partial"; then
    rm -f "$partial"
    echo "could not make $out" >&2
    return 1
  fi
  mv -f "$partial" "$out"
}

# One second of test picture and tone; empty AUDIO options give a silent file.
encode_clip() {
  local size=$1 video=$2 audio=$3 format=$4 target=$5
  local inputs=(-f lavfi -i "testsrc=size=$size:rate=25:duration=1")
  local audio_args=(-an) video_args
  if [[ -n "$audio" ]]; then
    inputs+=(-f lavfi -i "sine=frequency=440:duration=1:sample_rate=44100")
    read -r -a audio_args <<<"$audio"
  fi
  read -r -a video_args <<<"$video"
  "${ffmpeg_quiet[@]}" "${inputs[@]}" "${video_args[@]}" "${audio_args[@]}" -shortest -f "$format" "$target"
}

# usage: clip OUT SIZE "VIDEO OPTIONS" "AUDIO OPTIONS" FORMAT
clip() { produce "$1" encode_clip "$2" "$3" "$4" "$5"; }

xvid_video="-c:v mpeg4 -vtag XVID -q:v 5"
mp3_audio="-c:a libmp3lame -b:a 64k -ac 1"

# Files of the kinds a player meets most: used by the corpus and the sample.
road_example_mkv() { clip "$1" 1280x720 "-c:v mpeg4 -vtag XVID -q:v 8" "-c:a ac3 -b:a 96k" matroska; }
xvid_avi() { clip "$1" 320x240 "$xvid_video" "$mp3_audio" avi; }

# ENCODING: utf16le, utf16be (both with a byte-order mark), utf8bom, utf8, ansi (CP1252).
write_text() {
  local encoding=$1 text=$2 target=$3
  case "$encoding" in
    utf16le) { printf '\xff\xfe'; printf '%s' "$text" | iconv -f UTF-8 -t UTF-16LE; } >"$target" ;;
    utf16be) { printf '\xfe\xff'; printf '%s' "$text" | iconv -f UTF-8 -t UTF-16BE; } >"$target" ;;
    utf8bom) { printf '\xef\xbb\xbf'; printf '%s' "$text"; } >"$target" ;;
    utf8) printf '%s' "$text" >"$target" ;;
    ansi) printf '%s' "$text" | iconv -f UTF-8 -t CP1252 >"$target" ;;
    *) echo "unknown encoding $encoding" >&2; return 1 ;;
  esac
}

# usage: text_file OUT ENCODING TEXT
text_file() { produce "$1" write_text "$2" "$3"; }

# shellcheck disable=SC2034  # texts for the scripts that source this file
subrip_text=$'1\r\n00:00:00,000 --> 00:00:00,900\r\nCaf\u00e9 au lait, s\'il vous pla\u00eet.\r\n\r\n2\r\n00:00:01,000 --> 00:00:01,900\r\nGr\u00fc\u00dfe aus M\u00fcnchen!\r\n'
# shellcheck disable=SC2034
sami_text=$'<SAMI>\r\n<HEAD>\r\n<TITLE>Caf\u00e9</TITLE>\r\n<STYLE TYPE="text/css"><!--\r\nP { font-family: Arial; }\r\n.ENCC { Name: English; lang: en-US; }\r\n--></STYLE>\r\n</HEAD>\r\n<BODY>\r\n<SYNC Start=0><P Class=ENCC>Caf\u00e9 au lait</P></SYNC>\r\n<SYNC Start=1000><P Class=ENCC>Gr\u00fc\u00dfe</P></SYNC>\r\n</BODY>\r\n</SAMI>\r\n'
# shellcheck disable=SC2034
plain_text=$'Notes on the clip\r\nCaf\u00e9 au lait and cr\u00e8me br\u00fbl\u00e9e.\r\n'
