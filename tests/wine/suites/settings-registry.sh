# The settings store against values put in with reg.exe and regedit, and
# what the exit sequence writes back, read with reg.exe again.

KEY='HKCU\Quillstead\Lumora-Hebrew'

reg_add() { timeout 30 wine reg add "$KEY" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1; }

# probe_value NAME: the value LoadSettings gave NAME, from the probe's output.
probe_value() { sed -n "s/^$1=//p" "$SUITE_DIR/load.out" | tr -d '\r'; }

check_value() {  # check_value NAME EXPECTED
  local got
  got=$(probe_value "$1")
  if [ "$got" = "$2" ]; then pass "loaded $1 = $2"; else fail "loaded $1" "got '$got', expected '$2'"; fi
}

# exported VALUE-LINE: the line of the key's UTF-16 export for a value.
exported() { iconv -f utf-16 -t utf-8 "$SUITE_DIR/export.reg" | tr -d '\r' | grep -F "\"$1\"="; }

check_export() {  # check_export NAME EXPECTED-LINE (empty: value absent)
  local got
  got=$(exported "$1")
  if [ "$got" = "$2" ]; then pass "stored ${2:-no $1}"; else fail "stored $1" "got '$got', expected '$2'"; fi
}

suite_run() {
  local probe="$BUILD_DIR/tests/win32/settings_probe.exe"
  check "settings_probe.exe built" test -f "$probe" || return

  # A Hebrew face name needs a UTF-16 .reg file.
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Quillstead\\Lumora-Hebrew]\r\n"FontName"="דוד ליבה"\r\n' |
    iconv -f utf-8 -t utf-16 >"$SUITE_DIR/face.reg"
  timeout 30 wine regedit /S "$(winpath "$SUITE_DIR/face.reg")" >/dev/null 2>&1
  reg_add FontSize REG_SZ 18                 # a number kept as decimal text
  reg_add FontAsciiBase REG_DWORD 224
  reg_add LastPosition REG_DWORD 70000       # only the low 16 bits count
  reg_add Flags REG_DWORD 0x804
  reg_add Day REG_DWORD 739957
  reg_add Lesson REG_DWORD 0x2091B
  reg_add SearchString REG_BINARY 61626300
  timeout 30 wine reg add 'HKCU\software\Quillstead' /v SurroundingGutter /t REG_DWORD /d 25 /f >/dev/null 2>&1

  wine_run 60 "$SUITE_DIR/load" "$probe" load
  check_exit "probe load" 0 $?
  check_value FontName "דוד ליבה"
  check_value FontSize 18
  check_value FontAsciiBase 224
  check_value LastPosition $((70000 & 0xFFFF))
  check_value Flags 0x00000804
  check_value Day 739957
  check_value Lesson 0x091B
  check_value SearchString abc
  check_value DateText "guz{'e fmrl gl"
  check_value Gutter 25

  # Without a stored lesson key the stored day names its own, which the
  # exit sequence writes back; the text number comes back as a DWORD.
  timeout 30 wine reg delete "$KEY" /v Lesson /f >/dev/null 2>&1
  wine_run 60 "$SUITE_DIR/save" "$probe" save
  check_exit "probe save" 0 $?
  timeout 30 wine reg export "$KEY" "$(winpath "$SUITE_DIR/export.reg")" /y >/dev/null 2>&1
  check_export FontName '"FontName"="דוד ליבה"'
  check_export FontSize '"FontSize"=dword:00000012'
  check_export FontAsciiBase '"FontAsciiBase"=dword:000000e0'
  check_export Flags '"Flags"=dword:00000804'
  check_export Day '"Day"=dword:000b4a75'
  check_export Lesson '"Lesson"=dword:0000091b'
  check_export SearchString '"SearchString"=hex:61,62,63,00'
  # No page at exit: the stored scroll position is left as it was.
  check_export LastPosition '"LastPosition"=dword:00011170'
}
