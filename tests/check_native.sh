#!/usr/bin/env bash
# Checks one native library file of the jar (an ELF .so of any architecture, or a PE .dll):
#   - it exports exactly the six JNI methods (three of the binding classes, the loader's version, two of the typed API);
#   - it needs nothing but what its OS always has (the C library; Windows system DLLs);
#   - a Linux library needs no glibc symbol newer than GLIBC_MAX (the version the README states);
#   - a DLL carries the project's version in its version resource.
# Usage: check_native.sh FILE GLIBC_MAX VERSION
set -euo pipefail
file=$1 glibc_max=$2 version=$3
want=$(printf '%s\n' Java_VYTconnect_getBufLength Java_VYTjniLoader_nativeVersion Java_VYTreport_mapData \
  Java_VYTservlet_buildVYTRequest Java_org_vytjni_api_NativeCalls_decode0 Java_org_vytjni_api_NativeCalls_request0)
fail() { echo "FAILED: $file: $*"; exit 1; }

case $file in
  *.dll)
    dump=$(x86_64-w64-mingw32-objdump -p "$file")
    exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | awk '/\[/ && !/Table/ {print $3}' | sort)
    needed=$(awk '/DLL Name:/ {print $3}' <<<"$dump" | sort -u)
    # Every Windows has these; a MinGW runtime DLL (libstdc++-6, libgcc_s, libwinpthread-1) it has not.
    allowed='^(kernel32|msvcrt|user32|advapi32|ntdll|ws2_32|api-ms-win-.*)\.dll$'
    strings -el "$file" | grep -qx "$version" || fail "no version resource with $version"
    ;;
  *)
    exports=$(readelf --dyn-syms -W "$file" | awk '$5 == "GLOBAL" && $7 != "UND" {print $8}' | sed 's/@.*//' | sort)
    needed=$(readelf -d "$file" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort)
    # glibc's own libraries; libstdc++ and libgcc_s are linked in statically.
    allowed='^(libc\.so\.6|libm\.so\.6|libdl\.so\.2|libpthread\.so\.0|librt\.so\.1|ld-linux-[a-z0-9_-]+\.so\.[12])$'
    newest=$(readelf -V -W "$file" | grep -o 'GLIBC_[0-9.]*' | sed 's/GLIBC_//' | sort -V | tail -1)
    if [ -n "$newest" ] && [ "$(printf '%s\n%s\n' "$newest" "$glibc_max" | sort -V | tail -1)" != "$glibc_max" ]; then
      fail "needs glibc $newest; at most $glibc_max is allowed"
    fi
    echo "glibc needed: ${newest:-none}"
    ;;
esac
[ "$exports" = "$(sort <<<"$want")" ] || fail "exports differ from the six JNI methods: $(echo $exports)"
while read -r lib; do
  [ -z "$lib" ] && continue
  grep -qiE "$allowed" <<<"$lib" || fail "needs $lib, which its OS does not always have"
done <<<"$needed"
echo "$file: exports the six JNI methods; needs only:" $needed
