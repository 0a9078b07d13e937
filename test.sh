#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. Extra arguments go to ctest
# (for example: ./test.sh -R Probe). BUILD_DIR and TESSARO_SANITIZE select a
# second build, as CI does for the sanitizer runs.
#
# The program's users are not root, so neither are its tests. Started as root,
# this installs the dependencies, then builds and runs the suite as the
# ordinary user tessaro-test (scripts/as-test-user.sh); the few tests that need
# root (label "root") run afterwards in a pass of their own. Started as another
# user, it installs nothing when the dependencies are there and runs every test
# that user can.
set -euo pipefail
cd "$(dirname "$0")"
build_dir=${BUILD_DIR:-build}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
ctest_args=(--test-dir "$build_dir" --output-on-failure -j "$(nproc)" --timeout 600)

if (($(id -u) != 0)); then
  scripts/bootstrap.sh
  echo "== Tests as $(id -un) (uid $(id -u)); those that need root are left out"
  exec ctest "${ctest_args[@]}" -LE '^root$' "$@"
fi

BOOTSTRAP_NO_BUILD=1 scripts/bootstrap.sh
user=tessaro-test
scripts/as-test-user.sh true
# A checkout the test user cannot read (under /root, say) is tested from a copy.
if ! scripts/as-test-user.sh test -r "$PWD/CMakeLists.txt"; then
  copy=/var/tmp/tessaro-test-checkout
  echo "== $user cannot read $PWD; testing a copy in $copy"
  mkdir -p "$copy"
  find "$copy" -mindepth 1 -maxdepth 1 ! -name 'build*' -exec rm -rf {} +
  tar --exclude=./.git --exclude='./build*' -cf - . | tar -C "$copy" -xf -
  chown -R "$user:" "$copy"
  cd "$copy"
fi
mkdir -p "$build_dir"
chown -R "$user:" "$build_dir"

scripts/as-test-user.sh scripts/bootstrap.sh
echo "== Tests as $user (uid $(id -u "$user"))"
user_status=0
scripts/as-test-user.sh ctest "${ctest_args[@]}" -LE '^root$' "$@" || user_status=$?
root_status=0
# A selection (say -L thread) may hold no root test; then there is no root pass.
if ctest --test-dir "$build_dir" -N -L '^root$' "$@" | grep -q '^Total Tests: 0$'; then
  echo "== No test that needs root is selected"
else
  echo "== Tests that need root, as root"
  ctest "${ctest_args[@]}" -L '^root$' "$@" || root_status=$?
fi
# What root wrote there must not stand in the test user's way next time.
chown -R "$user:" "$build_dir"
((user_status == 0 && root_status == 0))
