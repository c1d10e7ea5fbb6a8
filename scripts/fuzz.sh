#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, AddressSanitizer, UndefinedBehaviorSanitizer) in
# build-fuzz and runs each for a while over its seed corpus and its regression inputs. Fails when a
# target crashes, leaks, hangs or reports undefined behaviour; the input that did it is kept in
# build-fuzz/artifacts/<target>/. Ends with each target's executions and coverage.
#
#   bash scripts/fuzz.sh                 # 10 s per target (the test run)
#   bash scripts/fuzz.sh 600             # on demand: ten minutes per target
#   bash scripts/fuzz.sh 60 jpeg_fuzz    # some targets only
#
# Inputs a run finds are kept in build-fuzz/corpus/<target>/ and used again by later runs.
# TKV_FUZZ_BUILD_JOBS sets the build's parallel jobs (default: the number of processors).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-10}
shift || true
all_targets=(datapacket_fuzz binary_packet_fuzz params_fuzz profile_fuzz settings_fuzz gateway_answer_fuzz card_data_fuzz
  jpeg_fuzz bmp_fuzz codepage_fuzz sql_exec_fuzz variant_fuzz)
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=("${all_targets[@]}")
fi

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DTKV_FUZZ=ON -DTKV_TESTS=OFF -DTKV_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"${TKV_FUZZ_BUILD_JOBS:-$(nproc)}" --target "${targets[@]}"

# Leaks count as failures; undefined behaviour already aborts (-fno-sanitize-recover).
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=()
summary=()
for t in "${targets[@]}"; do
  work=build-fuzz/corpus/$t
  artifacts=build-fuzz/artifacts/$t
  log=build-fuzz/logs/$t.log
  mkdir -p "$work" "$artifacts" build-fuzz/logs
  dirs=("$work" "fuzz/corpus/$t")
  [ -d "fuzz/regressions/$t" ] && dirs+=("fuzz/regressions/$t")
  extra=()
  case $t in
  # The insurance answer buffer is 5000 bytes: longer answers reach its end checks.
  gateway_answer_fuzz) extra=(-max_len=8192) ;;
  esac
  echo "== $t: ${seconds}s"
  status=ok
  if ! build-fuzz/fuzz/"$t" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2560 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "${extra[@]}" "${dirs[@]}" >"$log" 2>&1; then
    status=FAILED
    failed+=("$t")
    grep -E "ERROR|SUMMARY|Test unit written" "$log" || tail -20 "$log"
  fi
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  last=$(grep -E '^#[0-9]+[[:space:]]' "$log" | tail -1)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  corp=$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$last")
  summary+=("$(printf '%-22s %-7s execs %-10s exec/s %-7s cov %-6s ft %-6s corpus %s' "$t" "$status" \
    "${execs:-?}" "${rate:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}")")
done

echo
echo "Fuzzing, ${seconds}s per target:"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "failed: ${failed[*]} (logs in build-fuzz/logs, inputs in build-fuzz/artifacts)"
  exit 1
fi
