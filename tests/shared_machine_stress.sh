#!/usr/bin/env bash
# Shows that the tests hold on a shared, busy machine: while a from-scratch
# build of the project runs over and over with twice as many jobs as cores,
# two Windows test runs from two build trees (build-windows, build-windows2)
# and one Linux test run (build) go at the same time, round after round.
#   tests/shared_machine_stress.sh [rounds]
# Builds the three trees first. Exits non-zero if any run failed; the runs'
# output is left in the folder it names.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-3}
jobs=$(nproc)
out=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-stress.XXXXXX")

windows_options=(-DCMAKE_BUILD_TYPE=Release
                 -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw-w64.cmake")
for tree in build-windows build-windows2; do
  cmake -S . -B "$tree" -G Ninja -DQUILLMERE_WERROR=ON "${windows_options[@]}" >/dev/null
  cmake --build "$tree" -j"$jobs" >/dev/null
done
cmake -S . -B build -G Ninja -DQUILLMERE_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" >/dev/null

# The load: in a process group of its own, ended with the script.
setsid bash -c '
  while :; do
    echo "load build begun"
    rm -rf "$0/load-build"
    if cmake -S . -B "$0/load-build" -G Ninja >/dev/null &&
      cmake --build "$0/load-build" -j"$1" >/dev/null; then
      echo "load build finished"
    fi
  done' "$out" $((2 * jobs)) </dev/null >"$out/load.log" 2>&1 &
load=$!
trap 'kill -- -$load 2>/dev/null || true' EXIT

failed=0
for round in $(seq "$rounds"); do
  pids=() names=()
  for tree in build-windows build-windows2; do
    ctest --test-dir "$tree" --output-on-failure >"$out/$round-$tree.log" 2>&1 &
    pids+=($!) names+=("$tree")
  done
  QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs" \
    >"$out/$round-build.log" 2>&1 &
  pids+=($!) names+=(build)
  for k in "${!pids[@]}"; do
    log="$out/$round-${names[$k]}.log"
    if wait "${pids[$k]}"; then result=passed; else result=FAILED failed=1; fi
    printf 'round %s  %-15s %-7s %s (%s)\n' "$round" "${names[$k]}" "$result" \
      "$(grep -E 'tests passed' "$log" || echo 'no summary')" \
      "$(grep -E '^Total Test time' "$log" | sed 's/Total Test time (real) = *//')"
    [ $result = passed ] || sed -n '/tests FAILED:/,$p' "$log" | grep -E '^\s+[0-9]+ - ' || true
  done
  echo "round $round: load average $(cut -d' ' -f1-3 /proc/loadavg); load builds so far:" \
    "$(grep -c 'load build begun' "$out/load.log" || true) begun," \
    "$(grep -c 'load build finished' "$out/load.log" || true) finished"
done
echo "logs in $out"
exit $failed
