#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60), starting
# from a copy of its seed corpus in fuzz/corpus/. A finding ends that target's run
# but not the others'; the input that caused it is kept in build-fuzz/findings/, and
# the script exits non-zero when any target had one.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

mkdir -p build-fuzz/corpus build-fuzz/findings
failed=()
for seeds in fuzz/corpus/*/; do
  name="$(basename "$seeds")"
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  cp -n "$seeds"* "$corpus"/ 2>/dev/null || true
  echo "== $name: ${seconds} s"
  if ! "build-fuzz/bin/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$name-" "$corpus"; then
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]}; the inputs are in build-fuzz/findings/" >&2
  ls -l build-fuzz/findings >&2
  exit 1
fi
