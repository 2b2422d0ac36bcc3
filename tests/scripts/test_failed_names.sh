#!/usr/bin/env bash
# The failed-test names the scripts read from logs, fed the real output of a gtest program
# (cases with known outcomes) and of ctest running its cases under the names ctest's test
# discovery gives them.
#   test_failed_names.sh CASES_PROGRAM FAILED_TESTS_LIB
set -uo pipefail
cases=$(realpath "$1")
source "$2"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cases" > "$work/gtest.log" 2>&1

# The ctest names of the cases, as gtest_discover_tests makes them (the parameter after "  # "
# when the case's own name does not hold it).
plain_failed='Plain.Fails'
plain_passed='Plain.Passes'
param_failed='Late/Delays.EndInTime/1500ms  # GetParam() = 1500'
param_passed='Late/Delays.EndInTime/750ms  # GetParam() = 750'
{
  for name in "$plain_failed" "$plain_passed" "$param_failed" "$param_passed"; do
    filter=${name%%  #*}
    echo "add_test([=[$name]=] \"$cases\" --gtest_filter=$filter)"
  done
} > "$work/CTestTestfile.cmake"
ctest --test-dir "$work" --output-on-failure > "$work/ctest.log" 2>&1

failures=0
check() {
  local what=$1 expected=$2 actual=$3
  if [ "$expected" = "$actual" ]; then
    echo "ok    $what"
  else
    echo "FAIL  $what"
    echo "      expected: $expected"
    echo "      actual:   $actual"
    failures=$((failures + 1))
  fi
}
named() { grep -qxF "$2" <<< "$1" && echo yes || echo no; }

gtest=$(gtest_failed_names < "$work/gtest.log")
check "gtest: a failed case is named" yes "$(named "$gtest" "$plain_failed")"
check "gtest: a failed parameterised case is named as ctest names it" yes "$(named "$gtest" "$param_failed")"
check "gtest: a passed parameterised case is not named" no "$(named "$gtest" "$param_passed")"
check "gtest: each failed case is named once" 2 "$(grep -c . <<< "$gtest")"

ctest=$(ctest_failed_names < "$work/ctest.log")
check "ctest: a failed test is named" yes "$(named "$ctest" "$plain_failed")"
check "ctest: a failed parameterised test is named whole" yes "$(named "$ctest" "$param_failed")"
check "ctest: a passed parameterised test is not named" no "$(named "$ctest" "$param_passed")"
check "ctest: each failed test is named once" 2 "$(grep -c . <<< "$ctest")"

check "both logs name the same failures" "$(sort <<< "$gtest")" "$(sort <<< "$ctest")"

if [ "$failures" -gt 0 ]; then
  echo "--- gtest log"; cat "$work/gtest.log"
  echo "--- ctest log"; cat "$work/ctest.log"
fi
[ "$failures" -eq 0 ]
