# The real Lumora.exe driven end to end by e2e_tests.exe from the same
# prefix; the screenshots it takes are kept as PNG in the suite's folder.
# GTEST_FILTER in the environment runs a part, e.g.
#   GTEST_FILTER='Days.*' tests/wine/run-suite.sh e2e

suite_run() {
  local screens="$SUITE_DIR/screens"
  mkdir -p "$screens"
  run_test_program e2e_tests 600 --screens-dir="$(winpath "$screens")"
  keep_screenshots "$screens"
}
