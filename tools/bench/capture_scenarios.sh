#!/usr/bin/env bash
# Captures every screenshot scenario into OUTDIR/SCENARIO/, or compares two such captures:
#   tools/bench/capture_scenarios.sh capture BUILD_DIR OUTDIR   (BUILD_DIR holds tools/screenshot)
#   tools/bench/capture_scenarios.sh compare BEFORE AFTER
# An optimisation must leave every picture of every scenario as it was, byte for byte (the PNG
# writer is deterministic, so equal files mean equal pixels); compare names every difference.
set -euo pipefail
case "${1:-}" in
  capture)
    shot="$2/tools/screenshot/screenshot"
    out="$3"
    mkdir -p "$out"
    "$shot" --list | awk '{print $1}' | xargs -P "${JOBS:-4}" -I{} sh -c \
      '"$0" "$1" "$2/$1" > /dev/null 2> "$2/$1.log" || echo "scenario $1 failed (see $2/$1.log)"' \
      "$shot" {} "$out"
    echo "captured $(find "$out" -name '*.png' | wc -l) pictures into $out"
    ;;
  compare)
    before="$2"
    after="$3"
    status=0
    while IFS= read -r -d '' png; do
      rel="${png#"$before"/}"
      if [ ! -f "$after/$rel" ]; then
        echo "missing after: $rel"
        status=1
      elif ! cmp -s "$png" "$after/$rel"; then
        echo "differs: $rel"
        status=1
      fi
    done < <(find "$before" -name '*.png' -print0 | sort -z)
    extra=$(cd "$after" && find . -name '*.png' | while read -r p; do [ -f "$before/$p" ] || echo "$p"; done)
    if [ -n "$extra" ]; then
      echo "new after: $extra"
      status=1
    fi
    [ $status -eq 0 ] && echo "every picture is the same ($(find "$before" -name '*.png' | wc -l) pictures)"
    exit $status
    ;;
  *)
    echo "usage: $0 capture BUILD_DIR OUTDIR | compare BEFORE AFTER" >&2
    exit 2
    ;;
esac
