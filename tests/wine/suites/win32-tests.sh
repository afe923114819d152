# The GoogleTest programs of tests/win32, against the real Lumora.exe and the
# containers the packer wrote for it.

suite_run() {
  local exe="$BUILD_DIR/tests/win32/win32_tests.exe" code
  check "win32_tests.exe built" test -f "$exe" || return
  wine_run 300 "$SUITE_DIR/win32_tests" "$exe" \
    --gtest_output="xml:$(winpath "$SUITE_DIR/win32_tests.xml")" \
    --lumora-exe="$(winpath "$BUILD_DIR/Lumora.exe")" \
    --book-dir="$(winpath "$BUILD_DIR/book")"
  code=$?
  cat "$SUITE_DIR/win32_tests.out"
  [ "$code" = 0 ] || cat "$SUITE_DIR/win32_tests.err"
  check_exit "win32_tests.exe" 0 "$code"
}
