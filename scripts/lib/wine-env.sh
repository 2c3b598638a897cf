# shellcheck shell=bash
# The private Wine environment of a build tree, shared by scripts/wine-exec,
# scripts/test and scripts/run.
#
# One Wine prefix per build tree, at <build tree>/wine/prefix (or
# $TAKTOMAT_WINEPREFIX).  Beside the prefix lie its state files, all named
# after it:
#   prefix.lock            flock(1) lock around creating anything below
#   prefix.log             output of wineboot and wineserver
#   prefix.xvfb-pid        the private Xvfb started for this prefix, if any,
#   prefix.xvfb-display    and its display number
#   prefix.server-display  the display the running wineserver was started for
# The display is $TAKTOMAT_DISPLAY when set; otherwise a private Xvfb is
# started once and reused, so a lone `ctest` or `cmake --workflow` works.
# The wineserver is persistent (-p) and started with its standard streams
# redirected.  Wine's own long-lived processes (services.exe, winedevice.exe,
# explorer.exe, ...) inherit the streams of the program that happened to start
# them, so wine-exec never hands a program the caller's pipes: see there.

wine_env_die() {
  echo "wine-env: $*" >&2
  exit 1
}

# Prints the build tree holding PATH: its nearest ancestor with a CMakeCache.txt.
wine_env_build_tree() {
  local dir
  dir=$(cd "$(dirname -- "$1")" 2>/dev/null && pwd -P) || return 1
  while :; do
    if [ -f "$dir/CMakeCache.txt" ]; then
      printf '%s\n' "$dir"
      return 0
    fi
    [ "$dir" = / ] && return 1
    dir=$(dirname -- "$dir")
  done
}

# Prints the prefix of the build tree BUILD_DIR.
wine_env_prefix_of_tree() {
  printf '%s/wine/prefix\n' "$1"
}

# Prints the prefix for running PROGRAM: $TAKTOMAT_WINEPREFIX, or its build tree's.
wine_env_prefix_for_program() {
  local tree
  if [ -n "${TAKTOMAT_WINEPREFIX:-}" ]; then
    printf '%s\n' "$TAKTOMAT_WINEPREFIX"
    return 0
  fi
  tree=$(wine_env_build_tree "$1") ||
    wine_env_die "$1 is not inside a CMake build tree; set TAKTOMAT_WINEPREFIX"
  wine_env_prefix_of_tree "$tree"
}

# Prints PATH made absolute (Wine needs an absolute WINEPREFIX).
wine_env_absolute() {
  case $1 in
    /*) printf '%s\n' "$1" ;;
    *) printf '%s/%s\n' "$PWD" "$1" ;;
  esac
}

# True when this machine runs 32-bit x86 code.  A kernel without IA-32
# emulation refuses it ("Exec format error"), and then Wine's 32-bit loader
# cannot start: no 32-bit Windows program runs, only the 64-bit ones.
wine_env_host_runs_32bit() {
  if [ -z "${wine_env_runs_32bit_answer:-}" ]; then
    wine_env_runs_32bit_answer=no
    /usr/lib/wine/wine --version >/dev/null 2>&1 && wine_env_runs_32bit_answer=yes
  fi
  [ "$wine_env_runs_32bit_answer" = yes ]
}

# True when PROGRAM is a 32-bit x86 Windows program (PE machine 0x14c).
wine_env_is_32bit_program() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ') || return 1
  [ "$(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ')" = 014c ]
}

# Exports the variables that make Wine quiet and private to PREFIX.
# mscoree and mshtml are disabled so that Wine never offers to install Mono or
# Gecko; winemenubuilder is disabled so that nothing is written to $HOME.
wine_env_export() {
  local shims name
  WINEPREFIX=$(wine_env_absolute "$1")
  export WINEPREFIX
  export WINEARCH=win64
  export WINEDEBUG=${TAKTOMAT_WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if ! wine_env_host_runs_32bit; then
    # Debian's `wine` takes the 32-bit loader whenever it is installed, and so
    # do wineboot and the other tools through `wine-stable`: here they must
    # take the 64-bit one.
    shims=$WINEPREFIX.wine64-only
    mkdir -p "$shims"
    for name in wine wine-stable; do
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shims/$name"
      chmod +x "$shims/$name"
    done
    export WINELOADER=/usr/lib/wine/wine64
    case ":$PATH:" in
      *":$shims:"*) ;;
      *) export PATH=$shims:$PATH ;;
    esac
  fi
}

# Closes every file descriptor above 2 that the shell inherited, so that no
# long-lived Wine or X process keeps a pipe of ctest or of a terminal open.
# Bash's own descriptors (255 and up) close on exec anyway.
wine_env_close_fds() {
  local path fd
  for path in /proc/self/fd/*; do
    fd=${path##*/}
    if [ "$fd" -gt 2 ] && [ "$fd" -lt 255 ]; then
      eval "exec $fd>&-"
    fi
  done
}

