# Shared by the scripts: paths, the Wine environment, Xvfb and the Wine session.
# Sourced, never run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
# TARVIMO_WINEPREFIX lets parallel work use a prefix of its own.
WINEPREFIX="${TARVIMO_WINEPREFIX:-$BUILD/wine}"
case "$WINEPREFIX" in /*) ;; *) WINEPREFIX="$ROOT/$WINEPREFIX" ;; esac
export WINEPREFIX
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe="

log() { printf '== %s\n' "$*" >&2; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

XVFB_PID=""
WINE_SESSION=""
KEEPALIVE_PID=""

# Starts a private Xvfb on the first free display and exports DISPLAY. Its screen is 1280x1024
# (what the tests measure against) unless TARVIMO_SCREEN (WIDTHxHEIGHT) says otherwise.
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${TARVIMO_SCREEN:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; XVFB_PID=""
  done
  die "could not start Xvfb"
}

# Safe under `set -e`: a killed process's status must not end the caller's clean-up early.
stop_xvfb() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}

# Whether Wine hands its top-level windows to a window manager ("Managed" of the X11 driver, read
# by each Wine process at its start). On a private Xvfb there is none, and with managed windows
# every hide of a shown window waits 2 s for it: there the windows are unmanaged (N). On the
# user's display the desktop manages them: Wine's default (the value removed). Idempotent.
set_wine_managed() {
  local key='HKCU\Software\Wine\X11 Driver'
  if [ "$1" = N ]; then
    wine reg add "$key" /v Managed /t REG_SZ /d N /f
  else
    wine reg delete "$key" /v Managed /f
  fi >/dev/null 2>&1 </dev/null || true
}

# The display's dots per inch in the current prefix (Wine reads LogPixels at a process's start).
# Idempotent.
set_wine_dpi() {
  local dpi="$1" hex
  hex=$(printf '0x%x' "$dpi")
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$hex" /f \
    >/dev/null 2>&1 </dev/null || return 1
  wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$hex" /f \
    >/dev/null 2>&1 </dev/null || return 1
  wineserver -w
}

# Switches WINEPREFIX to the prefix whose display is set to $1 dots per inch, build/wine-dpiN (the
# one `scripts/run --dpi N` uses). It is a copy of the current prefix, made once (again only when
# that prefix was made anew), so the 96-dpi prefix keeps its settings. Idempotent; returns 1 (with
# a message) when it cannot.
use_dpi_prefix() {
  local dpi="$1" base="$WINEPREFIX" dir="$BUILD/wine-dpi$1"
  case "$dpi" in ''|*[!0-9]*) log "a DPI is a whole number such as 144"; return 1 ;; esac
  [ "$dpi" -ge 72 ] && [ "$dpi" -le 480 ] || { log "a DPI lies between 72 and 480"; return 1; }
  if [ ! -f "$dir/system.reg" ] ||
    [ "$(cat "$dir/.tarvimo-prefix" 2>/dev/null)" != "$(cat "$base/.tarvimo-prefix" 2>/dev/null)" ]; then
    log "copying the Wine prefix for $dpi dpi to $dir"
    rm -rf "$dir"
    cp -a "$base" "$dir" || { log "could not copy the Wine prefix"; return 1; }
    rm -f "$dir/.tarvimo-dpi"
  fi
  export WINEPREFIX="$dir" TARVIMO_WINEPREFIX="$dir"
  if [ "$(cat "$dir/.tarvimo-dpi" 2>/dev/null)" != "$dpi" ]; then
    set_wine_dpi "$dpi" || { log "could not set the DPI of $dir"; return 1; }
    echo "$dpi" > "$dir/.tarvimo-dpi"
  fi
}

# A persistent wineserver, a hidden keep-alive window and one warm-up: afterwards each Wine
# process starts in tens of milliseconds and none of Wine's helpers holds our output pipes.
# On a private Xvfb (start_xvfb) the windows are unmanaged, see set_wine_managed.
start_wine_session() {
  local keepalive="$1"
  wineserver -p >/dev/null 2>&1 </dev/null
  WINE_SESSION=1
  if [ -n "$XVFB_PID" ]; then set_wine_managed N; else set_wine_managed default; fi
  if [ -n "$keepalive" ] && [ -f "$keepalive" ]; then
    wine "$keepalive" >/dev/null 2>&1 </dev/null &
    KEEPALIVE_PID=$!
  fi
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

stop_wine_session() {
  if [ -n "$WINE_SESSION" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    WINE_SESSION=""
  fi
  if [ -n "$KEEPALIVE_PID" ]; then
    wait "$KEEPALIVE_PID" 2>/dev/null || true
    KEEPALIVE_PID=""
  fi
}

cleanup_all() {
  stop_wine_session
  stop_xvfb
}

jobs_count() { echo "${TARVIMO_JOBS:-$(nproc)}"; }

# Configures (once) and builds one preset.
build_preset() {
  local preset="$1"; shift
  local dir="$BUILD/$preset"
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake --preset "$preset" -S "$ROOT" "$@" >/dev/null || die "configure $preset failed"
  fi
  cmake --build "$dir" -j "$(jobs_count)" || die "build $preset failed"
}

# Configures (once) and builds the libFuzzer targets: a clang tree of its own in build/fuzz.
build_fuzz_tree() {
  if [ ! -f "$BUILD/fuzz/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD/fuzz" -DTARVIMO_FUZZ=ON -DTARVIMO_TESTS=OFF \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || die "configure fuzz failed"
  fi
  cmake --build "$BUILD/fuzz" -j "$(jobs_count)" || die "build fuzz failed"
}

# The optimised trees without sanitizers (Release: -O3, where GCC raises warnings that the other
# trees never see). The benchmarks and the release package are built there, and the test command
# compiles them too, so such a warning stops a test run instead of a user's bench or package.
OPT_NATIVE="$BUILD/opt-native"
OPT_CROSS="$BUILD/opt-cross"

bench_names() { local f; for f in "$ROOT"/bench/"$1"/*_bench.cpp; do [ -f "$f" ] && basename "$f" .cpp; done; return 0; }

# Configures (once) and builds one optimised tree: build_opt_tree DIR CMAKE-OPTIONS... -- TARGETS...
build_opt_tree() {
  local dir="$1"; shift
  local -a options=()
  while [ "$1" != "--" ]; do options+=("$1"); shift; done
  shift
  # Configured every time (quick when the cache is there): a bench added since the tree was made
  # is a target only after its folder's CMakeLists.txt has been read again.
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "${options[@]}" >/dev/null || return 1
  cmake --build "$dir" -j "$(jobs_count)" --target "$@"
}

# Both optimised trees with everything the benchmarks and the package need: the native one draws
# and packs the skins and artwork that the cross one embeds.
build_opt_trees() {
  local -a native_benches win_benches
  mapfile -t native_benches < <(bench_names native)
  mapfile -t win_benches < <(bench_names win)
  build_opt_tree "$OPT_NATIVE" -DTARVIMO_SANITIZE=OFF -- \
      default_skin dark_skin artwork "${native_benches[@]}" &&
    build_opt_tree "$OPT_CROSS" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
      -DTARVIMO_HOST_ASSETS_DIR="$OPT_NATIVE/assets" -- \
      Tarvimo SkinGallery launch_probe wine_keepalive "${win_benches[@]}"
}

# The libFuzzer flags of one target (its name without "_fuzz"), one per line: its dictionary
# tests/fuzz/<name>.dict and the flags in tests/fuzz/<name>.options, when they exist.
fuzz_target_flags() {
  local dir="$ROOT/tests/fuzz"
  [ -f "$dir/$1.dict" ] && echo "-dict=$dir/$1.dict"
  [ -f "$dir/$1.options" ] && grep -v -e '^#' -e '^[[:space:]]*$' "$dir/$1.options"
  return 0
}
