#!/usr/bin/env bash
# The slow checks at full length, run by hand (see README.md beside this file).
# Usage: tests/slow/long.sh monkey|memory|soak|asan-monkey|all
set -euo pipefail
cd "$(dirname "$0")/../.."
what=${1:-all}
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/orvanta-runtime-$(id -u)}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

normal() { ./scripts/build.sh build-hard orvanta_slow_tests >&2; echo build-hard/tests/orvanta_slow_tests; }
sanitized() {
  ./scripts/build.sh build-asan orvanta_slow_tests -- -DORVANTA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
  echo build-asan/tests/orvanta_slow_tests
}

monkey() {  # a million random events: eight seeds of 125 000
  local bin; bin=$(normal)
  ORVANTA_MONKEY_EVENTS=${EVENTS:-125000} ORVANTA_MONKEY_SEEDS=${SEEDS:-8} ORVANTA_MONKEY_FIRST_SEED=${FIRST_SEED:-1} \
    /usr/bin/time -f 'monkey: %e s, peak RSS %M kB' "$bin" --gtest_filter=MonkeyTest.*
}
memory() {  # 10 000 hands by the bench's probe in a real X window: the growth bounds
  ./scripts/build.sh build-hard orvanta-bench-probe >&2
  /usr/bin/time -f 'memory: %e s' bash tests/slow/memory-growth.sh build-hard "${HANDS:-10000}"
}
soak() {  # 2 000 hands under AddressSanitizer and LeakSanitizer: any leak from our code fails
  local bin; bin=$(sanitized)
  ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=1 \
    ORVANTA_SOAK_HANDS=${HANDS:-2000} /usr/bin/time -f 'soak: %e s' "$bin" --gtest_filter=SoakTest.*
}
asan_monkey() {  # 200 000 random events under ASan, UBSan and LeakSanitizer, other seeds
  local bin; bin=$(sanitized)
  ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp \
    ORVANTA_MONKEY_EVENTS=${EVENTS:-25000} ORVANTA_MONKEY_SEEDS=${SEEDS:-8} ORVANTA_MONKEY_FIRST_SEED=${FIRST_SEED:-101} \
    /usr/bin/time -f 'asan monkey: %e s' "$bin" --gtest_filter=MonkeyTest.*
}

case $what in
  monkey) monkey ;;
  memory) memory ;;
  soak) soak ;;
  asan-monkey) asan_monkey ;;
  all) monkey; memory; soak; asan_monkey ;;
  *) echo "usage: $0 monkey|memory|soak|asan-monkey|all" >&2; exit 2 ;;
esac