# True when X display DISPLAY_NAME (":N") answers.
wine_env_display_answers() {
  DISPLAY=$1 xdotool getdisplaygeometry >/dev/null 2>&1
}

# True when the Xvfb recorded under BASE (a path without suffix) still serves.
wine_env_xvfb_alive() {
  local base=$1 pid number
  pid=$(cat "$base.xvfb-pid" 2>/dev/null) || return 1
  number=$(cat "$base.xvfb-display" 2>/dev/null) || return 1
  [ -n "$pid" ] && [ -n "$number" ] || return 1
  kill -0 "$pid" 2>/dev/null || return 1
  [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] || return 1
  wine_env_display_answers ":$number"
}

# Starts a private Xvfb (no TCP, the first free display number, 1024x768x24),
# records it under BASE and prints its display name (":N").  Xvfb is detached
# from the caller (a test killed on timeout does not take it along) and holds
# none of the caller's file descriptors.
wine_env_start_xvfb() {
  local base=$1 number="" pid i
  mkdir -p "$(dirname -- "$base")"
  rm -f "$base.xvfb-pid" "$base.xvfb-display"
  : >"$base.xvfb-display"
  # The subshell exits at once, so Xvfb is reparented away from the caller.
  (
    wine_env_close_fds
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 \
      3>"$base.xvfb-display" </dev/null >"$base.xvfb.log" 2>&1 &
    echo $! >"$base.xvfb-pid"
  )
  pid=$(cat "$base.xvfb-pid")
  # Xvfb writes its display number once it accepts connections.
  for ((i = 0; i < 200; i++)); do
    number=$(tr -dc 0-9 <"$base.xvfb-display")
    [ -n "$number" ] && break
    kill -0 "$pid" 2>/dev/null ||
      wine_env_die "Xvfb ended at start: $(cat "$base.xvfb.log")"
    sleep 0.05
  done
  [ -n "$number" ] || wine_env_die "Xvfb did not report a display within 10 s"
  printf '%s\n' "$number" >"$base.xvfb-display"
  printf ':%s\n' "$number"
}

# Stops the Xvfb recorded under BASE, if it runs.
wine_env_stop_xvfb() {
  local base=$1 pid
  if wine_env_xvfb_alive "$base"; then
    pid=$(cat "$base.xvfb-pid")
    kill "$pid" 2>/dev/null || true
  fi
  rm -f "$base.xvfb-pid" "$base.xvfb-display"
}

