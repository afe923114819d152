# Printing from the real Lumora.exe on Wine PostScript printers whose jobs
# become PDFs (tests/wine/print-job.sh). Each job's PDF, rendered pages and
# text stay in the suite's jobs/ folder; the rendered pages the tests keep
# are in screens/ as PNG.
#   GTEST_FILTER='Printing.Cancel*' tests/wine/run-suite.sh print

suite_run() {
  local jobs="$SUITE_DIR/jobs" screens="$SUITE_DIR/screens" tool
  mkdir -p "$jobs" "$screens"
  for tool in ps2pdf pdftoppm pdftotext; do
    check "$tool installed" command -v "$tool" || return
  done
  export LUMORA_PRINT_JOBS LUMORA_PRINT_PORT
  LUMORA_PRINT_JOBS=$(winpath "$jobs")
  LUMORA_PRINT_PORT="|$SOURCE_DIR/tests/wine/print-job.sh $jobs"
  run_test_program print_tests 600 --screens-dir="$(winpath "$screens")"
  local pgm
  for pgm in "$screens"/*.pgm; do
    [ -f "$pgm" ] || continue
    convert "$pgm" -resize 50% "${pgm%.pgm}.png" && rm -f "$pgm"
  done
}
