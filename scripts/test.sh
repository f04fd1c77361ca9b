#!/usr/bin/env bash
# Installs what is needed, builds and runs every test.
#   test.sh                 the plain build
#   test.sh --asan          the address+undefined sanitizer build
#   test.sh --tsan          the thread sanitizer build
#   test.sh --fuzz          a short run of every fuzz target (scripts/fuzz.sh)
#   test.sh --all           all four, one after the other
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/check-layers.sh

export QT_QPA_PLATFORM=offscreen
root=$(pwd)

run_variant() {
  local name=$1 sanitize=$2
  echo "=== $name build"
  bash scripts/build.sh "build/$name" RelWithDebInfo "$sanitize"
  (cd "build/$name" && ctest --output-on-failure --parallel "$(nproc)" --timeout 300)
}

case "${1:-}" in
  "") run_variant test "" ;;
  --asan)
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    run_variant asan address ;;
  --tsan)
    export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$root/tests/tsan.supp"
    run_variant tsan thread ;;
  --fuzz)
    echo "=== fuzz smoke"
    bash scripts/fuzz.sh all 8 ;;
  --all)
    bash scripts/test.sh
    bash scripts/test.sh --asan
    bash scripts/test.sh --tsan
    bash scripts/test.sh --fuzz ;;
  *) echo "usage: $0 [--asan|--tsan|--fuzz|--all]" >&2; exit 2 ;;
esac
