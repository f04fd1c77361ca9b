#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs them on their seed corpora.
#   fuzz.sh                   every target for 15 seconds in each of two time zones
#   fuzz.sh TARGET [SECONDS]  one target (usersanswer, inifile, personfile, texts, picture), or "all"
# New inputs go to build/fuzz/corpus/TARGET; the seeds in fuzz/corpus/ are only read. A crash
# leaves its input in build/fuzz/ and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

target=${1:-all}
seconds=${2:-15}
targets=(usersanswer inifile personfile texts picture)
[ "$target" = all ] || targets=("$target")

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPEERGLOW_SANITIZE=fuzz -DPEERGLOW_BUILD_TESTS=OFF >/dev/null
cmake --build build/fuzz --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for name in "${targets[@]}"; do
  mkdir -p "build/fuzz/corpus/$name"
  # Time zones east and west of UTC are where date conversions go wrong.
  for zone in Europe/Moscow America/New_York; do
    echo "=== fuzz_$name ($zone, ${seconds}s)"
    status=0
    (cd build/fuzz && TZ=$zone "bin/fuzz_$name" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
      -rss_limit_mb=4096 -print_final_stats=1 "corpus/$name" "../../fuzz/corpus/$name") >build/fuzz/last.log 2>&1 \
      || status=$?
    grep -E '^(stat::number_of_executed_units|==[0-9]+==|SUMMARY|Test unit written|artifact_prefix)' build/fuzz/last.log || true
    if [ "$status" -ne 0 ]; then
      tail -n 40 build/fuzz/last.log
      exit "$status"
    fi
  done
done
