# The About box and the update check, driven by about_tests.exe against the
# real Lumora.exe. Web addresses go to Wine's browser launcher, which here
# starts a stand-in browser that appends each address it gets to a file; an
# X probe (x_cursor.c) tells which cursor the X server shows, answering the
# test program's requests through a folder.
#   GTEST_FILTER='AboutBox.*' tests/wine/run-suite.sh about

# serve_cursor_probe DIR PROBE: answers each DIR/want-N with DIR/cursor-N.
serve_cursor_probe() {
  local dir=$1 probe=$2 want n
  while :; do
    for want in "$dir"/want-*; do
      [ -e "$want" ] || continue
      n=${want##*/want-}
      "$probe" >"$dir/.cursor-$n" 2>>"$dir/probe.err"
      mv "$dir/.cursor-$n" "$dir/cursor-$n"
      rm -f "$want"
    done
    sleep 0.02  # the request's own polling interval; nothing waits on it
  done
}

suite_run() {
  local screens="$SUITE_DIR/screens" cursors="$SUITE_DIR/cursors"
  local browser="$SUITE_DIR/stand-in-browser.sh" log="$SUITE_DIR/browser.log"
  mkdir -p "$screens" "$cursors"
  : >"$log"
  printf '#!/bin/sh\n# Records the address a browser would open.\nprintf "%%s\\n" "$*" >>"%s"\n' "$log" >"$browser"
  chmod +x "$browser"
  check "stand-in browser set" timeout 30 wine reg add 'HKCU\Software\Wine\WineBrowser' \
    /v Browsers /t REG_SZ /d "$browser" /f || return
  check "X cursor probe built" cc -O1 -o "$SUITE_DIR/x_cursor" "$SOURCE_DIR/tests/wine/x_cursor.c" \
    -lX11 -lXfixes || return
  check "X cursor probe runs" "$SUITE_DIR/x_cursor" || return
  serve_cursor_probe "$cursors" "$SUITE_DIR/x_cursor" &
  local server=$!
  LUMORA_BROWSER_LOG=$(winpath "$log") LUMORA_CURSOR_DIR=$(winpath "$cursors") \
    run_test_program about_tests 300 --screens-dir="$(winpath "$screens")"
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  keep_screenshots "$screens"
}
