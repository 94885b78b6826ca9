# Sourced by every script that runs Wine (sh and bash alike).
#   tavo_wine_env <win32|win64> <prefix>
# exports WINEPREFIX, WINEARCH, WINEDEBUG, WINEDLLOVERRIDES and sets
#   TAVO_WINE        the loader for programs of that width
#   TAVO_WINESERVER  the server binary (one serves both widths)
# 64-bit programs go to /usr/lib/wine/wine64 directly: Debian's plain "wine"
# wrapper starts the 32-bit loader whenever wine32 is installed.
#   tavo_host_runs_32bit
# succeeds when this host executes 32-bit x86 programs at all; otherwise it
# fails and leaves the reason in TAVO_32BIT_REASON. The answer of an earlier
# call in the same run is taken from TAVO_HOST_RUNS_32BIT (yes/no) when set.

tavo_wine_env() {
  export WINEARCH="$1" WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  case "$1" in
    win64) TAVO_WINE=/usr/lib/wine/wine64 ;;
    *) TAVO_WINE=$(command -v wine 2>/dev/null || echo /usr/lib/wine/wine) ;;
  esac
  TAVO_WINESERVER=
  for s in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver32; do
    if [ -x "$s" ]; then TAVO_WINESERVER=$s; break; fi
  done
  [ -n "$TAVO_WINESERVER" ] || TAVO_WINESERVER=$(command -v wineserver 2>/dev/null || echo wineserver)
}

tavo_host_runs_32bit() {
  case "${TAVO_HOST_RUNS_32BIT:-}" in
    yes) return 0 ;;
    no) TAVO_32BIT_REASON=${TAVO_32BIT_REASON:-"this host cannot execute 32-bit programs"}; return 1 ;;
  esac
  _t32=$(mktemp -d)
  # A static program that only exits with code 7.
  printf '.globl _start\n_start: movl $1,%%eax\nmovl $7,%%ebx\nint $0x80\n' >"$_t32/t.s"
  if ! { as --32 "$_t32/t.s" -o "$_t32/t.o" && ld -m elf_i386 "$_t32/t.o" -o "$_t32/t"; } >/dev/null 2>&1; then
    rm -rf "$_t32"
    TAVO_32BIT_REASON="the 32-bit probe program could not be assembled (binutils missing?)"
    return 1
  fi
  _rc=0
  "$_t32/t" >/dev/null 2>&1 || _rc=$?
  rm -rf "$_t32"
  if [ "$_rc" = 7 ]; then return 0; fi
  TAVO_32BIT_REASON="this host cannot execute 32-bit programs (the kernel refuses them: exit $_rc, \"Exec format error\")"
  return 1
}

# Succeeds when 32-bit Windows programs can run here; reason as above.
tavo_can_run_win32() {
  tavo_host_runs_32bit || return 1
  if [ ! -x /usr/lib/wine/wine ]; then
    TAVO_32BIT_REASON="32-bit Wine (package wine32:i386) is not installed"
    return 1
  fi
  return 0
}
