# Copy and Append to ClipBoard proven by real consumers: the reader's rich
# text is pasted into a riched20 rich edit control under Wine (by
# clipboard_win32_tests.exe, which also feeds Append foreign data), then
# LibreOffice Writer converts the same documents to text and to PDF.

# normalized_text FILE: paragraphs one per line without the spaces at their
# ends, no BOM, no empty lines. Spaces inside a paragraph stay as they are;
# LibreOffice writes each space of a run as U+2006 and a space, and the
# U+2006 goes.
normalized_text() {
  sed -e '1s/^\xef\xbb\xbf//' -e 's/\xe2\x80\x86//g' -e 's/\r$//' \
      -e 's/^ *//' -e 's/ *$//' "$1" | grep -v '^$'
}

# lo_convert FILE FILTER: LibreOffice Writer, headless, with a profile of
# the suite's own so that parallel runs never share one.
lo_convert() {
  timeout 180 soffice -env:UserInstallation="file://$SUITE_DIR/lo-profile" --headless \
    --convert-to "$2" --outdir "$SUITE_DIR/libreoffice" "$1" >>"$SUITE_DIR/libreoffice.log" 2>&1
}

dump_day() {  # DAY_OF_KISLEV FILE
  "$PACKER" dump "$BUILD_DIR/book" 9 "$1" >"$2"
}

same_text() {  # LIBREOFFICE_TXT EXPECTED
  diff <(normalized_text "$1") <(normalized_text "$2") >"$1.diff"
}

# Ink in the right half of the page outweighs the left: right-aligned text.
right_aligned() {
  local means
  means=$(convert "$1" -colorspace gray -crop 50%x100% +repage -format '%[fx:mean] ' info:) || return 1
  read -r left right <<<"$means"
  echo "page brightness left $left, right $right"
  awk -v l="$left" -v r="$right" 'BEGIN { exit !(r < l) }'
}

has_red() {
  local red
  red=$(convert "$1" -fx '(r > 0.5 && r - g > 0.3 && r - b > 0.3) ? 1 : 0' -format '%[fx:mean*w*h]' info:) ||
    return 1
  echo "red pixels: $red"
  awk -v n="$red" 'BEGIN { exit !(n > 20) }'
}

suite_run() {
  local out="$SUITE_DIR/out" lo="$SUITE_DIR/libreoffice"
  mkdir -p "$out" "$lo"
  # The two days the tests export, as the book tool reads them back.
  check "dump 25 Kislev" dump_day 25 "$out/lesson-0919.txt"
  check "dump 26 Kislev" dump_day 26 "$out/lesson-091A.txt"
  run_test_program clipboard_win32_tests 400 --screens-dir="$(winpath "$out")"
  keep_screenshots "$out"

  command -v soffice >/dev/null || { fail "LibreOffice" "soffice is not installed"; return; }
  local doc
  for doc in copy append-twice; do
    if check "LibreOffice reads $doc.rtf" lo_convert "$out/$doc.rtf" 'txt:Text (encoded):UTF8'; then
      check "LibreOffice text of $doc.rtf is the lesson in reading order" \
        same_text "$lo/$doc.txt" "$out/$doc-expected.txt"
      echo "LibreOffice's text of $doc.rtf, first lines:"
      normalized_text "$lo/$doc.txt" | head -n 7 | sed 's/^/  | /'
    fi
  done
  if check "LibreOffice makes a PDF of append-twice.rtf" lo_convert "$out/append-twice.rtf" pdf &&
    check "first page rendered" pdftoppm -f 1 -l 1 -r 100 -png "$lo/append-twice.pdf" "$lo/page"; then
    local page
    page=$(ls "$lo"/page-*1.png | head -n 1)
    check "the page's text is right-aligned" right_aligned "$page"
    check "the red separator is on the page" has_red "$page"
    pdftotext -l 1 "$lo/append-twice.pdf" "$lo/append-twice-page1.txt"
    check "the PDF's first page begins with the lesson's first heading" \
      grep -qF "$(head -n 1 "$out/copy-expected.txt")" "$lo/append-twice-page1.txt"
  fi
}
