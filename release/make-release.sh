#!/usr/bin/env bash
# Makes the Windows release from a built Lumora.exe:
#   OUT/Lumora-VERSION-setup.exe   per-user installer (NSIS)
#   OUT/Lumora-VERSION.zip         the program and a read-me, to run from anywhere
#   OUT/SHA256SUMS                 checksums of both
#
#   make-release.sh LUMORA.EXE ICON.ico OUT
#
# The environment gives SOURCE_DATE_EPOCH (the date every file carries),
# MAKENSIS, PRODUCT_NAME, PRODUCT_VERSION, VERSION_NUMBERS (1.84.0.0),
# PUBLISHER and DESCRIPTION, and NSIS_TARGET (amd64-unicode) for a 64-bit
# exe. Two runs on the same inputs give the same bytes:
# file times come from SOURCE_DATE_EPOCH, permissions and order are fixed,
# and no tool is let write the time or the user.
set -euo pipefail

[ $# -eq 3 ] || { sed -n '2,12p' "$0" >&2; exit 2; }
EXE=$1 ICON=$2 OUT=$3
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for var in SOURCE_DATE_EPOCH PRODUCT_NAME PRODUCT_VERSION VERSION_NUMBERS PUBLISHER DESCRIPTION; do
  [ -n "${!var:-}" ] || { echo "make-release: $var is not set" >&2; exit 2; }
done
MAKENSIS=${MAKENSIS:-makensis}
for tool in "$MAKENSIS" zip sha256sum; do
  command -v "$tool" >/dev/null 2>&1 ||
    { echo "make-release: $tool is not installed (scripts/setup.sh installs it)" >&2; exit 1; }
done
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
umask 022

BASE="Lumora-$PRODUCT_VERSION"
STAGE="$OUT/stage"
rm -rf "$STAGE"
mkdir -p "$STAGE/$BASE"

# The files as shipped: Windows line ends for the read-me, one date for all.
cp "$EXE" "$STAGE/$BASE/Lumora.exe"
sed 's/$/\r/' "$HERE/README-Windows.txt" >"$STAGE/$BASE/README.txt"
cp "$ICON" "$STAGE/lumora.ico"
chmod 0644 "$STAGE/$BASE/README.txt" "$STAGE/lumora.ico"
chmod 0755 "$STAGE/$BASE/Lumora.exe"
touch -h -d "@$SOURCE_DATE_EPOCH" "$STAGE/$BASE/Lumora.exe" "$STAGE/$BASE/README.txt" "$STAGE/lumora.ico"

# The installer. makensis stores each file's time and reads the script in
# UTF-8; its own output is otherwise a function of its input.
SETUP="$OUT/$BASE-setup.exe"
rm -f "$SETUP"
"$MAKENSIS" -V2 -INPUTCHARSET UTF8 -NOCD \
  "-DPRODUCT_NAME=$PRODUCT_NAME" "-DPRODUCT_VERSION=$PRODUCT_VERSION" \
  "-DVERSION_NUMBERS=$VERSION_NUMBERS" "-DPUBLISHER=$PUBLISHER" \
  "-DDESCRIPTION=$DESCRIPTION" "-DSTAGE=$STAGE/$BASE" "-DICON=$STAGE/lumora.ico" \
  "-DOUT_FILE=$SETUP" ${NSIS_TARGET:+"-DNSIS_TARGET=$NSIS_TARGET"} "$HERE/lumora.nsi"

# The zip: one folder, fixed order, no extra fields (uid, gid, Unix times),
# no folder entries.
ZIP="$OUT/$BASE.zip"
rm -f "$ZIP"
(cd "$STAGE" && zip -q -X -D "$ZIP" "$BASE/Lumora.exe" "$BASE/README.txt")

(cd "$OUT" && sha256sum "$BASE-setup.exe" "$BASE.zip" >SHA256SUMS)
rm -rf "$STAGE"
