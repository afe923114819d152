#!/usr/bin/env bash
# Proves that the checks fail, and say why, when a tool they call is missing:
# each runs with a PATH that holds everything it needs but that one tool.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=$(mktemp -d); trap 'rm -rf "$bin"' EXIT

# path_without TOOL COMMAND...: a PATH folder with links to COMMAND... only.
path_without() {
  local absent=$1; shift
  rm -f "$bin"/*
  local t
  for t in "$@"; do
    [ "$t" = "$absent" ] && continue
    ln -s "$(command -v "$t")" "$bin/$t" || { echo "FAIL $t is not installed here"; exit 1; }
  done
}

status=0
expect_failure() {  # expect_failure NAME MESSAGE COMMAND...
  local name=$1 message=$2; shift 2
  local out rc
  out=$(PATH=$bin "$@" 2>&1); rc=$?
  if [ $rc -ne 0 ] && grep -qF "$message" <<<"$out"; then
    echo "PASS $name"
  else
    echo "FAIL $name (exit $rc): $out"; status=1
  fi
}

spell_tools=(bash iconv hspell grep sed sort comm tr tail mktemp rm basename dirname)
for missing in hspell iconv; do
  path_without "$missing" "${spell_tools[@]}"
  expect_failure "spelling without $missing" "$missing is not installed" \
    bash "$ROOT/scripts/spell-book.sh" "$ROOT/book/01-nisan.txt"
done

path_without python3 bash dirname
expect_failure "book style without python3" "python3 is not installed" \
  bash "$ROOT/scripts/book-style.sh"

suite_tools=(bash dirname basename wine wineserver Xvfb xdotool import convert)
for missing in wine Xvfb convert; do
  path_without "$missing" "${suite_tools[@]}"
  expect_failure "Wine suite without $missing" "$missing is not installed" \
    bash "$ROOT/tests/wine/run-suite.sh" --build "$ROOT" e2e
done
exit $status
