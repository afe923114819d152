#!/usr/bin/env bash
# Builds Lumora and starts it under Wine on your display.
#
#   scripts/run.sh
#
# Installs missing packages (scripts/setup.sh), builds the host tools
# (build/host) and the Windows program (build/win), and runs Lumora.exe in a
# prefix kept between runs: $LUMORA_WINEPREFIX, or ~/.local/share/lumora-wine.
# Without $DISPLAY it starts an Xvfb for the run and says which display.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
JOBS=${LUMORA_JOBS:-$(nproc)}
PACKER="$ROOT/build/host/tools/lumora-book"

say() { printf 'run: %s\n' "$*" >&2; }
die() { say "$*"; exit 1; }

bash scripts/setup.sh || die "installing packages failed"
cmake -S . -B build/host -G Ninja >/dev/null && ninja -C build/host -j "$JOBS" ||
  die "host build failed"
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
    -DLUMORA_PACKER="$PACKER" >/dev/null && ninja -C build/win -j "$JOBS" ||
  die "Windows build failed"

# Lumora.exe is a 32-bit program. On a kernel that cannot run 32-bit Linux
# programs Wine's 32-bit loader cannot start, so the same sources are built
# for 64-bit Windows (build/win64) and run through Wine's 64-bit loader.
EXE="$ROOT/build/win/Lumora.exe"
ARCH=win32
WINE=wine
PREFIX_NAME=lumora-wine
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  say "this kernel cannot run 32-bit programs: running a 64-bit build of Lumora instead"
  cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
      -DLUMORA_PACKER="$PACKER" >/dev/null && ninja -C build/win64 -j "$JOBS" Lumora ||
    die "64-bit Windows build failed"
  EXE="$ROOT/build/win64/Lumora.exe"
  ARCH=win64
  WINE=/usr/lib/wine/wine64
  PREFIX_NAME=lumora-wine64
fi

export WINEPREFIX=${LUMORA_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/$PREFIX_NAME}
export WINEARCH=$ARCH
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

XVFB_PID=""
stop_xvfb() {
  [ -n "$XVFB_PID" ] || return 0
  kill "$XVFB_PID" 2>/dev/null
  wait "$XVFB_PID" 2>/dev/null
}
trap stop_xvfb EXIT

if [ -z "${DISPLAY:-}" ]; then
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 </dev/null &
  XVFB_PID=$!
  deadline=$((SECONDS + 15))
  until grep -q '^[0-9]' "$number_file"; do
    ((SECONDS < deadline)) || die "Xvfb did not start"
    sleep 0.02
  done
  export DISPLAY=":$(head -n1 "$number_file")"
  rm -f "$number_file"
  say "no DISPLAY set: started Xvfb on $DISPLAY for this run (look with e.g."
  say "  import -display $DISPLAY -window root shot.png)"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  say "making the Wine prefix $WINEPREFIX (once; about 10 s)"
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$WINE" wineboot -i >/dev/null 2>&1 || die "wineboot failed in $WINEPREFIX"
  # Wine's own Tahoma and Marlett, for dialog text and caption buttons.
  cp /usr/share/wine/fonts/tahoma*.ttf /usr/share/wine/fonts/marlett.ttf \
    "$WINEPREFIX/drive_c/windows/Fonts/" || die "copying fonts failed"
elif ! grep -q "^#arch=$ARCH" "$WINEPREFIX/system.reg"; then
  die "$WINEPREFIX is not a $ARCH prefix; set LUMORA_WINEPREFIX to another folder"
fi

say "starting $EXE (prefix $WINEPREFIX, display $DISPLAY)"
"$WINE" "$EXE"
code=$?
case $code in
  0) why="" ;;
  1) why=" (no lesson container for today's month)" ;;
  2) why=" (today's container could not be loaded)" ;;
  3) why=" (the book has no lesson for today yet)" ;;
  4) why=" (today's lesson is empty)" ;;
  5) why=" (today's lesson does not decode)" ;;
  *) why="" ;;
esac
say "Lumora.exe exited with $code$why"
exit "$code"
