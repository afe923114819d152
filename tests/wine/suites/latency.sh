# What a reader feels: the real Lumora.exe timed from an action to its effect
# (start-up against a bare window that paints one line; the next day, the
# calendar picker, "Not Found!" after a search through the whole book, the
# copy and the print against their anchors), each the median of at least 20
# repetitions (LUMORA_LATENCY_REPETITIONS for quick local runs). Prints the
# table (also kept in latency_bench.out). The goals are reported, not
# enforced: the suite fails only when a measurement cannot be taken. The
# first of each effect measured on the screen is kept in screens/.
#   LUMORA_LATENCY_REPETITIONS=5 tests/wine/run-suite.sh --build build/win64 latency

suite_run() {
  local jobs="$SUITE_DIR/jobs"
  mkdir -p "$jobs"
  # The printer's port keeps each job's PostScript as it comes, nothing
  # more: the job is written once the port has it all. The test names the
  # job beforehand in JOBS/next ("BASE DPI").
  cat >"$SUITE_DIR/port.sh" <<'PORT'
#!/bin/sh
jobs=$1
base=unnamed
[ -f "$jobs/next" ] && read -r base _ <"$jobs/next"
cat >"$jobs/$base.ps"
: >"$jobs/$base.done"
PORT
  chmod +x "$SUITE_DIR/port.sh"
  export LUMORA_PRINT_JOBS LUMORA_PRINT_PORT LUMORA_LATENCY_REPETITIONS
  LUMORA_PRINT_JOBS=$(winpath "$jobs")
  LUMORA_PRINT_PORT="|$SUITE_DIR/port.sh $jobs"
  LUMORA_LATENCY_REPETITIONS=${LUMORA_LATENCY_REPETITIONS:-20}
  local screens="$SUITE_DIR/screens"
  mkdir -p "$screens"
  run_test_program latency_bench 600 --screens-dir="$(winpath "$screens")"
  keep_screenshots "$screens"
}
