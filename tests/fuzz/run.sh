#!/usr/bin/env bash
# Fuzzes the JPEG and GIF decoders with libFuzzer for a bounded time each, starting from
# the pictures the program carries. Any crash, hang, leak or sanitizer report fails.
# Usage: tests/fuzz/run.sh [seconds per decoder, default 30]
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-30}

probe=$(mktemp -d /tmp/orvanta-fuzz-probe.XXXXXX)
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' >"$probe/p.cpp"
if ! clang++ -fsanitize=fuzzer,address "$probe/p.cpp" -o "$probe/p" 2>/dev/null; then
  rm -rf "$probe"
  echo "== fuzzing: clang with libFuzzer is not available; the seeded mutation test under the sanitizers stands in"
  exit 0
fi
rm -rf "$probe"

./scripts/build.sh build-fuzz jpeg_fuzz gif_fuzz -- \
  -DCMAKE_CXX_COMPILER=clang++ -DORVANTA_FUZZ=ON -DBUILD_TESTING=OFF

work=$(mktemp -d /tmp/orvanta-fuzz.XXXXXX)
trap 'rm -rf "$work"' EXIT
status=0
for format in jpeg gif; do
  mkdir -p "$work/$format"
  # The seed corpus: every picture of this format that the program carries.
  ext=$format; [ "$format" = jpeg ] && ext=jpg
  find assets -name "*.$ext" -exec cp {} "$work/$format/" \;
  echo "== fuzzing the $format decoder for ${seconds}s from $(ls "$work/$format" | wc -l) pictures"
  if build-fuzz/tools/fuzz/${format}_fuzz -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$work/" "$work/$format" >"$work/$format.log" 2>&1; then
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$work/$format.log" | tr '\n' ' '
    echo
  else
    status=1
    tail -60 "$work/$format.log"
    for crash in "$work"/crash-* "$work"/timeout-* "$work"/leak-* "$work"/oom-*; do
      [ -e "$crash" ] || continue
      mkdir -p out/fuzz && cp "$crash" out/fuzz/ && echo "kept the input in out/fuzz/$(basename "$crash")"
    done
  fi
done
exit $status
