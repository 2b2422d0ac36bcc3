# The sanitizer options of the ASan test runs (scripts/test, scripts/repeat-tests); sourced from
# the source tree's root. Options set beforehand are kept.
#
# ASan's strndup check reads one byte past the given length when the string fills it, which
# the keymap names of libxkbcommon-x11 do: it would abort every xcb test in Qt's start-up.
# Its __tls_get_addr interceptor takes a dynamic TLS block at offset 16 in its page for one
# with an old glibc's header in front and records the header's bytes as the block; the leak
# checker then reads that made-up range and its tracer dies (1 in 60 runs of the OpenGL tests
# under Xvfb). Without the interceptor the blocks are still scanned: glibc allocates them with
# the malloc the leak checker follows, and reaches them from the thread's own TLS.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:intercept_strndup=0:intercept_tls_get_addr=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/support/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
