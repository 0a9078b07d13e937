#!/usr/bin/env bash
# Installs what the build, the tests and the program need, then configures and
# builds into $BUILD_DIR (default build/). Safe to run again: it installs only
# what is missing. TESSARO_SANITIZE and TESSARO_WERROR pass through to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libmediainfo0v5 mediainfo mencoder ffmpeg
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libcurl4-openssl-dev libcpp-httplib-dev nginx-light
  xvfb xauth xdotool dbus shared-mime-info tzdata fonts-dejavu-core fonts-noto-cjk
  python3
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
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
cmake -S . -B "$build_dir" \
  -DTESSARO_WERROR="${TESSARO_WERROR:-OFF}" \
  -DTESSARO_SANITIZE="${TESSARO_SANITIZE:-}" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
