#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. Extra arguments go to ctest
# (for example: ./test.sh -R Probe). BUILD_DIR and TESSARO_SANITIZE select a
# second build, as CI does for the sanitizer runs.
set -euo pipefail
cd "$(dirname "$0")"
scripts/bootstrap.sh
build_dir=${BUILD_DIR:-build}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" --timeout 600 "$@"
