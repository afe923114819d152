# The GoogleTest programs of tests/win32, against the real Lumora.exe and the
# containers the packer wrote for it.

suite_run() {
  run_test_program win32_tests 300
}
