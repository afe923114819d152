# The test prefix itself: the settings every other suite relies on.

suite_run() {
  check "windows unmanaged (Managed=N)" grep -q '"Managed"="N"' "$WINEPREFIX/user.reg"
  check "no crash dialog (ShowCrashDialog=0)" \
    grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg"
  local font
  for font in tahoma.ttf tahomabd.ttf marlett.ttf; do
    check "font $font in the prefix" test -f "$WINEPREFIX/drive_c/windows/Fonts/$font"
  done
  # A crash must end the process by itself, well before the timeout.
  local exe="$BUILD_DIR/tests/win32/crash_probe.exe" code
  check "crash_probe.exe built" test -f "$exe" || return
  wine_run 60 "$SUITE_DIR/crash_probe" "$exe"
  code=$?
  # Wine reports the crash ("Unhandled ..." and a backtrace) and ends the process; the
  # exit code it gives is the exception's low byte, but under Wine's 64-bit
  # loader it is sometimes 0, so the report is what shows the crash was seen.
  if [ "$code" != 124 ] && { [ "$code" != 0 ] || grep -qs 'Unhandled' "$SUITE_DIR/crash_probe.err" "$SUITE_DIR/crash_probe.out"; }; then
    pass "a crash ends the process (exit $code)"
  else
    fail "a crash ends the process" "exit $code$( [ "$code" = 124 ] && echo ', hung until the timeout')"
  fi
}
