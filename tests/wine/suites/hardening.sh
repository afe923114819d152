# The reader under conditions a user never means to create: memory running
# out at each place it is asked for, and a storm of odd window messages. Runs the fault-injection build of the
# reader (LumoraFaults.exe), never the shipped one.
#   GTEST_FILTER='OutOfMemory.*' tests/wine/run-suite.sh hardening

suite_run() {
  local screens="$SUITE_DIR/screens"
  mkdir -p "$screens"
  run_test_program hardening_tests 900 --screens-dir="$(winpath "$screens")" \
    --lumora-exe="$(winpath "$BUILD_DIR/tests/win32/LumoraFaults.exe")"
  keep_screenshots "$screens"
}
