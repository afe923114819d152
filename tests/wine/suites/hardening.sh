# The reader under conditions a user never means to create: memory running
# out at each place it is asked for, a storm of odd window messages, and
# every setting stored in every damaged form (printing to the PDF printer of
# the print suite). Runs the fault-injection build of the reader
# (LumoraFaults.exe), never the shipped one.
#   GTEST_FILTER='OutOfMemory.*' tests/wine/run-suite.sh hardening

suite_run() {
  local screens="$SUITE_DIR/screens" jobs="$SUITE_DIR/jobs"
  mkdir -p "$screens" "$jobs"
  check "ps2pdf installed" command -v ps2pdf || return
  export LUMORA_PRINT_JOBS LUMORA_PRINT_PORT
  LUMORA_PRINT_JOBS=$(winpath "$jobs")
  LUMORA_PRINT_PORT="|$SOURCE_DIR/tests/wine/print-job.sh $jobs"
  run_test_program hardening_tests 900 --screens-dir="$(winpath "$screens")" \
    --lumora-exe="$(winpath "$BUILD_DIR/tests/win32/LumoraFaults.exe")"
  keep_screenshots "$screens"
}
