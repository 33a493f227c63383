#!/usr/bin/env bash
# Builds VYTjni.dll from the same sources with MinGW-w64 and checks that it
# exports exactly the three JNI methods.  Usage: cross_build.sh SOURCE_DIR JNI_INCLUDE_DIR OUT_DIR
set -euo pipefail
src=$1 jni=$2 out=$3
cxx=$(command -v x86_64-w64-mingw32-g++-posix || command -v x86_64-w64-mingw32-g++ || true)
if [ -z "$cxx" ]; then
  echo "MinGW-w64 is not installed (package g++-mingw-w64-x86-64-posix)"
  exit 1
fi
mkdir -p "$out"
mapfile -t sources < <(ls "$src"/src/core/*.cpp | grep -v platform_posix; ls "$src"/src/reports/*/*.cpp)
"$cxx" -std=c++20 -O2 -Wall -Wextra -Werror -D__USE_MINGW_ANSI_STDIO=1 \
  -I"$src/include" -I"$src/src/core" -I"$jni" -I"$src/tests/windows" \
  -shared -static-libgcc -static-libstdc++ -o "$out/VYTjni.dll" "${sources[@]}"
got=$(x86_64-w64-mingw32-objdump -p "$out/VYTjni.dll" |
      sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '/\[/ && !/Table/ {print $3}' | sort)
want=$(printf '%s\n' Java_VYTconnect_getBufLength Java_VYTreport_mapData Java_VYTservlet_buildVYTRequest | sort)
if [ "$got" != "$want" ]; then
  echo "VYTjni.dll exports differ from the three JNI methods:"
  echo "$got"
  exit 1
fi
echo "VYTjni.dll built; it exports the three JNI methods, nothing else"
