# Sourced first by the installer tests (after HERE and RUN are set): their
# arguments, the Wine environment, the package's version, skip and fail,
# and the width's settings: WIDTH, FILES, FILES32 (empty for x86), VIEWS;
# BIN32 is emptied for the x86 package, which has no 32-bit half.
ARCH=$1 BIN=$2 BIN32=$3 NATIVEBIN=$4 WORK=$5
ROOT=$(cd "$HERE/../.." && pwd)
. "$ROOT/scripts/wine-env.sh"
VERSION=$(sed -n 's/^set(TAVO_VERSION \([0-9.]*\))$/\1/p' "$ROOT/cmake/Version.cmake")
SERVICEINFO='HKLM\Software\OLEforRetail\ServiceInfo\Tavo OPOS'

skip() { echo "$RUN run skipped: $*"; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }
command -v wixl >/dev/null || skip "wixl is not installed"
[ -x "$NATIVEBIN/tavo-vprinter" ] || skip "no virtual printer at $NATIVEBIN (build the native preset)"
if [ "$ARCH" = x64 ]; then
  WIDTH=win64 FILES="Program Files" FILES32="Program Files (x86)" VIEWS="64 32"
  [ -f "$BIN32/ptrservice.dll" ] || skip "no 32-bit build at $BIN32 for the x64 package (build the win32 preset)"
else
  WIDTH=win32 FILES="Program Files" FILES32= VIEWS=32
  tavo_can_run_win32 || skip "$TAVO_32BIT_REASON"
  BIN32=
fi
