#!/usr/bin/env bash
# Builds the Windows release twice from clean copies of this source tree and
# compares the results byte for byte: Lumora.exe, the installer, the zip and
# SHA256SUMS. Each copy gets its own host tools and Windows build, in folders
# of different names and lengths, with different time zones, locales and
# umasks, so that no path, clock or setting of the build machine can hide in
# the artefacts.
#
#   scripts/check-reproducible.sh [--keep]
#
# The copies hold the files git tracks (and untracked, unignored ones), as
# they are in the working tree; SOURCE_DATE_EPOCH is the time of the last
# commit. --keep leaves the two builds in build/repro/ to look into.
# Exit status 0 when every artefact came out identical.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
JOBS=${LUMORA_JOBS:-$(nproc)}
KEEP=0
[ "${1:-}" = --keep ] && KEEP=1
WORK="$ROOT/build/repro"
ARTEFACTS=(build/win/Lumora.exe build/win/release/Lumora-1.84a-setup.exe
           build/win/release/Lumora-1.84a.zip build/win/release/SHA256SUMS)

for tool in git cmake ninja i686-w64-mingw32-g++-posix makensis zip sha256sum cmp; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL $tool is not installed"; exit 1; }
done

SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) || { echo "FAIL not a git checkout"; exit 1; }
export SOURCE_DATE_EPOCH

# copy_tree DEST: the tree's files as they are now, nothing built.
copy_tree() {
  mkdir -p "$1"
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$1"
}

# build_copy DIR TZ LOCALE UMASK: host tools, then the Windows release.
build_copy() {
  local dir=$1 log="$1.log"
  (
    cd "$dir" || exit 1
    export TZ=$2 LC_ALL=$3
    umask "$4"
    cmake -S . -B build/host -G Ninja &&
      ninja -C build/host -j "$JOBS" lumora-book lumora-art &&
      cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
        -DLUMORA_PACKER="$dir/build/host/tools/lumora-book" &&
      ninja -C build/win -j "$JOBS" release
  ) >"$log" 2>&1 || { echo "FAIL build in $dir (log: $log)"; tail -n 20 "$log"; return 1; }
}

rm -rf "$WORK"
A="$WORK/a"
B="$WORK/second-build-in-a-longer-folder"
started=$SECONDS
copy_tree "$A" && copy_tree "$B" || { echo "FAIL copying the tree"; exit 1; }
echo "building twice (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH): $A, $B"
build_copy "$A" UTC C 022 || exit 1
build_copy "$B" Pacific/Auckland C.UTF-8 077 || exit 1

status=0
for f in "${ARTEFACTS[@]}"; do
  if [ ! -f "$A/$f" ] || [ ! -f "$B/$f" ]; then
    echo "FAIL $(basename "$f") missing"; status=1
  elif cmp -s "$A/$f" "$B/$f"; then
    echo "PASS $(basename "$f") identical: $(stat -c %s "$A/$f") bytes, sha256 $(sha256sum <"$A/$f" | cut -d' ' -f1)"
  else
    echo "FAIL $(basename "$f") differs in $(cmp -l "$A/$f" "$B/$f" | wc -l) bytes; first ones (offset, octal a, octal b):"
    cmp -l "$A/$f" "$B/$f" | head -n 10
    status=1
  fi
done
echo "reproducibility check: $((SECONDS - started)) s"
[ "$KEEP" = 1 ] || rm -rf "$WORK"
exit "$status"
