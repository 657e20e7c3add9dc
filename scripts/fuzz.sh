#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers) in their
# own configuration and runs each for a bounded time from its committed seed corpus.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#
# Environment: FUZZ_BUILD_DIR (default build-fuzz), FUZZ_JOBS (default 4).
# A finding leaves its input as crash-*/leak-*/timeout-* in the target's work folder and fails.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET=${1:-15}
shift || true
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
JOBS=${FUZZ_JOBS:-4}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}

if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

SAN="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMVSMALL_GUI=OFF -DMVSMALL_FUZZ=ON \
  -DCMAKE_C_FLAGS="$SAN" -DCMAKE_CXX_FLAGS="$SAN" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$BUILD_DIR" -j"$JOBS" --target fuzz_all

if [ $# -gt 0 ]; then
  TARGETS=("$@")
else
  TARGETS=()
  for src in tests/fuzz/fuzz_*.cpp; do TARGETS+=("$(basename "$src" .cpp)"); done
fi

export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
failed=()
for target in "${TARGETS[@]}"; do
  seeds=tests/fuzz/corpus/${target#fuzz_}
  work=$BUILD_DIR/fuzz-work/$target
  rm -rf "$work"
  mkdir -p "$work/corpus"
  [ -d "$seeds" ] && cp -r "$seeds/." "$work/corpus/"
  dict=$PWD/tests/fuzz/${target#fuzz_}.dict
  extra=()
  [ -f "$dict" ] && extra+=("-dict=$dict")
  binary=$PWD/$BUILD_DIR/tests/fuzz/$target
  # The settings reader takes whole files, large ones included; the others take short inputs.
  maxlen=4096
  [ "$target" = fuzz_settings_reader ] && maxlen=1048576
  echo "== $target: ${SECONDS_PER_TARGET}s"
  if ! (cd "$work" && "$binary" corpus "${extra[@]}" \
          -max_total_time="$SECONDS_PER_TARGET" -timeout=20 -rss_limit_mb=3072 -max_len="$maxlen" \
          -print_final_stats=1 > log.txt 2>&1); then
    failed+=("$target")
    tail -n 60 "$work/log.txt"
    echo "== $target: FINDING (input in $work)"
  else
    grep -E "stat::number_of_executed_units|cov:" "$work/log.txt" | tail -n 2 || true
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: findings in ${failed[*]}" >&2
  exit 1
fi
echo "fuzz.sh: no findings"
