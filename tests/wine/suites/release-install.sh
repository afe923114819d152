# The release's installer in silent mode: the manifests, the files, the
# shortcut and the uninstall entry, the installed Lumora showing today,
# a reinstall keeping the settings, the uninstaller refusing while Lumora
# runs and then removing everything but the settings. The real artefacts of
# the `release` target; screenshots in the suite's screens/ folder.

suite_run() {
  local release="$BUILD_DIR/release" screens="$SUITE_DIR/screens"
  check "installer built" test -f "$release/Lumora-1.84a-setup.exe" || return
  mkdir -p "$screens"
  check "user folders inside the prefix" prefix_own_user_folders
  export LUMORA_RELEASE_DIR
  LUMORA_RELEASE_DIR=$(winpath "$release")
  run_test_program release_tests 300 --screens-dir="$(winpath "$screens")" \
    --gtest_filter='Manifest.*:SilentInstall.*:Reinstall.*:Uninstall.*'
  keep_screenshots "$screens"
  # NSIS leaves the copy of the uninstaller it ran from the temp folder to
  # be removed at the next restart; shown here, not checked.
  find "$WINEPREFIX/drive_c/users" -path '*/Temp/*' -type f -printf 'left in the temp folder: %P\n'
}
