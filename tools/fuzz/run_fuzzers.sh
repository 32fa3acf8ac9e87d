#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in a build folder of their own and runs them side by
# side, each for a fixed time, on seeds made in that folder: the shipped data files, the kept
# corpus of tools/fuzz/corpus/ and a few texts just past the readers' limits. Any crash, hang or
# sanitizer report fails. The game-level targets play from the game folder of the normal build.
#   FUZZ_SECONDS   seconds per target (default 60; all run at once, so the whole run takes about
#                  that long once built)
#   FUZZ_TARGETS   the targets to run (default: all)
#   FUZZ_GAME_DIR  the built game folder (default build/game)
#   FUZZ_KEEP=1    keep the corpus each target grew (in $build/fuzz-corpus/TARGET)
#   FUZZ_KEPT_SEEDS  at most this many of each target's kept corpus, evenly spread over it
#                  (default: all). A fuzzer runs all its seeds before its time starts, and the
#                  game targets take a good part of a second an input: CI takes a share.
set -euo pipefail
cd "$(dirname "$0")/../.."
# Absolute: the game targets work from the game folder.
build="$(realpath -m "${FUZZ_BUILD_DIR:-build-fuzz}")"
seconds="${FUZZ_SECONDS:-60}"
game="${FUZZ_GAME_DIR:-$PWD/build/game}"
jobs=$(nproc)
((jobs > 8)) && jobs=8
all=(tsc_roundtrip bca_reader profile_file hiscore_file board_level map_file popup_file story_part
     minigame_level catalogues sequencer profile_game)
read -r -a targets <<< "${FUZZ_TARGETS:-${all[*]}}"

# FUZZ_BUILD_DIR may name a sanitizer build already configured with MIRETHORN_FUZZ (the CI's
# test build): the targets are then built there and nothing is configured.
if [ -z "${FUZZ_BUILD_DIR:-}" ] || ! grep -q '^MIRETHORN_FUZZ:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMIRETHORN_FUZZ=ON -DMIRETHORN_CONTENT=OFF -DMIRETHORN_TESTS=OFF -DMIRETHORN_GAME_DIR="$game"
fi
cmake --build "$build" -j"$jobs" --target bcapack "${targets[@]/#/fuzz_}"

corpus="$build/fuzz-corpus"
artifacts="$build/fuzz-artifacts"
rm -rf "$corpus"
mkdir -p "$artifacts"
kept_seeds="${FUZZ_KEPT_SEEDS:-0}"
for t in "${all[@]}"; do
  mkdir -p "$corpus/$t"
  [ -d "tools/fuzz/corpus/$t" ] || continue
  mapfile -t kept < <(find "tools/fuzz/corpus/$t" -type f | sort)
  step=1
  if ((kept_seeds > 0 && ${#kept[@]} > kept_seeds)); then
    step=$(((${#kept[@]} + kept_seeds - 1) / kept_seeds))
  fi
  for ((i = 0; i < ${#kept[@]}; i += step)); do cp "${kept[$i]}" "$corpus/$t/"; done
done
# The shipped data files, each as the reader it feeds sees it.
cp tools/fuzz/seeds/*.tsc content/*/*.tsc "$corpus/tsc_roundtrip/"
printf '' > "$corpus/tsc_roundtrip/empty.tsc"
# Texts just past the limits: one value more than a key holds, one group deeper than allowed.
{ printf 'G{ k='; for ((i = 0; i < 1000; i++)); do printf '%d,' "$i"; done; printf '1 }\n'; } \
  > "$corpus/tsc_roundtrip/many_values.tsc"
{ for ((i = 0; i < 1001; i++)); do printf 'g{'; done; for ((i = 0; i < 1001; i++)); do printf '}'; done; } \
  > "$corpus/tsc_roundtrip/deep_groups.tsc"
cp content/runes_levels_lp/*.tsc "$corpus/board_level/"
cp content/settings_lp/map.tsc "$corpus/map_file/"
cp content/popups_lp/*.tsc "$corpus/popup_file/"
cp content/story/*.tsc "$corpus/story_part/"
cp content/puzzle_levels_lp/*.tsc content/ring_levels_lp/*.tsc "$corpus/minigame_level/"
cp content/settings_lp/sequencer.tsc "$corpus/sequencer/"
# The catalogue target's first character picks the catalogue ('0' runes, '1' blocks, '2' bosses).
for pick in 0:runes 1:blocks 2:bossRunes; do
  { printf '%s' "${pick%%:*}"; cat "content/settings_lp/${pick#*:}.tsc"; } > "$corpus/catalogues/${pick#*:}.tsc"
done
cp tools/fuzz/seeds/profile_game/*.tsc "$corpus/profile_game/"
# Archive seeds packed by the project's own packer: entries a.tsc and b.tsc.
cp tools/fuzz/seeds/level.tsc "$corpus/a.tsc"
cp tools/fuzz/seeds/options.tsc "$corpus/b.tsc"
"$build/tools/bcapack/bcapack" "$corpus/bca_reader/both.bca" "$corpus/a.tsc" "$corpus/b.tsc"
"$build/tools/bcapack/bcapack" "$corpus/bca_reader/one.bca" "$corpus/b.tsc"
"$build/tools/bcapack/bcapack" "$corpus/bca_reader/none.bca"
# Profile seeds, scrambled as on disk (byte k times (k mod 10) + 1, 32-bit little-endian), and
# hiscore seeds as plain text.
scramble() {
  python3 -c 'import sys, struct
data = sys.stdin.buffer.read()
sys.stdout.buffer.write(b"".join(struct.pack("<i", b * (k % 10 + 1)) for k, b in enumerate(data)))'
}
printf 'Profile{\n\tPortalName="Mirethorn"\n\tlevel=3.00000000\n\tseen="1:2:3","4:5:6"\n}\n' \
  | scramble > "$corpus/profile_file/player.dat"
printf 'Profile{\n\tPortalName="Mirethorn"\n}\n' > "$corpus/profile_file/plain.dat"
cp tools/fuzz/seeds/hiscores.tsc "$corpus/hiscore_file/"
printf '' > "$corpus/hiscore_file/empty.tsc"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
max_len() {
  case "$1" in
    bca_reader) echo 65536 ;;
    tsc_roundtrip) echo 8192 ;;
    *) echo 16384 ;;
  esac
}
# The fuzzers run side by side; each one's output is shown when all are done. The game targets
# settle near 500 MB under the sanitizers; memory past twice that is a finding (a leak or a cache
# without bound), and a dozen of them side by side stay within the machine's memory.
rss_limit_mb=1024
echo "== ${targets[*]}: ${seconds}s each, side by side"
pids=()
for t in "${targets[@]}"; do
  "$build/tools/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len="$(max_len "$t")" -timeout=120 \
    -rss_limit_mb="$rss_limit_mb" -print_final_stats=1 -artifact_prefix="$artifacts/$t-" \
    "$corpus/$t" > "$build/fuzz_$t.log" 2>&1 &
  pids+=("$!")
done
status=0
for k in "${!targets[@]}"; do
  t="${targets[$k]}"
  if wait "${pids[$k]}"; then
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb|cov: ' "$build/fuzz_$t.log" | tail -n 3 \
      | sed "s/^/$t: /"
  else
    tail -n 60 "$build/fuzz_$t.log"
    echo "FAILED: fuzz_$t (see $artifacts and $build/fuzz_$t.log)" >&2
    status=1
  fi
done
exit "$status"
