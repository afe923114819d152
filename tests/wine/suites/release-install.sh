# The release's installer in silent mode: the manifests, the files, the
# shortcut and the uninstall entry, the installed Lumora showing today,
# a reinstall keeping the settings, the uninstaller refusing while Lumora
# runs and then removing everything but the settings. The real artefacts of
# the `release` target; screenshots in the suite's screens/ folder.

# shellcheck source=../installer-tests.sh
source "$HARNESS_DIR/installer-tests.sh"

suite_run() {
  run_installer_tests 'Manifest.*:SilentInstall.*:Reinstall.*:Uninstall.*'
  # NSIS leaves the copy of the uninstaller it ran from the temp folder to
  # be removed at the next restart; shown here, not checked.
  find "$WINEPREFIX/drive_c/users" -path '*/Temp/*' -type f -printf 'left in the temp folder: %P\n'
}
