#!/usr/bin/env bash
# Builds the picture decoder's fuzzer with the fuzz preset into the folder given (inside the build
# tree of the test run, never the checkout) and runs it for a fixed time from the seed pictures the
# build writes. Exit 77 (skipped) only when clang or its libFuzzer runtime is missing.
set -euo pipefail

source_dir="$1"
build_dir="$2"
seconds="${3:-60}"

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

# One fuzz build at a time in that folder (`make fuzz` builds into the same one for build/).
mkdir -p "$build_dir"
exec 9>"$build_dir/.fuzz-test.lock"
flock 9
# The presets are read from the checkout; -B puts this build where the test run says.
(cd "$source_dir" && cmake --preset fuzz -B "$build_dir" >/dev/null)
cmake --build "$build_dir" -j2 --target fuzz_picture_decoder

artifacts="$build_dir/fuzz/artifacts/"
mkdir -p "$artifacts" "$probe/corpus"
# Bounded memory: no single allocation over 128 MB, no more than 2 GB in all (with the
# sanitizers' own overhead); no input may take longer than 20 s.
"$build_dir/fuzz/fuzz_picture_decoder" -max_total_time="$seconds" -timeout=20 \
  -malloc_limit_mb=128 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$artifacts" "$probe/corpus" "$build_dir/fuzz/seeds"
