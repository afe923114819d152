# The real Lumora.exe, started as a user would: with no window yet, it loads
# today's lesson and ends with 0, or with the reason it could not.

# container_records FILE: how many day records a packed container holds
# (header of 6 bytes, then big-endian compressed and decoded lengths and the
# compressed bytes of each record, up to a compressed length of 0).
container_records() {
  local -a b
  mapfile -t b < <(od -An -v -tu1 -w1 "$1" | tr -d ' ')
  local at=6 n=0 compressed
  while ((at + 4 <= ${#b[@]})); do
    compressed=$((b[at] << 8 | b[at + 1]))
    ((compressed == 0)) && break
    n=$((n + 1))
    at=$((at + 4 + compressed))
  done
  echo "$n"
}

suite_run() {
  local today report key month day records expected code
  check "packer present" test -x "$PACKER" || return
  # The day the program will see: run again should the date change meanwhile.
  for _ in 1 2; do
    today=$(date +%F)
    report=$("$PACKER" date "$today") || { fail "lumora-book date $today"; return; }
    key=$(awk '$1 == "key" { print $2 }' <<<"$report")
    [[ $key == 0x[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f] ]] || { fail "lesson key of $today" "got '$key'"; return; }
    month=$((key >> 8)) day=$((key & 0xFF))
    records=$(container_records "$BUILD_DIR/book/$((1000 + month)).bin")
    # Today's record there: the lesson loads; the month not written yet (or
    # shorter): no record for the day.
    if ((day <= records)); then expected=0; else expected=3; fi
    wine_run 60 "$SUITE_DIR/lumora" "$BUILD_DIR/Lumora.exe"
    code=$?
    [ "$(date +%F)" = "$today" ] && break
  done
  echo "today $today: $(grep '^hebrew' <<<"$report"), key $key, month $month has $records records"
  check_exit "Lumora.exe loads today's lesson" "$expected" "$code"
}
