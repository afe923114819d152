# Shared pieces of the Wine harness; sourced, not run.
#
# Everything here starts only processes it can name afterwards (an Xvfb by
# its PID, a wineserver by its prefix) and ends only those. Waiting is done
# by polling a condition under a deadline, never by a fixed sleep.

# Quiet, no Mono/Gecko install prompts, and no menu entries written into the
# home folder of whoever runs the tests.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# The prefix's kind follows the build under test: a 32-bit build (the
# product) in a win32 prefix, a 64-bit build of the same sources in a win64
# prefix through Wine's 64-bit loader. The 64-bit build is for machines whose
# kernel cannot run 32-bit programs, where Wine's 32-bit loader cannot start.
WINE_HARNESS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
wine_use_arch() {  # wine_use_arch win32|win64
  export WINEARCH=$1
  if [ "$1" = win64 ] && [[ ":$PATH:" != *":$WINE_HARNESS_DIR/wine64:"* ]]; then
    export PATH="$WINE_HARNESS_DIR/wine64:$PATH"
  fi
}

# pe_arch EXE: win64 for a PE32+ file, win32 otherwise (the machine field of
# the PE header: 0x8664 is x86-64).
pe_arch() {
  local offset machine
  offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$offset" ] || { echo win32; return; }
  machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
  [ "$machine" = 8664 ] && echo win64 || echo win32
}

wine_use_arch "${LUMORA_WINE_ARCH:-win32}"

WINE_FONT_DIR=/usr/share/wine/fonts
# Files of a prefix that Wine rewrites in place (the registry hives, and the
# .ini files that profile calls truncate and write): real copies in every
# fresh prefix so that the template's hard links stay untouched.
WINE_PREFIX_OWN_FILES=(system.reg user.reg userdef.reg drive_c/windows/win.ini
                       drive_c/windows/system.ini)

harness_log() { printf '[wine] %s\n' "$*" >&2; }

# poll_until SECONDS COMMAND...: runs COMMAND every 20 ms until it succeeds;
# fails when SECONDS pass first.
poll_until() {
  local seconds=$1; shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.02
  done
}

