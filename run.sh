#!/usr/bin/env bash
# Installs what is missing, builds the programs, and runs the converter on FILES, or on the
# bundled sample when none are given. With a display the window opens with the
# files listed; without one the batch front end probes them, prints the job rows
# and the conversion script, and converts them into an output folder. The sample
# is converted for "Serial 2: HK-TILE & HK-BEAM", which takes its subtitle too.
set -euo pipefail
cd "$(dirname "$0")"
# Only what the program needs, quietly: the build's output is kept in a log
# that is shown when the build fails.
mkdir -p "${BUILD_DIR:-build}"
BOOTSTRAP_TARGETS=programs \
  BOOTSTRAP_LOG="${BUILD_DIR:-build}/run-build.log" scripts/bootstrap.sh
bin=${BUILD_DIR:-build}/bin

files=("$@")
device=()
if ((${#files[@]} == 0)); then
  device=(--device 1)
  sample_dir=${BUILD_DIR:-build}/sample
  scripts/make-samples.sh "$sample_dir"
  mapfile -t files < <(find "$sample_dir" -maxdepth 1 -type f | sort)
fi

if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" && -x "$bin/tessaro" ]]; then
  exec "$bin/tessaro" "${files[@]}"
fi

output=${TESSARO_OUTPUT:-${BUILD_DIR:-build}/sample-output}
mkdir -p "$output"
output=$(realpath "$output")
echo "== Job rows (file, video format, codec, width, height, audio format, support, decision, bit rate, why)"
"$bin/tessaro-cli" probe --explain "${device[@]}" "${files[@]}"
echo
echo "== Conversion script"
"$bin/tessaro-cli" script --output "$output" "${device[@]}" "${files[@]}"
echo
echo "== Converting into $output"
"$bin/tessaro-cli" encode --output "$output" "${device[@]}" "${files[@]}"
echo
echo "Results are in $output:"
ls -l "$output"