# Links Wine's own fonts (Tahoma, MS Sans Serif, Marlett for the caption
# buttons) from the fonts-wine package into the prefix, where this Wine looks
# for them, unless they are there already.  With TAKTOMAT_WINE_FONTS=none it
# takes such links away instead: the prefix then has only the system's fonts,
# as one that a user's own `wine` makes.
wine_env_link_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts font
  [ -d "$fonts" ] && [ -d /usr/share/wine/fonts ] || return 0
  if [ "${TAKTOMAT_WINE_FONTS:-}" = none ]; then
    find "$fonts" -maxdepth 1 -type l -lname '/usr/share/wine/fonts/*' -delete
    return 0
  fi
  [ -e "$fonts/marlett.ttf" ] && return 0
  for font in /usr/share/wine/fonts/*; do
    ln -sf "$font" "$fonts/"
  done
}

# Runs a Wine command with no inherited descriptors, its output going to the log.
wine_env_quietly() {
  (
    wine_env_close_fds
    exec "$@"
  ) </dev/null >>"$WINEPREFIX.log" 2>&1
}

# Creates the prefix once: wineboot, then the settings the tests rely on.
# Caller holds the lock and has exported the Wine variables and DISPLAY.
wine_env_create_prefix() {
  local log=$WINEPREFIX.log
  [ -f "$WINEPREFIX/.taktomat-ready" ] && return 0
  echo "wine-env: creating the Wine prefix $WINEPREFIX (once per build tree)..." >&2
  wine_env_quietly wineserver -k || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname -- "$WINEPREFIX")"
  wine_env_quietly timeout 600 wineboot -i || wine_env_die "wineboot -i failed; see $log"
  # A crash ends the program with its exception code instead of opening a
  # dialogue that would wait for a click.
  wine_env_quietly wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
    /t REG_DWORD /d 0 /f || wine_env_die "cannot configure winedbg; see $log"
  # Without a window manager, Wine draws frames and captions and handles
  # minimising itself, as Windows does.
  wine_env_quietly wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed \
    /t REG_SZ /d N /f || wine_env_die "cannot configure the X11 driver; see $log"
  # The registry is on disk once the temporary wineserver has ended.
  wine_env_quietly timeout 120 wineserver -w ||
    wine_env_die "wineserver did not end after wineboot"
  touch "$WINEPREFIX/.taktomat-ready"
}

# Makes sure a persistent wineserver serves the prefix for the current DISPLAY.
# Caller holds the lock.
wine_env_ensure_server() {
  local record=$WINEPREFIX.server-display rc=0
  if [ -f "$record" ] && [ "$(cat "$record")" != "$DISPLAY" ]; then
    # Its desktop process talks to another display: start afresh.
    wine_env_quietly wineserver -k || true
    wine_env_quietly timeout 60 wineserver -w || true
  fi
  # Exit status 2: a wineserver already runs for this prefix.
  wine_env_quietly wineserver -p || rc=$?
  case $rc in
    0 | 2) ;;
    *) wine_env_die "wineserver -p failed ($rc); see $WINEPREFIX.log" ;;
  esac
  printf '%s\n' "$DISPLAY" >"$record"
}

# Prepares PREFIX for running programs and exports everything Wine needs:
# the display, the prefix (created once), the persistent wineserver.
# Safe when several callers start at once.
wine_env_activate() {
  local prefix
  prefix=$(wine_env_absolute "$1")
  mkdir -p "$(dirname -- "$prefix")"
  wine_env_export "$prefix"
  exec 9>>"$prefix.lock"
  flock 9
  if [ -n "${TAKTOMAT_DISPLAY:-}" ]; then
    export DISPLAY=$TAKTOMAT_DISPLAY
    wine_env_display_answers "$DISPLAY" ||
      wine_env_die "TAKTOMAT_DISPLAY=$DISPLAY does not answer"
  else
    if ! wine_env_xvfb_alive "$prefix"; then
      wine_env_start_xvfb "$prefix" >/dev/null
    fi
    DISPLAY=:$(cat "$prefix.xvfb-display")
    export DISPLAY
  fi
  wine_env_create_prefix
  wine_env_link_fonts
  wine_env_ensure_server
  flock -u 9
  exec 9>&-
}

# Stops what the environment of PREFIX runs: its wineserver (with every Wine
# process in it) and its recorded Xvfb.
wine_env_stop() {
  local prefix
  prefix=$(wine_env_absolute "$1")
  if [ -d "$prefix" ]; then
    (
      wine_env_export "$prefix"
      wineserver -k >/dev/null 2>&1 || true
      timeout 60 wineserver -w >/dev/null 2>&1 || true
    )
  fi
  rm -f "$prefix.server-display"
  wine_env_stop_xvfb "$prefix"
}
