# The release's installer and uninstaller driven through their pages: the
# desktop shortcut asked for, Lumora started from the last page, and the
# uninstaller removing the settings when the user says so. Screenshots of
# every page in the suite's screens/ folder.

suite_run() {
  local release="$BUILD_DIR/release" screens="$SUITE_DIR/screens"
  check "installer built" test -f "$release/Lumora-1.84a-setup.exe" || return
  mkdir -p "$screens"
  check "user folders inside the prefix" prefix_own_user_folders
  export LUMORA_RELEASE_DIR
  LUMORA_RELEASE_DIR=$(winpath "$release")
  run_test_program release_tests 300 --screens-dir="$(winpath "$screens")" \
    --gtest_filter='InteractiveInstall.*:InteractiveUninstall.*'
  keep_screenshots "$screens"
}
