#!/usr/bin/env bash
# Sets up a Debian 12 machine for timer555, builds it, and then starts the
# program ("run") or runs every test ("test"). Installs missing Debian
# packages with apt-get (as root, or through sudo).
#
#   bash build.sh run     install, build the program and its font, start timer555
#   bash build.sh test    install, build everything (warnings as errors), run all tests with CTest
#   bash build.sh build   install and build everything
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="${TIMER555_BUILD_DIR:-$here/build}"
mode="${1:-run}"

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-osifont fonts-liberation2 python3 python3-fonttools
  xvfb xauth xdotool x11-utils imagemagick librsvg2-bin xclip poppler-utils
  clang libclang-rt-dev clang-format clang-tidy
  dpkg-dev file
  libngspice0-dev ngspice nlohmann-json3-dev libcli11-dev
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build [TARGET] [CMAKE OPTIONS...]: configures and builds TARGET (everything
# when empty).
build() {
  local target="$1"
  shift
  cmake -S "$here" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$build_dir" -j "$(nproc)" ${target:+--target "$target"}
}

case "$mode" in
  run)
    install_missing
    build timer555
    exec "$build_dir/bin/timer555"
    ;;
  test)
    install_missing
    build "" -DTIMER555_WERROR=ON
    cd "$build_dir"
    ctest --output-on-failure -j "$(nproc)"
    ;;
  build)
    install_missing
    build ""
    ;;
  *)
    echo "usage: bash build.sh run|test|build" >&2
    exit 2
    ;;
esac
