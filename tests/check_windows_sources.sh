#!/usr/bin/env bash
# Compiles the Windows-only code paths with the MinGW cross compiler, as far
# as this machine allows without a Windows Qt: the matrix plug-in as a DLL
# (whose only export must be its entry-point table), the plug-in binding, the
# framework's platform-neutral core and the wWinMain entry point.
# usage: check_windows_sources.sh <mingw-g++> <mingw-objdump> <source-root> <work-dir>
set -euo pipefail
cxx=$1 objdump=$2 root=$3 work=$4
mkdir -p "$work"
flags=(-std=c++20 -Wall -Wextra -Wpedantic -Werror -O1 -I"$root" -I"$root/framework/include"
       -I"$root/matrix/include" -isystem /usr/include/eigen3)

"$cxx" "${flags[@]}" -shared -DQUILLMATRIX_BUILDING_PLUGIN -o "$work/quillmatrix.dll" \
  "$root"/matrix/plugin/*.cpp
exports=$("$objdump" -p "$work/quillmatrix.dll" |
          sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] //p')
if [ "$exports" != "quillmatrix_entrypoints" ]; then
  echo "quillmatrix.dll exports more or other than its entry point:"; echo "$exports"; exit 1
fi

for source in "$root"/matrix/binding/*.cpp "$root"/framework/src/*.cpp "$root"/app/main.cpp; do
  "$cxx" "${flags[@]}" -c -o "$work/$(basename "$source").o" "$source"
done
# The program's entry point on Windows is wWinMain, not main.
"${objdump%objdump}nm" "$work/main.cpp.o" | grep -q ' T wWinMain' ||
  { echo "main.cpp defines no wWinMain for Windows"; exit 1; }
echo "Windows sources compile; wWinMain is the entry point; quillmatrix.dll exports its entry point only"
