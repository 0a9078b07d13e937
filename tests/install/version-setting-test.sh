#!/usr/bin/env bash
# TESSARO_VERSION set to another release reaches everything configured from it;
# a malformed one stops the configuration. Usage: SOURCE_DIR WORK_DIR
set -euo pipefail
source_dir=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

build=$work/build
cmake -S "$source_dir" -B "$build" -DTESSARO_VERSION=9.8.7.6 >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log" >&2; fail "configuring with 9.8.7.6"; }

# expect FILE TEXT: FILE, configured from the setting, holds TEXT.
expect() {
  grep -qF -- "$2" "$build/$1" || fail "$1 does not hold: $2"
}
expect src/settings/generated/settings/TessaroVersion.h 'kTessaroVersion[] = "9.8.7.6";'
expect packaging/invalid.tessaro.tessaro.metainfo.xml '<release version="9.8.7.6"'
expect packaging/tessaro-cli.1 '"Tessaro 9.8.7.6"'
expect CPackConfig.cmake 'set(CPACK_PACKAGE_VERSION "9.8.7.6")'

for bad in 1.2.1 1.2.1.x v1.2.1.2; do
  if cmake -S "$source_dir" -B "$work/bad" -DTESSARO_VERSION="$bad" >"$work/bad.log" 2>&1; then
    fail "TESSARO_VERSION=\"$bad\" was accepted"
  fi
  grep -q "TESSARO_VERSION must be four numbers" "$work/bad.log" || fail "no reason given for \"$bad\""
  rm -rf "$work/bad"
done
rm -rf "$work"
echo "version setting reaches the configured files"
