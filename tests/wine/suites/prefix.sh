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
  if [ "$code" != 0 ] && [ "$code" != 124 ]; then
    pass "a crash ends the process (exit $code)"
  else
    fail "a crash ends the process" "exit $code$( [ "$code" = 124 ] && echo ', hung until the timeout')"
  fi
}
