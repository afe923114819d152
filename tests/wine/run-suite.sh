#!/usr/bin/env bash
# Runs one suite of the Wine harness on a display and in a prefix of its own.
#
#   tests/wine/run-suite.sh [--build DIR] [--packer PATH] [--work DIR] [--keep] SUITE
#
# SUITE is a file in tests/wine/suites/ (name with or without .sh, or a path).
# --build   the Windows build (default build/win; LUMORA_WIN_BUILD)
# --packer  the host-built lumora-book (default build/host/tools/lumora-book;
#           LUMORA_PACKER)
# --work    where the template, prefixes and logs go (default BUILD/wine;
#           LUMORA_WINE_WORK)
# --keep    leave the suite's prefix in place afterwards, to look into it
#
# The prefix template is made on first use and then reused; a ctest run makes
# a new one at its start. Logs and screenshots stay in WORK/suites/SUITE/.
# Exit status 0 when every check of the suite passed.
set -uo pipefail

HARNESS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
SOURCE_DIR=$(cd "$HARNESS_DIR/../.." && pwd)
# shellcheck source=lib.sh
source "$HARNESS_DIR/lib.sh"

BUILD_DIR=${LUMORA_WIN_BUILD:-$SOURCE_DIR/build/win}
PACKER=${LUMORA_PACKER:-$SOURCE_DIR/build/host/tools/lumora-book}
WORK=${LUMORA_WINE_WORK:-}
KEEP=0
SUITE=""
while [ $# -gt 0 ]; do
  case $1 in
    --build) BUILD_DIR=$2; shift 2 ;;
    --packer) PACKER=$2; shift 2 ;;
    --work) WORK=$2; shift 2 ;;
    --keep) KEEP=1; shift ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) SUITE=$1; shift ;;
  esac
done
[ -n "$SUITE" ] || { sed -n '2,17p' "$0" >&2; exit 2; }

# A suite without its tools would prove nothing: that is a failure.
for tool in wine wineserver Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL $tool is not installed" >&2; exit 1; }
done

SUITE_FILE=$SUITE
[ -f "$SUITE_FILE" ] || SUITE_FILE="$HARNESS_DIR/suites/${SUITE%.sh}.sh"
[ -f "$SUITE_FILE" ] || { echo "no suite $SUITE in $HARNESS_DIR/suites" >&2; exit 2; }
SUITE_NAME=$(basename "$SUITE_FILE" .sh)

BUILD_DIR=$(cd "$BUILD_DIR" 2>/dev/null && pwd) || { echo "no Windows build at $BUILD_DIR" >&2; exit 2; }
[ -n "${LUMORA_WINE_ARCH:-}" ] || wine_use_arch "$(pe_arch "$BUILD_DIR/Lumora.exe")"
WORK=${WORK:-$BUILD_DIR/wine}
mkdir -p "$WORK"
WORK=$(cd "$WORK" && pwd)
SUITE_DIR="$WORK/suites/$SUITE_NAME"
rm -rf "$SUITE_DIR"
mkdir -p "$SUITE_DIR"
export WINEPREFIX="$SUITE_DIR/prefix"

# --- Checks, as suites report them -------------------------------------------

CHECKS_PASSED=0
CHECKS_FAILED=0

pass() { CHECKS_PASSED=$((CHECKS_PASSED + 1)); echo "PASS $1"; }
fail() { CHECKS_FAILED=$((CHECKS_FAILED + 1)); echo "FAIL $1${2:+: $2}"; }

# check_exit NAME EXPECTED ACTUAL
check_exit() {
  if [ "$2" = "$3" ]; then pass "$1 (exit $3)"; else fail "$1" "exit $3, expected $2$( [ "$3" = 124 ] && echo ' (timed out)')"; fi
}

# check NAME COMMAND...: passes when COMMAND succeeds (and returns its verdict).
check() {
  local name=$1; shift
  if "$@"; then pass "$name"; else fail "$name" "'$*' failed"; return 1; fi
}

# run_test_program NAME SECONDS [ARGS...]: runs the GoogleTest program
# tests/win32/NAME.exe on the build under test (the exe and its containers),
# its XML report and output in the suite's folder, and checks its exit code.
run_test_program() {
  local name=$1 seconds=$2 exe="$BUILD_DIR/tests/win32/$1.exe" code
  shift 2
  check "$name.exe built" test -f "$exe" || return 1
  rm -f "$SUITE_DIR/$name.xml"
  wine_run "$seconds" "$SUITE_DIR/$name" "$exe" \
    --gtest_output="xml:$(winpath "$SUITE_DIR/$name.xml")" \
    --lumora-exe="$(winpath "$BUILD_DIR/Lumora.exe")" \
    --book-dir="$(winpath "$BUILD_DIR/book")" "$@"
  code=$?
  cat "$SUITE_DIR/$name.out"
  [ "$code" = 0 ] || cat "$SUITE_DIR/$name.err"
  check_exit "$name.exe" 0 "$code"
  # Under Wine's 64-bit loader a program that crashed can still end with
  # code 0; its test report, written only once a whole run is over, tells.
  check "$name.exe ran to its end" test -s "$SUITE_DIR/$name.xml"
}

# keep_screenshots DIR: the BMP screenshots a test program saved, as PNG.
keep_screenshots() {
  local bmp
  for bmp in "$1"/*.bmp; do
    [ -f "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
}

# --- Run ----------------------------------------------------------------------

cleanup() {
  local status=$?
  wineserver_stop
  xvfb_stop
  [ "$KEEP" = 1 ] || rm -rf "$WINEPREFIX"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

started=$SECONDS
template_ensure "$WORK/template" || exit 1
xvfb_start "$SUITE_DIR" || exit 1
prefix_fresh "$WORK/template" "$WINEPREFIX" || { echo "cannot copy the template" >&2; exit 1; }
wineserver_start
echo "suite $SUITE_NAME: display $DISPLAY, prefix $WINEPREFIX"

# A suite file defines suite_run, which runs its programs with wine_run and
# reports with pass/fail/check/check_exit. It sees BUILD_DIR, PACKER,
# SOURCE_DIR, SUITE_DIR (its logs), DISPLAY and WINEPREFIX.
# shellcheck source=/dev/null
source "$SUITE_FILE"
suite_run

echo "suite $SUITE_NAME: $CHECKS_PASSED passed, $CHECKS_FAILED failed ($((SECONDS - started)) s)"
[ "$CHECKS_FAILED" -eq 0 ] && [ "$CHECKS_PASSED" -gt 0 ]
