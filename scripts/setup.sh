#!/usr/bin/env bash
# Installs everything the two builds and all tests need from Debian's packages.
# Idempotent: when every package is present it only checks and returns.
#
# A mirror can be caught mid-sync (an index of the wrong size, one
# architecture's index missing). A failed `apt-get update` is therefore only a
# warning, and when the install cannot be resolved against the mixed indexes it
# is tried again with the release's own suite as the target release.
set -uo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libfribidi-dev
  wine wine32:i386 wine64 fonts-wine
  xvfb x11-utils xdotool imagemagick
  culmus fonts-dejavu-core
  hspell
  python3
  ghostscript poppler-utils
  clang libclang-rt-14-dev
  libreoffice-writer-nogui
  nsis zip unzip
  libxfixes-dev
)

# Commands the builds and tests call, checked on the PATH after installing.
TOOLS=(
  cmake ninja git i686-w64-mingw32-g++-posix i686-w64-mingw32-windres
  x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres
  wine wineserver Xvfb xdotool convert compare identify gs pdftoppm pdftotext
  hspell iconv python3 clang++ soffice makensis zip unzip sha256sum
)

die() { echo "setup: $*" >&2; exit 1; }

# One dpkg-query for the whole list keeps the check quick when all is there.
# Names print as "pkg" or "pkg:arch" for multi-arch ones, as in the list.
missing_packages() {
  local -A installed=()
  local name rest p
  while read -r name rest; do
    [[ $rest == *"ok installed" ]] && installed[${name%:amd64}]=1
  done < <(dpkg-query -W -f='${binary:Package} ${Status}\n' "${PACKAGES[@]}" 2>/dev/null)
  for p in "${PACKAGES[@]}"; do
    [ -n "${installed[$p]:-}" ] || echo "$p"
  done
}

missing_tools() {
  local t
  for t in "${TOOLS[@]}"; do command -v "$t" >/dev/null 2>&1 || echo "$t"; done
}

mapfile -t missing < <(missing_packages)
if [ ${#missing[@]} -eq 0 ]; then
  mapfile -t absent < <(missing_tools)
  [ ${#absent[@]} -eq 0 ] && exit 0
  die "every package is installed, yet these commands are not on the PATH: ${absent[*]}"
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386 || die "cannot add the i386 architecture"
fi

for attempt in 1 2 3; do
  $SUDO apt-get update -qq && break
  echo "setup: warning: apt-get update failed (attempt $attempt of 3); the mirror may be mid-sync" >&2
  [ $attempt -lt 3 ] && sleep $((attempt * 5))
done

# The release's own suite (bookworm), whose indexes hold matching amd64 and
# i386 versions of every multi-arch library even when an update suite's
# index for one architecture is missing.
codename=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
tried="apt-get install (default suites)"
if ! $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
  [ -n "$codename" ] || die "install failed and /etc/os-release names no codename; tried: $tried"
  echo "setup: warning: install failed; trying again with -t $codename" >&2
  tried="$tried, apt-get install -t $codename"
  $SUDO apt-get install -y -qq --no-install-recommends -t "$codename" "${missing[@]}" ||
    die "cannot install: ${missing[*]}; tried: $tried"
fi

mapfile -t still < <(missing_packages)
[ ${#still[@]} -eq 0 ] || die "packages still not installed after $tried: ${still[*]}"
mapfile -t absent < <(missing_tools)
[ ${#absent[@]} -eq 0 ] || die "commands not on the PATH after installing: ${absent[*]}"
echo "setup: all packages installed"
