#!/usr/bin/env bash
# Makes the Wine harness's prefix template anew: tests/wine/make-template.sh DIR
# (run once at the start of a test run; each suite then hard-links a copy).
set -uo pipefail
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
[ $# -eq 1 ] || { echo "usage: $0 TEMPLATE_DIR" >&2; exit 2; }
mkdir -p "$(dirname "$1")"
started=$SECONDS
(
  flock -w 300 9 || exit 1
  template_create "$1"
) 9>"$1.lock" || exit 1
echo "template $1 made in $((SECONDS - started)) s"
