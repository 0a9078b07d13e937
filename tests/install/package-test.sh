#!/usr/bin/env bash
# Makes the Debian package with cpack and looks into it as dpkg would: its
# control fields, its contents under /usr, and the programs run from the
# extracted files. Usage: BUILD_DIR WORK_DIR VERSION
set -euo pipefail
build_dir=$1
work=$2
version=$3
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build_dir" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack -G DEB"; }
arch=$(dpkg --print-architecture)
package=$work/tessaro_${version}_${arch}.deb
[[ -f "$package" ]] || fail "no $(basename "$package"); cpack made: $(ls "$work")"

field() { dpkg-deb -f "$package" "$1"; }
[[ $(field Package) == tessaro ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version: $(field Version)"
[[ $(field Architecture) == "$arch" ]] || fail "Architecture: $(field Architecture)"
depends=$(field Depends)
# mencoder by name; the others found in the programs' shared libraries.
for needed in mencoder libmediainfo0v5 libqt6widgets6 libcurl4 libsodium23 libc6; do
  grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

contents=$(dpkg-deb -c "$package" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }')
for path in ./usr/lib/tessaro/tessaro ./usr/lib/tessaro/tessaro-cli ./usr/lib/tessaro/tessaro-cli-full \
  ./usr/lib/tessaro/charshift \
  ./usr/lib/tessaro/fastcopy ./usr/lib/tessaro/avifinish ./usr/lib/tessaro/LangJ.ini \
  "./usr/bin/tessaro -> ../lib/tessaro/tessaro" "./usr/bin/tessaro-cli -> ../lib/tessaro/tessaro-cli" \
  ./usr/share/applications/Tessaro.desktop ./usr/share/icons/hicolor/scalable/apps/tessaro.svg \
  ./usr/share/metainfo/invalid.tessaro.tessaro.metainfo.xml ./usr/share/man/man1/tessaro-cli.1; do
  grep -qxF -- "$path" <<<"$contents" || fail "the package lacks $path"
done
outside=$(grep -v '^\./usr/' <<<"$contents" | grep -vx '\./' || true)
[[ -z "$outside" ]] || fail "files outside /usr: $outside"

dpkg-deb -x "$package" "$work/root"
said=$("$work/root/usr/bin/tessaro-cli" --version)
[[ $said == "Tessaro $version" ]] || fail "the extracted tessaro-cli says: $said"
rm -rf "$work"
echo "package $(basename "$package") checked"
