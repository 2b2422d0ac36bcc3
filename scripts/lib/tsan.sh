# The ThreadSanitizer tree, its threaded test programs, their options and how a run of one is
# judged. Sourced by scripts/tsan and scripts/repeat-tests from the source folder, so that a
# repeat judges each run as the test command does.
source "$(dirname "${BASH_SOURCE[0]}")/failed-tests.sh"

TSAN_BUILD=${ZAVO_TSAN_BUILD:-build/tsan}
TSAN_TESTS=(Common/test_common Network/test_network Display/test_display Playback/test_playback EMap/test_emap
            DVRSetup/test_dvrsetup Viewer/test_viewer DisplayGL/test_screen_gl)
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
export ZAVO_WHOLE_PROGRAM_SECONDS=${ZAVO_WHOLE_PROGRAM_SECONDS:-60}
# The exit status a program gets from ThreadSanitizer when it reported something (also on a
# crash it caught): never 0, so no program ends "well" with its run cut short.
TSAN_REPORTED=66
TSAN_RUN_OPTIONS="halt_on_error=0:exitcode=$TSAN_REPORTED:second_deadlock_stack=1:history_size=7:print_suppressions=1"
TSAN_SUPPRESSIONS=$PWD/tests/support/tsan.supp
TSAN_RUN_OPTIONS="$TSAN_RUN_OPTIONS:suppressions=$TSAN_SUPPRESSIONS"
# The window tests draw with OpenGL on an X server: Xvfb when there is none.
TSAN_X=()
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run > /dev/null; then
  TSAN_X=(xvfb-run -a -s "-screen 0 1280x1024x24")
fi

# Starts one Xvfb for the rest of the calling script when there is no X server, so that each
# program's exit status is its own: xvfb-run's clean-up can fail after the program (status 5).
# tsan_stop_x stops it by its process id.
tsan_start_x() {
  { [ -z "${DISPLAY:-}" ] && command -v Xvfb > /dev/null; } || return 0
  local ready
  ready=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3> "$ready" 2> /dev/null &
  TSAN_XVFB_PID=$!
  for _ in $(seq 1 300); do
    grep -q '^[0-9][0-9]*$' "$ready" && break
    kill -0 "$TSAN_XVFB_PID" 2> /dev/null || break
    sleep 0.1
  done
  if ! grep -q '^[0-9][0-9]*$' "$ready"; then
    rm -f "$ready"
    echo "ThreadSanitizer: Xvfb did not start" >&2
    tsan_stop_x
    return 1
  fi
  export DISPLAY=:$(cat "$ready")
  rm -f "$ready"
  TSAN_X=()
}
tsan_stop_x() {
  if [ -n "${TSAN_XVFB_PID:-}" ]; then
    kill "$TSAN_XVFB_PID" 2> /dev/null || true
    wait "$TSAN_XVFB_PID" 2> /dev/null || true
    TSAN_XVFB_PID=
  fi
}

# Configures the tree and builds the given targets in it.
tsan_build() {
  cmake -S . -B "$TSAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZAVO_SANITIZE=OFF \
    -DZAVO_TESTS=ON -DZAVO_BENCHMARKS=OFF \
    -DCMAKE_C_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread"
  cmake --build "$TSAN_BUILD" -j "${JOBS:-$(nproc)}" --target "$@"
}

# Runs a command on the X server, llvmpipe drawing on the thread that calls OpenGL: Mesa's
# rasteriser threads would take the pictures over through futexes ThreadSanitizer cannot see,
# and none of Mesa's reports is tolerated.
tsan_on_x() {
  "${TSAN_X[@]}" env QT_QPA_PLATFORM=xcb LP_NUM_THREADS=0 "$@"
}

# Runs a test program of TSAN_TESTS with the given arguments, on the X server when it is the
# window tests' or the OpenGL wall's (whose pictures go from their decoders to the upload and
# back) and there is one. TSAN_OPTIONS comes from the caller.
tsan_exec() {
  local t=$1
  shift
  if { [ "${t##*/}" = test_viewer ] || [ "${t##*/}" = test_screen_gl ]; } && { [ -n "${DISPLAY:-}" ] || [ ${#TSAN_X[@]} -gt 0 ]; }; then
    tsan_on_x "$TSAN_BUILD/tests/$t" "$@"
  else
    env QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$TSAN_BUILD/tests/$t" "$@"
  fi
}

# Sorts ThreadSanitizer log lines (standard input): prints "reports N other M", then every line
# that is neither part of a report nor of a suppression table.
tsan_sort_log() {
  awk '
    /^WARNING: ThreadSanitizer: / { reports++; report = 1; next }
    report { if (/^SUMMARY: ThreadSanitizer: /) report = 0; next }
    /^ThreadSanitizer: Matched [0-9]+ suppressions/ { table = 1; next }
    table && /^ *[0-9]+ [a-z_]+:/ { next }
    { table = 0 }
    /^=+$/ || /^$/ || /^ThreadSanitizer: reported [0-9]+ warnings$/ { next }
    { other[++others] = $0 }
    END {
      printf "reports %d other %d\n", reports, others
      for (i = 1; i <= others; i++) print other[i]
    }'
}

# The reports counted in a sorted log.
tsan_reports() { sed -n '1s/^reports \([0-9]*\) .*/\1/p' <<< "$1"; }

# The reports in ThreadSanitizer log lines (standard input) whose two accesses were both made
# from the given function: a frame of each access's stack names it.
tsan_reports_at() {
  awk -v site="$1" '
    /^WARNING: ThreadSanitizer: / { report = 1; access = 0; at[1] = at[2] = 0; next }
    !report { next }
    /^SUMMARY: ThreadSanitizer: / { if (at[1] && at[2]) n++; report = 0; next }
    /^  [A-Za-z ]*([Rr]ead|[Ww]rite) of size [0-9]+ at / { access++; section = access; next }
    /^  [^ ]/ { section = 0; next }
    section <= 2 && /^    #[0-9]+ / && index($0, site) { at[section] = 1 }
    END { print n + 0 }'
}

# Judges a test program's run from its exit status, its standard output (a file) and its
# sorted log: prints one line for each thing wrong and fails when there is any. Wrong are
# failed tests, any exit status but 0 that they or ThreadSanitizer's reports do not explain
# (the reports are the caller's to count), a missing final PASSED line of gtest's, and
# anything else in the log (a crash, a failed check, a suppressed library unloaded).
tsan_judge() {
  local status=$1 out=$2 sorted=$3 failed wrong=0
  failed=$(gtest_failed_names < "$out" | grep -c . || true)
  if [ "$failed" -gt 0 ]; then
    echo "$failed test(s) failed"
    wrong=1
  elif [ "$status" -ne 0 ] && ! { [ "$status" -eq "$TSAN_REPORTED" ] && [ "$(tsan_reports "$sorted")" -gt 0 ]; }; then
    echo "ended with status $status"
    wrong=1
  fi
  if ! grep -q '^\[  PASSED  \] ' "$out"; then
    echo "did not reach gtest's final PASSED line"
    wrong=1
  fi
  if [ "$(sed -n '1s/.* other //p' <<< "$sorted")" -ne 0 ]; then
    echo "its ThreadSanitizer log holds more than reports and suppression tables:"
    sed 1d <<< "$sorted" | head -20
    wrong=1
  fi
  return $wrong
}
