# The names of the failed tests in a log (standard input), one a line, as ctest names them:
# a value-parameterised gtest case with its parameter after "  # ", e.g.
# "Delays/LateStopSwitch.Stops/750ms  # GetParam() = 750". Sourced by scripts/repeat-tests
# and scripts/lib/tsan.sh.

# From ctest's output: the list under "The following tests FAILED:", where each line is
# "<number> - <name> (<status>)" and the name may hold spaces and parentheses.
ctest_failed_names() {
  sed -nE '/^The following tests FAILED:/,$ s/^[[:space:]]*[0-9]+ - (.*) \([^()]*\)$/\1/p'
}

# From a gtest program's output: the line that ends each failed case, "[  FAILED  ] <name>
# (<n> ms)", where gtest writes a parameter as ", where GetParam() = ...".
gtest_failed_names() {
  sed -nE '/^\[  FAILED  \] .* \([0-9]+ ms\)$/ { s/^\[  FAILED  \] (.*) \([0-9]+ ms\)$/\1/; s/, where /  # /; p }'
}
