# The release's installer and uninstaller driven through their pages: the
# desktop shortcut asked for, Lumora started from the last page, and the
# uninstaller removing the settings when the user says so. Screenshots of
# every page in the suite's screens/ folder.

# shellcheck source=../installer-tests.sh
source "$HARNESS_DIR/installer-tests.sh"

suite_run() {
  run_installer_tests 'InteractiveInstall.*:InteractiveUninstall.*'
}
