#!/usr/bin/env bash
# Publishes the build with scripts/publish-release.sh and checks the release
# as the update server hands it out: every file of the program folder with its
# signature, an info file that lists them all with destinations under the
# build's version, and a check by the real engine that trusts the key.
# Usage: SOURCE_DIR BUILD_DIR WORK_DIR VERSION KEY_DIR CHECKER
set -euo pipefail
source_dir=$1
build_dir=$2
work=$3
version=$4
key_dir=$5
checker=$6
rm -rf "$work"
mkdir -p "$work/server"
fail() { echo "FAIL: $*" >&2; exit 1; }

server_pid=""
trap '[[ -z "$server_pid" ]] || kill "$server_pid"' EXIT
exec {port_fd}< <(exec python3 -u -m http.server --bind 127.0.0.1 --directory "$work/server" 0 2>/dev/null)
server_pid=$!
read -r -t 20 announcement <&"$port_fd" || fail "the HTTP server did not start"
port=$(sed -E 's/.* port ([0-9]+) .*/\1/' <<<"$announcement")
server=http://127.0.0.1:$port

"$source_dir/scripts/publish-release.sh" --message $'Faster start-up.\nFixed the settings dialog.' \
  "$build_dir" "$work/server" "$server/" "$key_dir/publisher.key" >"$work/publish.log" ||
  fail "publish-release.sh failed"

release=$work/server/upgrade
info=$release/tessaro.inf
expected=$(printf '%s\n' tessaro LangJ.ini avifinish charshift fastcopy tessaro-cli tessaro-cli-full)
published=$(cd "$release/tessaro" && ls | grep -v '\.minisig$' | sort)
[[ $published == "$(sort <<<"$expected")" ]] || fail "published files: $published"

[[ $(grep -vc $'\r$' "$info") == 0 ]] || fail "a line of the info file does not end in CR LF"
listed=$(tr -d '\r' <"$info")
[[ $(head -n 1 <<<"$listed") == "#version=$version" ]] || fail "first line: $(head -n 1 <<<"$listed")"
number=1
while read -r file; do
  key='#url'
  ((number == 1)) || key="#url$number"
  grep -qx "$key=$server/upgrade/tessaro/$file=$file" <<<"$listed" || fail "no $key entry for $file"
  number=$((number + 1))
done <<<"$expected"
grep -q "^#url$number=" <<<"$listed" && fail "more entries than files"
grep -qx '#message={Faster start-up.' <<<"$listed" || fail "the note's first line"

for signed in "$info" $(sed 's|^|'"$release"'/tessaro/|' <<<"$expected"); do
  minisign -V -p "$key_dir/publisher.pub" -m "$signed" >"$work/verify.log" 2>&1 ||
    fail "the signature of $signed does not hold"
  grep -qx "Trusted comment: file:$(basename "$signed") version:$version" "$work/verify.log" ||
    fail "trusted comment of $signed: $(cat "$work/verify.log")"
done

# The engine takes the release as this version's own, and refuses it once altered.
check() { TESSARO_UPDATE_SERVER=$server "$checker" update --check >"$work/check.log" 2>&1; }
check || { cat "$work/check.log" >&2; fail "the engine refused the release"; }
grep -q "Tessaro $version is up to date" "$work/check.log" || fail "check: $(cat "$work/check.log")"
printf '#url7=%s/upgrade/tessaro/extra\r\n' "$server" >>"$info"
if check; then fail "an altered info file was taken"; fi
rm -rf "$work"
echo "release of $version published and checked"
