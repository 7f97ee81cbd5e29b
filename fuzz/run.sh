#!/usr/bin/env bash
# Builds the fuzz targets and runs each for SECONDS, two at a time, then prints
# a table: target, executions, findings. Exit status 1 when any target found
# something (its input is saved under fuzz/corpus-work/findings/).
# Usage: fuzz/run.sh SECONDS [TARGET ...]
# Environment: FUZZ_MAX_LEN (default 16384), FUZZ_JOBS (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET ...]}
shift
max_len=${FUZZ_MAX_LEN:-16384}
jobs=${FUZZ_JOBS:-2}

tools/install-deps.sh clang libfuzzer-14-dev libclang-rt-14-dev

build=build-fuzz
CC=clang CXX=clang++ cmake -S fuzz -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 >/dev/null

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for exe in "$build"/*_fuzz; do
    targets+=("$(basename "$exe" _fuzz)")
  done
fi

work=fuzz/corpus-work
mkdir -p "$work/findings" "$work/logs"

# One target: its own working corpus (seeded from fuzz/corpus/), its log, and
# findings named after it.
run_one() {
  local t=$1
  local dict=()
  [ -f "fuzz/$t.dict" ] && dict=(-dict="fuzz/$t.dict")
  mkdir -p "$work/$t"
  # The hard limit catches a target that hangs outside libFuzzer's own timer.
  timeout --signal=KILL $((seconds + 300)) "$build/${t}_fuzz" "$work/$t" "fuzz/corpus/$t" \
    "${dict[@]}" -max_total_time="$seconds" -max_len="$max_len" -timeout=20 \
    -rss_limit_mb=2560 -print_final_stats=1 -artifact_prefix="$work/findings/$t-" \
    >"$work/logs/$t.log" 2>&1 || true
}
export -f run_one
export build work seconds max_len

stamp=$(mktemp)
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one {}'

status=0
printf '%-18s %14s  %s\n' target executions findings
for t in "${targets[@]}"; do
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/logs/$t.log" | tail -1)
  found=()
  for f in "$work/findings/$t-"*; do
    [ -e "$f" ] && [ "$f" -nt "$stamp" ] && found+=("$(basename "$f")")
  done
  if [ ${#found[@]} -gt 0 ]; then
    status=1
    printf '%-18s %14s  %s\n' "$t" "${execs:-?}" "${found[*]}"
  else
    printf '%-18s %14s  %s\n' "$t" "${execs:-?}" none
  fi
done
rm -f "$stamp"
exit $status
