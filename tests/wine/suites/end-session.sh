# The session ends (as a log-off does: wineboot --end-session --force) while
# the reader is open. Windows get WM_QUERYENDSESSION and WM_ENDSESSION and
# the process is then ended without its window being destroyed; what the
# exit sequence stores must be in the registry all the same, with the
# values of that run.

KEY='HKCU\Quillstead\Lumora-Hebrew'

reg_add() { timeout 30 wine reg add "$KEY" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1; }

# exported NAME: the line of the key's UTF-16 export for a value.
exported() { iconv -f utf-16 -t utf-8 "$SUITE_DIR/export.reg" | tr -d '\r' | grep -F "\"$1\"="; }

check_export() {  # check_export NAME EXPECTED-LINE
  local got
  got=$(exported "$1")
  if [ "$got" = "$2" ]; then pass "stored $2"; else fail "stored $1" "got '$got', expected '$2'"; fi
}

check_stored() {  # check_stored NAME: the value is there, whatever it holds
  if [ -n "$(exported "$1")" ]; then pass "stored $1"; else fail "stored $1" "missing"; fi
}

lumora_running() { kill -0 "$1" 2>/dev/null; }
lumora_ended() { ! lumora_running "$1"; }

suite_run() {
  # Today, as the reader works it out (the packer shares its calendar).
  local today day key
  today=$("$PACKER" date "$(date +%F)")
  day=$(sed -n 's/^day //p' <<<"$today")
  key=$(sed -n 's/^key 0x//p' <<<"$today")
  check "today's day number known" test -n "$day" || return

  # A face and a pattern are stored; the day, its lesson, the scroll
  # position, the letter base and the placement are not: only the run can
  # write those. The stored day lies outside the calendar, pinned: the run
  # starts on today instead and follows it.
  reg_add FontName REG_SZ "DejaVu Sans"
  reg_add SearchString REG_BINARY 61626300
  reg_add Flags REG_DWORD 0xD1140844
  reg_add Day REG_DWORD 0x7FFFFFF0

  timeout -k 5 60 wine "$BUILD_DIR/Lumora.exe" </dev/null >"$SUITE_DIR/lumora.out" 2>&1 &
  local lumora=$!
  check "main window shown" poll_until 30 window_shown '^Lumora$' || return
  screenshot_settled "$SUITE_DIR/before-end.png"

  timeout -k 5 60 wine wineboot --end-session --force </dev/null >"$SUITE_DIR/wineboot.out" 2>&1
  check_exit "wineboot --end-session --force" 0 $?
  check "the reader was ended" poll_until 30 lumora_ended "$lumora"
  lumora_running "$lumora" && kill "$lumora"

  timeout 30 wine reg export "$KEY" "$(winpath "$SUITE_DIR/export.reg")" /y >/dev/null 2>&1
  check_export FontName '"FontName"="DejaVu Sans"'
  check_export SearchString '"SearchString"=hex:61,62,63,00'
  check_export FontAsciiBase '"FontAsciiBase"=dword:000005d0'
  check_export LastPosition '"LastPosition"=dword:00000000'
  check_export Flags '"Flags"=dword:d1140840'
  check_export Day "$(printf '"Day"=dword:%08x' "$day")"
  check_export Lesson "$(printf '"Lesson"=dword:%08x' "0x$key")"
  for name in Top Left Width Height showCmd; do check_stored "$name"; done
  check_export showCmd '"showCmd"=dword:00000001'
}
