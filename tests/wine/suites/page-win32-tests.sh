# The page's layout and painting with GDI and real fonts (page_win32_tests,
# against the containers the packer wrote), and screenshots of laid-out
# lessons, kept as PNG in the suite's folder under screens/.

has_png() { compgen -G "$1/*.png" >/dev/null; }

suite_run() {
  local exe="$BUILD_DIR/tests/win32/page_win32_tests.exe" code shots="$SUITE_DIR/screens" f
  check "page_win32_tests.exe built" test -f "$exe" || return
  mkdir -p "$shots"
  wine_run 300 "$SUITE_DIR/page_win32_tests" "$exe" \
    --gtest_output="xml:$(winpath "$SUITE_DIR/page_win32_tests.xml")" \
    --book-dir="$(winpath "$BUILD_DIR/book")" \
    --screens-dir="$(winpath "$shots")"
  code=$?
  cat "$SUITE_DIR/page_win32_tests.out"
  [ "$code" = 0 ] || cat "$SUITE_DIR/page_win32_tests.err"
  check_exit "page_win32_tests.exe" 0 "$code"
  for f in "$shots"/*.bmp; do
    [ -e "$f" ] || continue
    convert "$f" "${f%.bmp}.png" && rm -f "$f"
  done
  check "screenshots saved in $shots" has_png "$shots"
}
