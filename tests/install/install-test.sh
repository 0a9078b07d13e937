#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses it from there, as a user
# would: the program folder and the links into it, the version, a probe and an
# encode of a generated clip with the installed tools, the desktop entry, the
# AppStream metadata and the man page.
# Usage: SOURCE_DIR BUILD_DIR WORK_DIR VERSION
set -euo pipefail
source_dir=$1
build_dir=$2
work=$3
version=$4
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log"

for file in tessaro tessaro-cli tessaro-cli-full charshift fastcopy avifinish; do
  [[ -f "$prefix/lib/tessaro/$file" && -x "$prefix/lib/tessaro/$file" ]] ||
    fail "lib/tessaro/$file is not an installed program"
done
[[ -s "$prefix/lib/tessaro/LangJ.ini" ]] || fail "lib/tessaro/LangJ.ini is missing"
for command in tessaro tessaro-cli; do
  [[ -L "$prefix/bin/$command" ]] || fail "bin/$command is not a link"
  [[ $(readlink "$prefix/bin/$command") == "../lib/tessaro/$command" ]] ||
    fail "bin/$command does not point into the program folder"
done

# A PATH without the build: everything comes from the prefix.
export PATH="$prefix/bin:/usr/bin:/bin"
[[ $(tessaro-cli --version) == "Tessaro $version" ]] || fail "--version says $(tessaro-cli --version)"

# shellcheck source=scripts/media-generators.sh
source "$source_dir/scripts/media-generators.sh"
clip "$work/clip.mkv" 320x240 "-c:v mpeg4 -vtag XVID -q:v 8" "-c:a ac3 -b:a 96k" matroska
row=$(tessaro-cli probe "$work/clip.mkv")
[[ $row == "$work/clip.mkv"$'\t'"MPEG-4 Visual"$'\t'*$'\tAC-3\tNo\t'* ]] || fail "probe row: $row"
# The programs find their folder through the link: the script runs the tools installed beside them.
tessaro-cli script --output "$work/out" "$work/clip.mkv" | grep -qF "$prefix/lib/tessaro/avifinish" ||
  fail "the script does not run the installed tools"
mkdir -p "$work/out"
TEMP=$work tessaro-cli encode --output "$work/out" "$work/clip.mkv" >"$work/encode.log" 2>&1 ||
  { cat "$work/encode.log" >&2; fail "encode"; }
[[ $(head -c 4 "$work/out/clip_XviD.avi") == RIFF ]] || fail "no AVI file written"

entry=$prefix/share/applications/Tessaro.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate $entry"
grep -qx 'Exec=tessaro %F' "$entry" || fail "Exec line of the desktop entry"
grep -qx 'X-Tessaro-Installed=true' "$entry" || fail "the entry is not marked as installed"
grep -q '^MimeType=.*video/x-matroska;.*application/x-subrip;' "$entry" || fail "MimeType line"
[[ -s "$prefix/share/icons/hicolor/scalable/apps/tessaro.svg" ]] || fail "the icon is missing"

metainfo=$prefix/share/metainfo/invalid.tessaro.tessaro.metainfo.xml
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log" >&2; fail "appstreamcli validate"; }
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo release"
grep -q '<screenshot type="default">' "$metainfo" || fail "metainfo screenshot"

page=$(MANWIDTH=100 man -P cat -l "$prefix/share/man/man1/tessaro-cli.1" 2>"$work/man.log") ||
  { cat "$work/man.log" >&2; fail "man -l"; }
for heading in COMMANDS OPTIONS "EXIT STATUS" ENVIRONMENT "Tessaro $version"; do
  grep -q "$heading" <<<"$page" || fail "the man page has no \"$heading\""
done
[[ ! -s "$work/man.log" ]] || { cat "$work/man.log" >&2; fail "man complained"; }
rm -rf "$work"
echo "installed and used from $prefix"
