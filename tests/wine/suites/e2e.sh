# The real Lumora.exe driven end to end by e2e_tests.exe from the same
# prefix; the screenshots it takes are kept as PNG in the suite's folder.
# GTEST_FILTER in the environment runs a part, e.g.
#   GTEST_FILTER='Days.*' tests/wine/run-suite.sh e2e

suite_run() {
  local exe="$BUILD_DIR/tests/win32/e2e_tests.exe" code screens="$SUITE_DIR/screens" bmp
  check "e2e_tests.exe built" test -f "$exe" || return
  mkdir -p "$screens"
  wine_run 600 "$SUITE_DIR/e2e_tests" "$exe" \
    --gtest_output="xml:$(winpath "$SUITE_DIR/e2e_tests.xml")" \
    --lumora-exe="$(winpath "$BUILD_DIR/Lumora.exe")" \
    --book-dir="$(winpath "$BUILD_DIR/book")" \
    --screens-dir="$(winpath "$screens")"
  code=$?
  cat "$SUITE_DIR/e2e_tests.out"
  [ "$code" = 0 ] || cat "$SUITE_DIR/e2e_tests.err"
  check_exit "e2e_tests.exe" 0 "$code"
  for bmp in "$screens"/*.bmp; do
    [ -f "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
}
