#!/usr/bin/env bash
# Lays out the release a build makes for an update server's folder, signed:
#
#   SERVER_FOLDER/upgrade/tessaro.inf            the info file (CR LF lines)
#   SERVER_FOLDER/upgrade/tessaro/NAME           every file of the program folder
#   ... and NAME.minisig beside each of them and beside the info file
#
# The files are those `cmake --install` puts in the program folder; the info
# file lists each with its destination in that folder, under the version the
# build carries. Each signature's trusted comment is "file:NAME version:VERSION".
# minisign asks for the key's password when it has one.
#
# usage: publish-release.sh [--message TEXT] BUILD_DIR SERVER_FOLDER SERVER_URL SECRET_KEY
#   SERVER_URL  the server as the programs reach it, e.g. http://update.example:8013
set -euo pipefail
usage() {
  echo "usage: $0 [--message TEXT] BUILD_DIR SERVER_FOLDER SERVER_URL SECRET_KEY" >&2
  exit 2
}
message=""
if [[ ${1:-} == --message ]]; then
  (($# >= 2)) || usage
  message=$2
  shift 2
fi
(($# == 4)) || usage
build_dir=$1
server_folder=$2
server_url=${3%/}
secret_key=$4
[[ -f "$build_dir/cmake_install.cmake" ]] || { echo "$0: $build_dir is not a build folder" >&2; exit 1; }
[[ -r "$secret_key" ]] || { echo "$0: cannot read the key $secret_key" >&2; exit 1; }
command -v minisign >/dev/null || { echo "$0: minisign is missing (scripts/bootstrap.sh installs it)" >&2; exit 1; }

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
cmake --install "$build_dir" --prefix "$staging/prefix" --strip >/dev/null
program_folder=$staging/prefix/lib/tessaro
version=$("$program_folder/tessaro-cli" --version)
version=${version#Tessaro }
[[ $version =~ ^[0-9]+(\.[0-9]+){3}$ ]] || { echo "$0: the build gives no version" >&2; exit 1; }

release=$server_folder/upgrade
rm -rf "$release/tessaro" "$release/tessaro.inf" "$release/tessaro.inf.minisig"
mkdir -p "$release/tessaro"

# The program first; the others in name order.
mapfile -t files < <(cd "$program_folder" && find . -maxdepth 1 -type f -printf '%f\n' | sort)
ordered=(tessaro)
for file in "${files[@]}"; do [[ $file == tessaro ]] || ordered+=("$file"); done

sign() {
  minisign -S -s "$secret_key" -m "$1" -t "file:$(basename "$1") version:$version" -x "$1.minisig" >/dev/null
}

{
  printf '#version=%s\r\n' "$version"
  number=1
  for file in "${ordered[@]}"; do
    cp -p "$program_folder/$file" "$release/tessaro/$file"
    key='#url'
    ((number == 1)) || key="#url$number"
    printf '%s=%s/upgrade/tessaro/%s=%s\r\n' "$key" "$server_url" "$file" "$file"
    number=$((number + 1))
  done
  message=${message:-Tessaro $version}
  printf '#message={%s}\r\n' "${message//$'\n'/$'\r\n'}"
} >"$release/tessaro.inf"

for file in "${ordered[@]}"; do sign "$release/tessaro/$file"; done
sign "$release/tessaro.inf"
echo "Tessaro $version is laid out in $release, ${#ordered[@]} files, each signed"
