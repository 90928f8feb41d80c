#!/usr/bin/env bash
# One-command set-up for a fresh Debian or Ubuntu machine.
#
#   bash tools/setup.sh play   installs what is missing, builds, starts vorlix
#   bash tools/setup.sh test   installs what is missing, then builds and runs every test
#                              twice (optimised, and under AddressSanitizer and
#                              UndefinedBehaviorSanitizer with the debug checks on), and
#                              runs every fuzz target for a short time; the optimised
#                              build is also installed and packaged and run from there
#                              (packaging/check_install.sh)
#   bash tools/setup.sh build  installs what is missing and builds
#   bash tools/setup.sh fuzz   runs every fuzz target for FUZZ_SECONDS (default 300) each
#
# BUILD_DIR (default: build), JOBS (default: all cores) and FUZZ_SECONDS may be set.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${BUILD_DIR:-$here/build}
jobs=${JOBS:-$(nproc)}
action=${1:-play}

packages=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libgl-dev fonts-liberation clang libclang-rt-14-dev
          desktop-file-utils appstream dpkg-dev file locales)

# The window tests also run under a decimal-comma locale; it must be generated.
comma_locale=de_DE.UTF-8

install_missing() {
    local missing=() sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
    ensure_comma_locale
}

ensure_comma_locale() {
    locale -a 2>/dev/null | grep -qix "${comma_locale/UTF-8/utf8}" && return 0
    echo "Generating the locale $comma_locale"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo localedef -i "${comma_locale%%.*}" -c -f UTF-8 -A /usr/share/locale/locale.alias "$comma_locale"
}

# configure_and_build DIR [cmake options...]
configure_and_build() {
    local dir=$1
    shift
    cmake -S "$here" -B "$dir" -G Ninja "$@" > "$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; return 1; }
    cmake --build "$dir" -j "$jobs"
}

build() {
    mkdir -p "$build_dir"
    configure_and_build "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
}

run_tests() {
    # The windows run without a display in tests.
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure -j "$jobs"
}

sanitizer_tests() {
    local dir=$build_dir-asan
    mkdir -p "$dir"
    # -O1 keeps the sanitized suite fast; without NDEBUG the debug-only checks run too.
    configure_and_build "$dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
        -DVORLIX_SANITIZE=ON -DVORLIX_WERROR=ON -DVORLIX_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    LSAN_OPTIONS=suppressions=$here/tools/sanitizers/lsan.supp \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        run_tests "$dir"
}

fuzz() {
    local seconds=$1 dir=$build_dir-fuzz
    mkdir -p "$dir"
    CC=clang CXX=clang++ configure_and_build "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLIX_FUZZ=ON \
        -DVORLIX_GUI=OFF -DVORLIX_TESTS=OFF -DVORLIX_BENCH=OFF
    local failed=0 name corpus work
    while IFS='=' read -r name corpus; do
        [ -n "$name" ] || continue
        work=$(mktemp -d)
        echo "fuzzing $name for ${seconds}s"
        # New inputs go to a scratch folder; the committed corpus is only read.
        if ! (cd "$work" && "$dir/fuzz/$name" -max_total_time="$seconds" -print_final_stats=0 \
                -timeout=10 -rss_limit_mb=2048 "$work" "$corpus" > "$work/log" 2>&1); then
            echo "fuzz target $name failed; its log and crashing input are in $work" >&2
            tail -40 "$work/log" >&2
            failed=1
        else
            tail -1 "$work/log"
            rm -rf "$work"
        fi
    done < "$dir/fuzz_targets.txt"
    return $failed
}

case "$action" in
play)
    install_missing
    build
    exec "$build_dir/bin/vorlix"
    ;;
test)
    install_missing
    build -DVORLIX_WERROR=ON
    run_tests "$build_dir"
    bash "$here/packaging/check_install.sh" "$build_dir"
    sanitizer_tests
    fuzz "${FUZZ_SECONDS:-10}"
    echo "All tests passed: optimised build, installed tree and package, sanitized build and fuzz targets."
    ;;
build)
    install_missing
    build
    ;;
fuzz)
    install_missing
    fuzz "${FUZZ_SECONDS:-300}"
    ;;
*)
    echo "usage: bash tools/setup.sh play|test|build|fuzz" >&2
    exit 2
    ;;
esac
