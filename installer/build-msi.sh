#!/bin/sh
# Builds one Windows Installer package with wixl.
#   build-msi.sh <x64|x86> <version> <out.msi> <bin> [<bin32>]
# x64 takes the 64-bit programs from <bin> and the 32-bit ones from <bin32>.
set -eu
arch=$1 version=$2 out=$3 bin=$4 bin32=${5:-}
here=$(cd "$(dirname "$0")" && pwd)
command -v wixl >/dev/null || { echo "wixl is not installed (./run deps installs it)" >&2; exit 1; }
wxs=${out%.msi}.wxs
mkdir -p "$(dirname "$out")"
python3 "$here/make-wxs.py" --arch "$arch" --version "$version" --data "$here/../data" \
  --bin "$bin" ${bin32:+--bin32 "$bin32"} -o "$wxs"
# wixl warns about attributes it does not know; only its errors matter.
(cd "$(dirname "$wxs")" && wixl -a "$arch" -o "$(basename "$out")" "$(basename "$wxs")") 2>"$out.log" ||
  { cat "$out.log" >&2; exit 1; }
echo "$out"
