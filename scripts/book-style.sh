#!/usr/bin/env bash
# The book's style check: tests the measuring script on books made for the
# purpose, then measures the book (arguments go to book-style.py).
# Without python3 the check proves nothing: that is a failure, not a pass.
set -euo pipefail
command -v python3 >/dev/null 2>&1 || { echo "book-style: python3 is not installed" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
python3 "$here/book-style-test.py"
python3 "$here/book-style.py" "$@"
