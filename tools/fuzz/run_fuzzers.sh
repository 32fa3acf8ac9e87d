#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in a build folder of their own and runs each for a
# fixed time on a small seed corpus made in that folder. Any crash or sanitizer report fails.
#   FUZZ_SECONDS  seconds per target (default 45)
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${FUZZ_BUILD_DIR:-build-fuzz}"
seconds="${FUZZ_SECONDS:-45}"
jobs=$(nproc)
((jobs > 8)) && jobs=8

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMIRETHORN_FUZZ=ON -DMIRETHORN_CONTENT=OFF -DMIRETHORN_TESTS=OFF
cmake --build "$build" -j"$jobs" --target fuzz_tsc_roundtrip fuzz_bca_reader fuzz_profile_file fuzz_hiscore_file \
  bcapack

corpus="$build/fuzz-corpus"
artifacts="$build/fuzz-artifacts"
rm -rf "$corpus"
mkdir -p "$corpus/tsc" "$corpus/bca" "$corpus/profile" "$corpus/hiscore" "$artifacts"
cp tools/fuzz/seeds/*.tsc "$corpus/tsc/"
printf '' > "$corpus/tsc/empty.tsc"
# Texts just past the limits: one value more than a key holds, one group deeper than allowed.
{ printf 'G{ k='; for ((i = 0; i < 1000; i++)); do printf '%d,' "$i"; done; printf '1 }\n'; } \
  > "$corpus/tsc/many_values.tsc"
{ for ((i = 0; i < 1001; i++)); do printf 'g{'; done; for ((i = 0; i < 1001; i++)); do printf '}'; done; } \
  > "$corpus/tsc/deep_groups.tsc"
# Archive seeds packed by the project's own packer: entries a.tsc and b.tsc.
cp tools/fuzz/seeds/level.tsc "$corpus/a.tsc"
cp tools/fuzz/seeds/options.tsc "$corpus/b.tsc"
"$build/tools/bcapack/bcapack" "$corpus/bca/both.bca" "$corpus/a.tsc" "$corpus/b.tsc"
"$build/tools/bcapack/bcapack" "$corpus/bca/one.bca" "$corpus/b.tsc"
"$build/tools/bcapack/bcapack" "$corpus/bca/none.bca"
# Profile seeds, scrambled as on disk (byte k times (k mod 10) + 1, 32-bit little-endian), and
# hiscore seeds as plain text.
scramble() {
  python3 -c 'import sys, struct
data = sys.stdin.buffer.read()
sys.stdout.buffer.write(b"".join(struct.pack("<i", b * (k % 10 + 1)) for k, b in enumerate(data)))'
}
printf 'Profile{\n\tPortalName="Mirethorn"\n\tlevel=3.00000000\n\tseen="1:2:3","4:5:6"\n}\n' \
  | scramble > "$corpus/profile/player.dat"
printf 'Profile{\n\tPortalName="Mirethorn"\n}\n' > "$corpus/profile/plain.dat"
cp tools/fuzz/seeds/hiscores.tsc "$corpus/hiscore/"
printf '' > "$corpus/hiscore/empty.tsc"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
run() {
  local target="$1" seeds="$2" max_len="$3"
  "$build/tools/fuzz/$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=25 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
    "$seeds" > "$build/$target.log" 2>&1
}
# The fuzzers run side by side; each one's output is shown when all are done.
echo "== fuzz_tsc_roundtrip, fuzz_bca_reader, fuzz_profile_file, fuzz_hiscore_file: ${seconds}s each, side by side"
jobs_run=()
run fuzz_tsc_roundtrip "$corpus/tsc" 8192 &
jobs_run+=("fuzz_tsc_roundtrip $!")
run fuzz_bca_reader "$corpus/bca" 65536 &
jobs_run+=("fuzz_bca_reader $!")
run fuzz_profile_file "$corpus/profile" 16384 &
jobs_run+=("fuzz_profile_file $!")
run fuzz_hiscore_file "$corpus/hiscore" 16384 &
jobs_run+=("fuzz_hiscore_file $!")
status=0
for job in "${jobs_run[@]}"; do
  set -- $job
  if wait "$2"; then
    tail -n 15 "$build/$1.log"
  else
    cat "$build/$1.log"
    echo "FAILED: $1 (see $artifacts)" >&2
    status=1
  fi
done
exit "$status"
