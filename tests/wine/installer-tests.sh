# What the installer suites share, sourced by them: the installer built, the
# user folders inside the prefix, and release_tests run on the release
# folder with the suite's own tests, screenshots kept in screens/.

run_installer_tests() {  # run_installer_tests GTEST-FILTER
  local release="$BUILD_DIR/release" screens="$SUITE_DIR/screens"
  check "installer built" test -f "$release/Lumora-1.84a-setup.exe" || return
  mkdir -p "$screens"
  check "user folders inside the prefix" prefix_own_user_folders
  export LUMORA_RELEASE_DIR
  LUMORA_RELEASE_DIR=$(winpath "$release")
  run_test_program release_tests 300 --screens-dir="$(winpath "$screens")" --gtest_filter="$1"
  keep_screenshots "$screens"
}
