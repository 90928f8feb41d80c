#!/usr/bin/env bash
# One-command set-up for a fresh Debian or Ubuntu machine.
#
#   bash tools/setup.sh play   installs what is missing, builds, starts vorlix
#   bash tools/setup.sh test   installs what is missing, builds, runs every test
#   bash tools/setup.sh build  installs what is missing and builds
#
# BUILD_DIR (default: build) and JOBS (default: all cores) may be set.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build}
jobs=${JOBS:-$(nproc)}
action=${1:-play}

packages=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libgl-dev fonts-liberation clang libclang-rt-14-dev)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$build_dir" -j "$jobs"
}

case "$action" in
play)
    install_missing
    build
    exec "$build_dir/bin/vorlix"
    ;;
test)
    install_missing
    build
    # The windows run without a display in tests.
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j "$jobs"
    ;;
build)
    install_missing
    build
    ;;
*)
    echo "usage: bash tools/setup.sh play|test|build" >&2
    exit 2
    ;;
esac