# Windows path of an absolute Unix path, through the Z: drive every prefix
# maps to /. Pure text: no wine process needed.
winpath() {
  local p=$1
  [[ $p == /* ]] || p="$PWD/$p"
  printf 'Z:%s' "${p//\//\\}"
}

# --- Template prefix --------------------------------------------------------

# template_create DIR: a fresh win32 prefix set up for tests, built in a
# scratch folder and moved into place whole, so that a half-made template is
# never used. Replaces any previous DIR.
template_create() {
  local dir=$1 scratch="$1.making"
  rm -rf "$scratch" "$dir"
  mkdir -p "$(dirname "$dir")"
  local log="$dir.log"
  harness_log "making the prefix template $dir"
  (
    export WINEPREFIX="$scratch"
    unset DISPLAY  # nothing in wineboot needs a display; keep it off the user's
    timeout -k 10 180 wine wineboot -i || exit 1
    # Unmanaged windows: no 2 s wait on each hidden window without a window
    # manager, and Wine draws the frame, so screenshots show it.
    timeout -k 10 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f || exit 1
    # A crash prints its backtrace and ends the process instead of opening
    # a dialog that waits forever.
    timeout -k 10 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f || exit 1
    cp "$WINE_FONT_DIR"/tahoma*.ttf "$WINE_FONT_DIR"/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || exit 1
    # The hives on disk are current only once the wineserver has gone.
    timeout -k 5 30 wineserver -k
    timeout -k 5 30 wineserver -w
    grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" || { echo "Managed=N not in user.reg"; exit 1; }
    grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" || { echo "ShowCrashDialog not in user.reg"; exit 1; }
  ) >"$log" 2>&1 || { harness_log "template failed, see $log"; cat "$log" >&2; rm -rf "$scratch"; return 1; }
  mv "$scratch" "$dir"
}

# template_ensure DIR: makes DIR unless a finished one is there; safe when
# several suites start at once.
template_ensure() {
  local dir=$1
  mkdir -p "$(dirname "$dir")"
  (
    flock -w 300 9 || { harness_log "timed out waiting for the template lock"; exit 1; }
    [ -f "$dir/user.reg" ] || template_create "$dir"
  ) 9>"$dir.lock"
}

# prefix_fresh TEMPLATE DEST: a prefix of its own for one suite, in ~25 ms:
# hard links to the template except for the files Wine rewrites in place.
prefix_fresh() {
  local template=$1 dest=$2 f
  rm -rf "$dest"
  mkdir -p "$(dirname "$dest")"
  cp -al "$template" "$dest" || return 1
  for f in "${WINE_PREFIX_OWN_FILES[@]}"; do
    [ -e "$template/$f" ] || continue
    rm -f "$dest/$f"
    cp -p "$template/$f" "$dest/$f" || return 1
  done
}

# --- Display ------------------------------------------------------------------

XVFB_PID=""

# xvfb_start LOGDIR: an Xvfb of our own on whatever display is free; sets
# DISPLAY and XVFB_PID.
xvfb_start() {
  local logdir=$1
  local number_file="$logdir/xvfb.display"
  : >"$number_file"
  # Xvfb writes its display number to fd 3 once it accepts clients. Its own
  # output goes to a file so it holds no pipe of whoever runs us.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$number_file" >"$logdir/xvfb.log" 2>&1 </dev/null &
  XVFB_PID=$!
  if ! poll_until 15 grep -q '^[0-9]' "$number_file"; then
    harness_log "Xvfb did not come up"; cat "$logdir/xvfb.log" >&2
    xvfb_stop
    return 1
  fi
  export DISPLAY=":$(head -n1 "$number_file")"
}

xvfb_stop() {
  [ -n "$XVFB_PID" ] || return 0
  kill "$XVFB_PID" 2>/dev/null
  wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
}

# screenshot FILE.png: the whole Xvfb screen, as it is this moment.
screenshot() {
  timeout 20 import -display "$DISPLAY" -window root "$1"
}

# screenshot_settled FILE.png [SECONDS]: the screen once painting has ended,
# i.e. two shots in a row came out the same (default: up to 10 s). A window
# is mapped before it is painted; a shot straight after it shows up can
# still be black.
screenshot_settled() {
  local file=$1 seconds=${2:-10} previous="" current
  local deadline=$((SECONDS + seconds))
  while :; do
    screenshot "$file" || return 1
    current=$(md5sum <"$file")
    [ "$current" = "$previous" ] && return 0
    ((SECONDS < deadline)) || return 1
    previous=$current
  done
}

# window_shown TITLE: whether a visible X window with TITLE (a regular
# expression) exists on our display; with poll_until, waits for one.
window_shown() {
  xdotool search --onlyvisible --name "$1" >/dev/null 2>&1
}

# --- Wine processes -----------------------------------------------------------

# wineserver_start: a persistent wineserver for $WINEPREFIX, so programs of
# a suite start in a few hundred ms instead of most of a second.
wineserver_start() {
  timeout -k 5 30 wineserver -p </dev/null >/dev/null 2>&1
}

# wineserver_stop: ends this prefix's wineserver and everything running in
# the prefix, and waits until it is gone (the registry is flushed then).
wineserver_stop() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] || return 0
  timeout -k 5 30 wineserver -k >/dev/null 2>&1
  timeout -k 5 30 wineserver -w >/dev/null 2>&1
  return 0
}

# wine_run SECONDS LOGBASE PROGRAM [ARGS...]: runs PROGRAM under wine and
# timeout, its output in LOGBASE.out and LOGBASE.err (files, not pipes:
# Wine's helper processes can hold a pipe open for seconds). Returns the
# exit code as wine gives it (mod 256; 124 when the time ran out).
wine_run() {
  local seconds=$1 logbase=$2; shift 2
  timeout -k 5 "$seconds" wine "$@" </dev/null >"$logbase.out" 2>"$logbase.err"
}

# prefix_own_user_folders: Wine links the user's Desktop, Documents and the
# like to the Unix home folder; a suite whose programs write there (an
# installer's desktop shortcut) gets folders of its own in its prefix
# instead, so nothing reaches the home folder or another suite.
prefix_own_user_folders() {
  local user link
  for user in "$WINEPREFIX"/drive_c/users/*/; do
    for link in "$user"*; do
      [ -L "$link" ] || continue
      rm -f "$link" && mkdir -p "$link" || return 1
    done
  done
}
