#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang into build-fuzz/: every fuzz/<lib>/fuzz_*.cpp is linked
# with lectern_<lib> (or glossa_core for fuzz/glossa), instrumented with ASan and UBSan.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
OUT="$ROOT/build-fuzz"
cmake -S "$ROOT" -B "$OUT" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=Debug -DVERBALOOM_TESTS=OFF -DVERBALOOM_FUZZ=ON \
  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
cmake --build "$OUT" -j"$(nproc)" --target verbaloom_fuzzers
