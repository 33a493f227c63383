#!/usr/bin/env bash
# Fails unless the shared library exports exactly the three JNI methods.
set -euo pipefail
lib=$1
got=$(nm -D --defined-only "$lib" | awk '$2 ~ /^[TtWwDdBbRrVv]$/ {print $3}' | sort)
want=$(printf '%s\n' Java_VYTconnect_getBufLength Java_VYTreport_mapData Java_VYTservlet_buildVYTRequest | sort)
if [ "$got" != "$want" ]; then
  echo "exported symbols differ from the three JNI methods:"
  diff <(echo "$want") <(echo "$got") || true
  exit 1
fi
echo "exports: the three JNI methods, nothing else"
