# The page's layout and painting with GDI and real fonts (page_win32_tests,
# against the containers the packer wrote), and screenshots of laid-out
# lessons, kept as PNG in the suite's folder under screens/.

has_png() { compgen -G "$1/*.png" >/dev/null; }

suite_run() {
  local shots="$SUITE_DIR/screens"
  mkdir -p "$shots"
  run_test_program page_win32_tests 300 --screens-dir="$(winpath "$shots")" || return
  keep_screenshots "$shots"
  check "screenshots saved in $shots" has_png "$shots"
}
