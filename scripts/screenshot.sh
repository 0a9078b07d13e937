#!/usr/bin/env bash
# Saves pictures of the window for the README into OUTDIR (default
# docs/screenshots): the job list with the bundled sample and the reason of
# the first file as its Support cell's tip, the details pane open on the first
# file, the window in Japanese, and a run going on with its progress; then the
# update question with a long release note and the download wizard, in English
# and German. Runs on a private Xvfb display with a throw-away user folder, so
# the real settings stay untouched and the pictures show no folder of this machine.
set -euo pipefail
cd "$(dirname "$0")/.."

# The videos lie where a user keeps them, /home/user/Videos: a home made on a
# private /home in a mount namespace of this user's own, so this machine's
# /home is neither touched nor shown. The inner namespace gives the user back
# their own id.
if [[ -z "${TESSARO_SHOT_HOME:-}" ]]; then
  exec unshare --user --map-root-user --mount --propagation private bash -c '
    mount -t tmpfs tmpfs /home && mkdir -p /home/user/Videos/Player &&
      exec unshare --user --map-user="$1" --map-group="$2" \
        env TESSARO_SHOT_HOME=/home/user "${@:3}"' _ "$(id -u)" "$(id -g)" "$PWD/scripts/screenshot.sh" "$@"
fi
home=$TESSARO_SHOT_HOME
out=${1:-docs/screenshots}
build=${BUILD_DIR:-build}
program=$build/bin/tessaro
gallery=$build/tests/renovator_dialog_gallery
for tool in Xvfb xdotool ffmpeg; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing (scripts/bootstrap.sh installs it)" >&2; exit 1; }
done
for built in "$program" "$gallery"; do
  [[ -x "$built" ]] || { echo "$0: $built is not built" >&2; exit 1; }
done
mkdir -p "$out"

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [[ -n "$program_pid" ]] && kill "$program_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

sample=$home/Videos
scripts/make-samples.sh "$sample"
mapfile -t files < <(find "$sample" -maxdepth 1 -type f | sort)

# Xvfb picks a free display and writes its number to the pipe.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 display_number <&"$display_fd"
export DISPLAY=":$display_number"

# A clip long enough that a run is still going when the picture is taken.
long_clip=$sample/road.mkv
ffmpeg -nostdin -loglevel error -y -f lavfi -i testsrc=size=640x360:rate=25:duration=300 \
  -f lavfi -i sine=frequency=440:duration=300 -c:v mpeg4 -q:v 5 -c:a ac3 -shortest "$long_clip"

# shoot NAME LANGUAGE_INDEX FILE_DETAILS [encode|options]
shoot() {
  local name=$1 language=$2 details=$3 action=${4:-}
  local encode=""
  [[ $action == encode ]] && encode=1
  local user=$work/$name
  mkdir -p "$user"/{config,data,temp,registry,runtime}
  chmod 700 "$user/runtime"
  printf '[Config]\nOutputFolder=%s\nFileDetails=%s\nLanguageValue=%s\n' \
    "$sample/Player" "$details" "$language" >"$user/config/Clipwarp_profiles.ini"
  HOME=$home XDG_CONFIG_HOME=$user/config XDG_DATA_HOME=$user/data \
    XDG_RUNTIME_DIR=$user/runtime TEMP=$user/temp APPDATA=$user/config \
    TESSARO_REGISTRY_DIR=$user/registry QT_QPA_PLATFORM=xcb \
    "$program" "${files[@]}" ${encode:+"$long_clip"} >/dev/null 2>&1 &
  program_pid=$!
  local window
  window=$(xdotool search --sync --onlyvisible --name '^Tessaro$' | head -n 1)
  sleep 2  # the files are probed after the window appears
  local X Y WIDTH HEIGHT SCREEN
  if [[ -n "$encode" ]]; then
    # "Encode", then the picture while the last file converts.
    xdotool mousemove --window "$window" 314 491 click 1
    sleep 4
  elif [[ $action == options ]]; then
    # The Options page, with the version beside the update check.
    xdotool mousemove --window "$window" 80 12 click 1 mousemove 0 0
    sleep 1
  elif [[ "$details" == 1 ]]; then
    xdotool mousemove --window "$window" 60 62 click 1 key Home
    sleep 1
  else
    # At the screen's right edge the tip is pushed back over the window.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool windowmove "$window" $((1280 - WIDTH)) "$Y"
    sleep 0.5
    # Tips show only in the active window: a click on the empty list makes it so.
    xdotool mousemove --window "$window" 300 250 click 1
    xdotool mousemove --window "$window" 495 53 sleep 0.2 mousemove --window "$window" 500 53
    sleep 2
  fi
  capture_and_close "$name" "$window"
}

# capture_and_close NAME WINDOW: a picture of the window, then the program ends.
capture_and_close() {
  local name=$1 window=$2 X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$window")"
  ffmpeg -nostdin -loglevel error -y -f x11grab -video_size "${WIDTH}x${HEIGHT}" \
    -i "$DISPLAY+$X,$Y" -frames:v 1 "$out/$name.png"
  kill "$program_pid"
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
  echo "$out/$name.png"
}

# shoot_dialog NAME PAGE LOCALE: the gallery's update dialog in that language.
shoot_dialog() {
  local name=$1 page=$2 locale=$3
  LANG=$locale LC_ALL=$locale QT_QPA_PLATFORM=xcb "$gallery" "$page" >/dev/null 2>&1 &
  program_pid=$!
  local window
  window=$(xdotool search --sync --onlyvisible --pid "$program_pid" | tail -n 1)
  xdotool mousemove 0 0
  sleep 1
  capture_and_close "$name" "$window"
}

shoot files 0 0
shoot details 0 1
shoot japanese 1 1
shoot progress 0 0 encode
shoot options 0 0 options
shoot_dialog update-question question C.UTF-8
shoot_dialog update-wizard wizard C.UTF-8
shoot_dialog update-question-de question de_DE.UTF-8
shoot_dialog update-wizard-de wizard de_DE.UTF-8
