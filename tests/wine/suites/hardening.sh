# The reader under conditions a user never means to create: memory running
# out at each place it is asked for, a storm of odd window messages, and
# every setting stored in every damaged form (printing to the PDF printer of
# the print suite). Runs the fault-injection build of the reader
# (LumoraFaults.exe), never the shipped one.
#   GTEST_FILTER='OutOfMemory.*' tests/wine/run-suite.sh hardening

# code_ranges MAP NAME...: where the code of the named source files lies in
# the exe, as offsets from its base ("begin-end" in hex, comma separated),
# read from the link map.
code_ranges() {
  local map=$1 base addr size object name ranges=""
  shift
  base=$(sed -n 's/.*__image_base__ = \(0x[0-9a-f]*\).*/\1/p' "$map" | head -1)
  [ -n "$base" ] || return 1
  while read -r _ addr size object; do
    for name in "$@"; do
      [[ $object == *"($name.cpp.obj)" ]] &&
        ranges+="${ranges:+,}$(printf '%x-%x' $((addr - base)) $((addr - base + size)))"
    done
  done < <(grep -E '^ \.text +0x[0-9a-f]+ +0x[0-9a-f]+ ' "$map")
  echo "$ranges"
}

suite_run() {
  local screens="$SUITE_DIR/screens" jobs="$SUITE_DIR/jobs"
  mkdir -p "$screens" "$jobs"
  check "ps2pdf installed" command -v ps2pdf || return
  export LUMORA_PRINT_JOBS LUMORA_PRINT_PORT
  LUMORA_PRINT_JOBS=$(winpath "$jobs")
  LUMORA_PRINT_PORT="|$SOURCE_DIR/tests/wine/print-job.sh $jobs"
  local map="$BUILD_DIR/tests/win32/LumoraFaults.map"
  check "LumoraFaults link map" test -f "$map" || return
  export LUMORA_CODE_CONVERSION LUMORA_CODE_LAYOUT LUMORA_CODE_FONTS LUMORA_CODE_READING_ORDER
  LUMORA_CODE_CONVERSION=$(code_ranges "$map" convert_letters draw_run_win32)
  LUMORA_CODE_LAYOUT=$(code_ranges "$map" layout_text text_view)
  LUMORA_CODE_FONTS=$(code_ranges "$map" style_font font_chooser_win32)
  LUMORA_CODE_READING_ORDER=$(code_ranges "$map" reading_order)
  run_test_program hardening_tests 900 --screens-dir="$(winpath "$screens")" \
    --lumora-exe="$(winpath "$BUILD_DIR/tests/win32/LumoraFaults.exe")"
  keep_screenshots "$screens"
}
