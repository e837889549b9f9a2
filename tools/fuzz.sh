#!/usr/bin/env bash
# Builds the fuzz preset (Clang, libFuzzer, AddressSanitizer and UBSan) and runs every fuzz
# target for the given number of seconds each (default 60), starting from the seed corpus under
# tests/fuzz/corpus/. Prints each target's executions and any finding; exits with 1 when a
# target found something. Inputs the fuzzer finds interesting are kept in build-fuzz/corpus/,
# findings in build-fuzz/findings/. FUZZ_JOBS runs that many targets at once (default 1; the
# figures of each then depend on how busy the machine is). Not part of ./test.
#
#   tools/fuzz.sh [seconds]        FUZZ_TARGETS="settings_file ack_check" tools/fuzz.sh 10
#   FUZZ_JOBS=2 tools/fuzz.sh 300
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

# Clang and the fuzzer runtime come with Debian's clang and libclang-rt-<version>-dev.
clang_version=14
if command -v clang++ >/dev/null; then
  clang_version=$(clang++ -dumpversion | cut -d. -f1)
fi
extra=()
command -v clang++ >/dev/null || extra+=(clang)
ls /usr/lib/llvm-"$clang_version"/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 ||
  extra+=("libclang-rt-$clang_version-dev")
./tools/setup.sh "${extra[@]}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_targets -j "${FUZZ_BUILD_JOBS:-$(nproc)}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

# Longest input per target: room for the cases that matter (a bank file that runs past its bank,
# system exclusive longer than the input buffers or than the framer keeps), and for the formats of
# a fixed small size a few times that size, so that the fuzzer does not spend its time on bytes
# no reader looks at.
max_len() {
  case "$1" in
    wavetable_file) echo 40000 ;;
    midi_input | midi_stream_framer) echo 8192 ;;
    parameter_image) echo 64 ;;
    ack_check | parameter_reply | block_unpacker) echo 256 ;;
    spectrum_file | waveform_file) echo 512 ;;
    waveform_sysex) echo 1024 ;;
    *) echo 4096 ;;
  esac
}

# Largest single allocation per target, in MB, where a bad header could ask for far more than
# the reader ever needs (libFuzzer's own limit is its 2 GB memory limit).
malloc_limit() {
  case "$1" in
    wave_import) echo 256 ;;
    *) echo 0 ;;
  esac
}

build=build-fuzz
mkdir -p "$build/corpus" "$build/findings" "$build/logs"
targets=${FUZZ_TARGETS:-$(ls tests/fuzz/corpus)}

# Runs one target, prints its line and leaves its result in logs/<target>.found (1: a finding).
run_target() {
  local target=$1
  local binary=$build/tests/fuzz/fuzz_$target
  local corpus=$build/corpus/$target
  local log=$build/logs/$target.log
  mkdir -p "$corpus"
  rm -f "$build/findings/$target-"*
  local status=0
  "$binary" -max_total_time="$seconds" -max_len="$(max_len "$target")" -print_final_stats=1 \
    -malloc_limit_mb="$(malloc_limit "$target")" \
    -artifact_prefix="$build/findings/$target-" "$corpus" "tests/fuzz/corpus/$target" \
    >"$log" 2>&1 || status=$?
  local executions findings
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  findings=$(ls "$build/findings/$target-"* 2>/dev/null || true)
  if [ "$status" -ne 0 ] || [ -n "$findings" ]; then
    echo 1 >"$build/logs/$target.found"
    # One write, so that the lines of targets running at once do not mix.
    local report lines
    report="$target: ${executions:-?} executions in ${seconds} s, FINDING (exit $status): ${findings:-see $log}"
    lines=$(grep -m 5 -E "ERROR|property does not hold|runtime error" "$log" | sed 's/^/    /' || true)
    [ -z "$lines" ] || report+=$'\n'$lines
    printf '%s\n' "$report"
  else
    echo 0 >"$build/logs/$target.found"
    echo "$target: ${executions:-?} executions in ${seconds} s, no finding"
  fi
}

jobs_at_once=${FUZZ_JOBS:-1}
for target in $targets; do
  rm -f "$build/logs/$target.found"
  while [ "$(jobs -rp | wc -l)" -ge "$jobs_at_once" ]; do wait -n || true; done
  run_target "$target" &
done
wait

found=0
for target in $targets; do
  [ "$(cat "$build/logs/$target.found" 2>/dev/null || echo 1)" = 0 ] || found=1
done
exit "$found"
