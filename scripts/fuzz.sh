#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs one or all of them for a given time.
#   scripts/fuzz.sh [all|pol_reader|function|evaluator|pipeline] [SECONDS per target, default 120]
# Corpora grow in $BUILD/corpus/<target>, seeded from examples/ and fuzz/seeds/; a crashing input lands in
# $BUILD/artifacts/<target>/. Targets run one at a time under nice, so the machine stays usable.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=${FUZZ_BUILD:-$ROOT/build-fuzz}
WHICH=${1:-all}
SECONDS_EACH=${2:-120}
ALL="pol_reader function evaluator pipeline"
[[ $WHICH == all ]] && TARGETS=$ALL || TARGETS=$WHICH
for t in $TARGETS; do
  [[ " $ALL " == *" $t "* ]] || { echo "unknown fuzz target: $t (one of: all $ALL)" >&2; exit 2; }
done

# The code captures structured bindings in lambdas, which clang learnt in version 16.
CLANGXX=${CLANGXX:-clang++-16}
if ! command -v "$CLANGXX" >/dev/null; then
  echo "Installing clang-16 and its libFuzzer runtime"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends clang-16 libclang-rt-16-dev
fi

# Scratch files of the checks go to memory when possible: saving syncs every file it writes.
[[ -z ${TMPDIR:-} && -w /dev/shm ]] && export TMPDIR=/dev/shm
export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-$(command -v llvm-symbolizer-16 || command -v llvm-symbolizer || true)}

SAN="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$CLANGXX" \
  -DNOVRA_FUZZ=ON -DNOVRA_BUILD_TESTS=OFF -DNOVRA_BUILD_UI=OFF -DNOVRA_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$SAN" >/dev/null
# shellcheck disable=SC2086
nice -n 10 cmake --build "$BUILD" -j 2 --target $(for t in $TARGETS; do echo "fuzz_$t"; done)

# Transition texts of the example nets, one per file, for the function fuzzer.
seed_functions() {
  local out=$1 f
  for f in "$ROOT"/examples/*.pol; do
    tr -d '\r' <"$f" | awk -v out="$out/$(basename "$f" .pol)" '
      /^\.section\[transition\]/ { s = 1; next }
      s && /^}/ { s = 0 }
      s && /^tran\[/ {
        t = substr($0, index($0, ",") + 1)
        while (index(t, "]") == 0 && (getline l) > 0) t = t "\n" l
        printf "%s", substr(t, 1, index(t, "]") - 1) > (out "-" (++k))
      }'
  done
}

for t in $TARGETS; do
  corpus=$BUILD/corpus/$t
  seeds=$BUILD/seeds/$t
  mkdir -p "$corpus" "$seeds" "$BUILD/artifacts/$t"
  cp -f "$ROOT"/fuzz/seeds/"$t"/* "$seeds"/ 2>/dev/null || true
  cp -f "$ROOT"/tests/fuzz_regressions/"$t"/* "$seeds"/ 2>/dev/null || true
  dict=()
  case $t in
    pol_reader | pipeline)
      cp -f "$ROOT"/examples/*.pol "$seeds"/
      cp -f "$ROOT"/fuzz/seeds/pol_reader/* "$seeds"/
      dict=(-dict="$ROOT/fuzz/pol.dict") ;;
    function)
      seed_functions "$seeds"
      dict=(-dict="$ROOT/fuzz/function.dict") ;;
    evaluator) ;;
  esac
  maxlen=4096
  [[ $t == pipeline ]] && maxlen=8192
  echo "== fuzz_$t for ${SECONDS_EACH}s (log: $BUILD/logs/$t.log)"
  mkdir -p "$BUILD/logs"
  if ! nice -n 10 "$BUILD/bin/fuzz_$t" "$corpus" "$seeds" "${dict[@]}" -max_total_time="$SECONDS_EACH" \
    -max_len=$maxlen -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$BUILD/artifacts/$t/" >"$BUILD/logs/$t.log" 2>&1; then
    grep -v '^#[0-9]' "$BUILD/logs/$t.log" | tail -40 >&2
    echo "fuzz_$t found a fault; the input is in $BUILD/artifacts/$t/" >&2
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$BUILD/logs/$t.log" || true
  grep -E '^#[0-9]+.*(cov|ft):' "$BUILD/logs/$t.log" | tail -1
done
