#!/usr/bin/env bash
# Installs what the build, the tests and the program need, then configures and
# builds into $BUILD_DIR (default build/). Safe to run again: it installs only
# what is missing. TESSARO_SANITIZE and TESSARO_WERROR pass through to CMake.
# BOOTSTRAP_TARGETS names the targets to build (default: all of them);
# BOOTSTRAP_LOG sends the configure and build output to that file, which is
# shown only when the build fails.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libmediainfo0v5 mediainfo mencoder ffmpeg
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libcurl4-openssl-dev libcpp-httplib-dev nginx-light iproute2
  xvfb xauth xdotool dbus shared-mime-info desktop-file-utils tzdata fonts-dejavu-core fonts-noto-cjk
  appstream man-db dpkg-dev file
  python3
  minisign libsodium-dev openssl
)

# One query for the whole list keeps a second run quick.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
  awk '$2 == "install" && $3 == "ok" && $4 == "installed" { print $1 }' || true)
missing=()
for package in "${packages[@]}"; do
  grep -qx -- "$package" <<<"$installed" || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

[[ "${BOOTSTRAP_NO_BUILD:-}" == 1 ]] && exit 0

build_dir=${BUILD_DIR:-build}
read -r -a targets <<<"${BOOTSTRAP_TARGETS:-all}"

werror=${TESSARO_WERROR:-OFF}
sanitize=${TESSARO_SANITIZE:-}

# The build itself configures again when a CMakeLists.txt changed; only new
# options need an explicit configure.
configured_as_asked() {
  local cache=$build_dir/CMakeCache.txt
  [[ -f "$cache" ]] &&
    grep -qx "TESSARO_WERROR:BOOL=$werror" "$cache" &&
    grep -qx "TESSARO_SANITIZE:STRING=$sanitize" "$cache"
}

configure_and_build() {
  configured_as_asked ||
    cmake -S . -B "$build_dir" -DTESSARO_WERROR="$werror" -DTESSARO_SANITIZE="$sanitize" >/dev/null
  cmake --build "$build_dir" -j "$(nproc)" --target "${targets[@]}"
}

if [[ -z "${BOOTSTRAP_LOG:-}" ]]; then
  configure_and_build
elif ! configure_and_build >"$BOOTSTRAP_LOG" 2>&1; then
  cat "$BOOTSTRAP_LOG" >&2
  echo "$0: the build failed; its output is above and in $BOOTSTRAP_LOG" >&2
  exit 1
fi
