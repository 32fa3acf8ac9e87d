#!/usr/bin/env bash
# Sets up a Debian machine for Mirethorn, builds everything, then plays or tests.
#   ./setup.sh play   install what is missing, build the game and its content, start the game
#   ./setup.sh test   install what is missing, build everything, run every test (also under ASan/UBSan)
# Both share the build folder: a test run after a play run builds only what playing did not need,
# and a play run after a test run builds nothing.
set -euo pipefail
cd "$(dirname "$0")"
what="${1:-play}"

packages=(
  build-essential cmake pkg-config git clang libclang-rt-dev lld
  libsdl2-dev libpng-dev libjpeg-dev libvorbis-dev libogg-dev libfreetype-dev zlib1g-dev
  libcairo2-dev libgtest-dev googletest libx11-dev
  fonts-dejavu-core fonts-junicode espeak-ng
  fonts-blankenburg fonts-gotico-antiqua fonts-cardo
  # A virtual X server and Mesa's OpenGL (drawn on the CPU where there is no graphics card), for
  # the game in a window as a player's desktop opens it: its test and the bench's accelerated run.
  xvfb libgl1-mesa-dri libglx-mesa0
  # Validators of the installed menu entry and metadata, and the install test's runner.
  python3 desktop-file-utils appstream
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}"
fi

jobs=$(nproc)
stage() { echo "== $1 ($SECONDS s since start)"; }
case "$what" in play|test) ;; *)
  echo "usage: $0 play|test" >&2
  exit 2
esac

stage "build"
# Line tables are all the debug information a backtrace needs, and they keep objects and links small.
# The same configuration for both commands (the tests stay on in it), so that neither rebuilds
# what the other built.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"

case "$what" in
  play)
    # Only what playing needs: the game, its content generators and the content.
    cmake --build build -j"$jobs" --target play
    cd build/game && exec ./mirethorn
    ;;
  test)
    cmake --build build -j"$jobs"
    stage "tests"
    ctest --test-dir build -j"$jobs" --output-on-failure
    # The same tests under AddressSanitizer and UndefinedBehaviorSanitizer, over the game folder
    # that the first build generated; -O1 runs them faster than -O0 and the
    # reports stay exact.
    stage "sanitizer build"
    # clang builds it, so that the fuzzers (libFuzzer) link against the same game library.
    cmake -S . -B build-asan -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
          -DCMAKE_BUILD_TYPE=Debug -DMIRETHORN_SANITIZE=ON \
          -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" -DMIRETHORN_FUZZ=ON \
          -DMIRETHORN_CONTENT=OFF -DMIRETHORN_GAME_DIR="$PWD/build/game"
    cmake --build build-asan -j"$jobs" --target all_tests
    stage "sanitizer tests"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build-asan -j"$jobs" --output-on-failure
    if [ -x tools/fuzz/run_fuzzers.sh ]; then
      stage "fuzzers"
      # A share of each kept corpus, so that every fuzzer is past its seeds within its minute.
      FUZZ_KEPT_SEEDS=50 FUZZ_BUILD_DIR=build-asan tools/fuzz/run_fuzzers.sh
    fi
    stage "done"
    ;;
esac
