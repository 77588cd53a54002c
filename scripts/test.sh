#!/usr/bin/env bash
# Installs what is missing, builds, and checks the calculator in three stages: every test; the loan
# file reader fuzzed for 30 seconds; every test again built with AddressSanitizer and
# UndefinedBehaviorSanitizer. A failing stage does not stop the next (a build that fails does).
# The run ends with one summary of the stages and every test that did not run, with the reason it
# gave; it exits 1 when a stage failed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
summary=()
not_run=()
failed=0

note() { # STAGE TEXT...: one line of the summary
  local stage=$1
  shift
  summary+=("$(printf '%-11s %s' "$stage" "$*")")
}

print_summary() {
  echo
  echo "== Summary =="
  printf '%s\n' "${summary[@]}"
  if ((${#not_run[@]})); then
    echo "Did not run:"
    printf '  %s\n' "${not_run[@]}"
  fi
}

# Each test's reason for not running, as "name<tab>reason": a script's "SKIPPED: reason" line, or
# the line after GoogleTest's "file:line: Skipped".
skip_reasons() { # LASTTEST.LOG
  awk '
    /^[0-9]+\/[0-9]+ Test: / { name = $0; sub(/^[0-9]+\/[0-9]+ Test: /, "", name); next }
    after_skip { if (!(name in why) && $0 !~ /^\[  SKIPPED \]/) why[name] = $0; after_skip = 0; next }
    /^SKIPPED: / { r = $0; sub(/^SKIPPED: /, "", r); if (!(name in why)) why[name] = r; next }
    /: Skipped$/ { after_skip = 1 }
    END { for (n in why) print n "\t" why[n] }
  ' "$1"
}

run_tests() { # STAGE BUILD_DIR
  local stage=$1 dir=$2 status=0 line name state total
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" 2>&1 | tee "$dir/ctest.log" || status=$?

  local -A why=()
  while IFS=$'\t' read -r name line; do why[$name]=$line; done \
    < <(skip_reasons "$dir/Testing/Temporary/LastTest.log" 2>/dev/null)
  # CTest ends with the lists "did not run" (skipped) and "FAILED", one "\t N - name (state)" a line.
  local skipped=0 failures=()
  while IFS=$'\t' read -r state name line; do
    if [ "$state" = skipped ]; then
      skipped=$((skipped + 1))
      not_run+=("$(printf '%-11s %s: %s' "$stage" "$name" "${why[$name]:-"($line, no reason printed)"}")")
    else
      failures+=("$name")
    fi
  done < <(awk '
    /^The following tests did not run:/ { list = "skipped"; next }
    /^The following tests FAILED:/ { list = "failed"; next }
    list && match($0, /^\t *[0-9]+ - .* \([^)]*\)$/) {
      entry = $0; sub(/^\t *[0-9]+ - /, "", entry)
      state = entry; sub(/^.* \(/, "", state); sub(/\)$/, "", state)
      sub(/ \([^)]*\)$/, "", entry)
      print list "\t" entry "\t" state; next
    }
    { list = "" }
  ' "$dir/ctest.log")

  total=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' "$dir/ctest.log")
  if [ -z "$total" ]; then
    note "$stage" "FAILED: CTest ran no tests (exit $status)"
    failed=1
  elif ((${#failures[@]})); then
    line=$(printf ', %s' "${failures[@]}")
    note "$stage" "FAILED: ${#failures[@]} of $total failed: ${line:2}"
    failed=1
  elif ((status != 0)); then
    note "$stage" "FAILED: CTest exited with $status"
    failed=1
  else
    note "$stage" "passed: $((total - skipped)) of $total ran and passed, $skipped did not run"
  fi
}

echo "== tests =="
if ! bash scripts/build.sh; then
  note tests "FAILED: the build failed (the compiler's messages are above)"
  print_summary
  exit 1
fi
run_tests tests build

echo "== the loan file reader, fuzzed =="
fuzz_log=$(mktemp)
trap 'rm -f "$fuzz_log"' EXIT
if bash scripts/fuzz.sh 2>&1 | tee "$fuzz_log"; then :; else failed=1; fi
outcome=$(tail -n 1 "$fuzz_log")
case $outcome in
  fuzzing\ *) note fuzzing "${outcome#fuzzing }" ;;
  *) note fuzzing "FAILED: the fuzz target did not build (the messages are above)" ;;
esac

echo "== every test with AddressSanitizer and UndefinedBehaviorSanitizer =="
if cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORTGAGE_WERROR=ON \
  -DMORTGAGE_SANITIZE=ON -DMORTGAGE_BENCH=OFF >/dev/null && cmake --build build-sanitize; then
  run_tests sanitizers build-sanitize
else
  note sanitizers "FAILED: the build failed (the compiler's messages are above)"
  failed=1
fi

print_summary
exit "$failed"
