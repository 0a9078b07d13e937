#!/usr/bin/env bash
# ./run.sh without files or a display, as a new user meets it: the bundled
# sample converts with every file taken and no warning.
# Usage: SOURCE_DIR BUILD_DIR WORK_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

env -u DISPLAY -u WAYLAND_DISPLAY BUILD_DIR="$build_dir" TESSARO_OUTPUT="$work/out" TEMP="$work" \
  "$source_dir/run.sh" >"$work/run.out" 2>"$work/run.err" ||
  { cat "$work/run.out" "$work/run.err" >&2; fail "run.sh failed"; }
[[ ! -s "$work/run.err" ]] || { cat "$work/run.err" >&2; fail "run.sh warned"; }
grep -q '^Completed$' "$work/run.out" || fail "the run did not complete"
for file in b_XviD.avi clip.avi clip.srt; do
  [[ -s "$work/out/$file" ]] || fail "no $file in the output"
done
rm -rf "$work"
echo "the sample converts without a warning"
