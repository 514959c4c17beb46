#!/usr/bin/env bash
# Builds the picture decoder's fuzzer with the fuzz preset (into build/clang-fuzz/) and runs it for a
# fixed time from the seed pictures the build writes. Exit 77 (skipped) only when clang or its
# libFuzzer runtime is missing.
set -euo pipefail

source_dir="$1"
seconds="${2:-60}"

if ! command -v clang >/dev/null 2>&1 || ! command -v clang++ >/dev/null 2>&1; then
  echo "clang is not installed: fuzzing skipped"
  exit 77
fi
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
  >"$probe/probe.cpp"
if ! clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1; then
  echo "clang has no libFuzzer runtime (libclang-rt-*-dev): fuzzing skipped"
  exit 77
fi

cd "$source_dir"
# One fuzz build at a time, even when several test runs share this checkout.
mkdir -p build/clang-fuzz
exec 9>build/clang-fuzz/.fuzz-test.lock
flock 9
cmake --preset fuzz >/dev/null
cmake --build build/clang-fuzz -j2 --target fuzz_picture_decoder

artifacts="$source_dir/build/clang-fuzz/fuzz/artifacts/"
mkdir -p "$artifacts" "$probe/corpus"
# Bounded memory: no single allocation over 128 MB, no more than 2 GB in all (with the
# sanitizers' own overhead); no input may take longer than 20 s.
./build/clang-fuzz/fuzz/fuzz_picture_decoder -max_total_time="$seconds" -timeout=20 \
  -malloc_limit_mb=128 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$artifacts" "$probe/corpus" build/clang-fuzz/fuzz/seeds
