# The release's zip and checksums: SHA256SUMS matches, the zip holds one
# folder with the program and its read-me, and that Lumora.exe runs from any
# folder without writing beside itself.

suite_run() {
  local release="$BUILD_DIR/release" screens="$SUITE_DIR/screens" unzipped="$SUITE_DIR/unzipped"
  check "zip built" test -f "$release/Lumora-1.84a.zip" || return
  check "SHA256SUMS lists both artefacts" \
    test "$(cut -d' ' -f3 "$release/SHA256SUMS" | tr '\n' ' ')" = "Lumora-1.84a-setup.exe Lumora-1.84a.zip "
  check "SHA256SUMS matches" bash -c "cd '$release' && sha256sum --quiet -c SHA256SUMS"
  check "zip intact" unzip -tq "$release/Lumora-1.84a.zip"
  check "zip holds Lumora-1.84a/Lumora.exe and README.txt" \
    test "$(unzip -Z1 "$release/Lumora-1.84a.zip" | tr '\n' ' ')" = "Lumora-1.84a/Lumora.exe Lumora-1.84a/README.txt "
  rm -rf "$unzipped"
  mkdir -p "$unzipped" "$screens"
  check "user folders inside the prefix" prefix_own_user_folders
  check "unzip" unzip -q "$release/Lumora-1.84a.zip" -d "$unzipped" || return
  check "read-me has Windows line ends" grep -q $'\r$' "$unzipped/Lumora-1.84a/README.txt"
  export LUMORA_PORTABLE_DIR
  LUMORA_PORTABLE_DIR=$(winpath "$unzipped/Lumora-1.84a")
  run_test_program release_tests 120 --screens-dir="$(winpath "$screens")" --gtest_filter='Portable.*'
  keep_screenshots "$screens"
}
