#!/usr/bin/env bash
# Builds everything and runs every test:
#   packages (scripts/setup.sh), the host build (build/host), the host build
#   with AddressSanitizer and UBSan (build/asan), the Windows build (build/win,
#   its book packed by the host-built lumora-book), then the native tests of
#   both host builds, the book check, spelling and style, short fuzzing runs (build/fuzz,
#   clang), the Wine suites of the Windows build, and two more clean builds of
#   the Windows release compared byte for byte (scripts/check-reproducible.sh).
# Goes on past a failure wherever the later steps do not depend on it, prints
# a summary, and exits non-zero if anything failed.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
# Two cores on the machines this runs on: ninja's default (cores + 2) only
# makes the compilers compete.
JOBS=${LUMORA_JOBS:-$(nproc)}
PACKER="$ROOT/build/host/tools/lumora-book"
LOGS="$ROOT/build/logs"

STEP_LINES=()
STEPS_PASSED=0
STEPS_FAILED=0
TESTS_PASSED=0
TESTS_FAILED=0
declare -A OK=()

record() {  # record NAME STATUS SECONDS [NOTE]
  if [ "$2" = PASS ]; then
    STEPS_PASSED=$((STEPS_PASSED + 1)); OK[$1]=1
  else
    STEPS_FAILED=$((STEPS_FAILED + 1))
  fi
  STEP_LINES+=("$(printf '%-4s %-14s %4d s%s' "$2" "$1" "$3" "${4:+  $4}")")
}

# step NAME [needs:OTHER...] -- COMMAND...: runs COMMAND unless a step it
# needs failed (then it counts as failed, not run).
step() {
  local name=$1; shift
  local missing=()
  while [ "$1" != -- ]; do
    [ -n "${OK[${1#needs:}]:-}" ] || missing+=("${1#needs:}")
    shift
  done
  shift
  if [ ${#missing[@]} -gt 0 ]; then
    echo "=== $name: not run, needs ${missing[*]}"
    record "$name" FAIL 0 "not run: ${missing[*]} failed"
    return
  fi
  echo "=== $name"
  local started=$SECONDS
  if "$@"; then record "$name" PASS $((SECONDS - started)); else record "$name" FAIL $((SECONDS - started)); fi
}

# ctest_run NAME BUILD_DIR: runs a build's tests and adds their counts.
ctest_run() {
  local name=$1 dir=$2 log="$LOGS/$1.log" status
  ctest --test-dir "$dir" -j "$JOBS" --output-on-failure --timeout 900 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  # "100% tests passed, 0 tests failed out of 25"
  local line failed total
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1)
  if [ -n "$line" ]; then
    failed=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    TESTS_PASSED=$((TESTS_PASSED + total - failed))
    TESTS_FAILED=$((TESTS_FAILED + failed))
  else
    TESTS_FAILED=$((TESTS_FAILED + 1))  # ctest itself did not get to the end
  fi
  return "$status"
}

build_host() {
  cmake -S . -B build/host -G Ninja &&
    ninja -C build/host -j "$JOBS"
}

build_asan() {
  cmake -S . -B build/asan -G Ninja -DLUMORA_SANITIZE=ON &&
    ninja -C build/asan -j "$JOBS"
}

build_win() {
  command -v i686-w64-mingw32-g++-posix >/dev/null || { echo "the MinGW-w64 compiler is not installed"; return 1; }
  cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
      -DLUMORA_PACKER="$PACKER" &&
    ninja -C build/win -j "$JOBS"
}

# Whether this machine's kernel runs 32-bit programs, which Wine's 32-bit
# loader is. Where it does not, the Wine suites run the same sources built
# for 64-bit Windows (build/win64) under Wine's 64-bit loader; the product
# stays the 32-bit Lumora.exe of build/win.
runs_32bit_programs() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

WINE_BUILD=build/win
build_win_tests() {
  if runs_32bit_programs; then
    echo "the Wine suites run the 32-bit build (build/win)"
    return 0
  fi
  WINE_BUILD=build/win64
  echo "this kernel cannot run 32-bit programs: the Wine suites run the same sources"
  echo "built for 64-bit Windows ($WINE_BUILD) under Wine's 64-bit loader"
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || { echo "the 64-bit MinGW-w64 compiler is not installed"; return 1; }
  cmake -S . -B "$WINE_BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
      -DLUMORA_PACKER="$PACKER" &&
    ninja -C "$WINE_BUILD" -j "$JOBS"
}

# The Wine suites, then each suite's own verdicts (ctest shows a passing
# test's output only in its log).
wine_tests() {
  local status=0
  ctest_run wine-tests "$WINE_BUILD" || status=$?
  echo "--- Wine suites (logs in $WINE_BUILD/wine/suites/)"
  grep -E '^(PASS |FAIL |suite |today |\[  (PASSED|FAILED) +\])' \
    "$WINE_BUILD/Testing/Temporary/LastTest.log" 2>/dev/null
  return "$status"
}

book_check() {
  "$PACKER" check book
}

# The fuzzers need clang's libFuzzer; they get a build of their own.
build_fuzz() {
  command -v clang++ >/dev/null || { echo "clang++ is not installed"; return 1; }
  CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DLUMORA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
    ninja -C build/fuzz -j "$JOBS"
}

mkdir -p "$LOGS"
started=$SECONDS
step setup -- bash scripts/setup.sh
step host-build -- build_host
step asan-build -- build_asan
step win-build needs:host-build -- build_win
step host-tests needs:host-build -- ctest_run host-tests build/host
step asan-tests needs:asan-build -- ctest_run asan-tests build/asan
step book-check needs:host-build -- book_check
step book-spelling -- bash scripts/spell-book.sh
step tool-guards -- bash scripts/check-tool-guards.sh
step book-style -- bash scripts/book-style.sh
step fuzz-build -- build_fuzz
step fuzz-tests needs:fuzz-build -- ctest_run fuzz-tests build/fuzz
step win-test-build needs:win-build -- build_win_tests
step wine-tests needs:win-test-build -- wine_tests
# Two more clean builds of the Windows release, compared byte for byte.
step reproducible needs:win-build -- bash scripts/check-reproducible.sh

echo
echo "==== summary ($((SECONDS - started)) s)"
printf '%s\n' "${STEP_LINES[@]}"
echo "tests: $TESTS_PASSED passed, $TESTS_FAILED failed"
echo "steps: $STEPS_PASSED passed, $STEPS_FAILED failed"
[ "$STEPS_FAILED" -eq 0 ]
