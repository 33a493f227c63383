#!/usr/bin/env bash
# Runs one group of JUnit tests in a fresh JVM with -Xcheck:jni, in a fresh
# working directory, and fails on any JNI warning the JVM prints.
set -uo pipefail
group=$1 libdir=$2 launcher=$3 classpath=$4 java=${5:-java}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ "$group" = nologs ] || mkdir "$work/logs"

case $group in
  default) select=(--exclude-tag traceoff --exclude-tag nologs) ;;
  *) select=(--include-tag "$group") ;;
esac

out="$work/junit.out"
(cd "$work" && "$java" -Xcheck:jni -Djava.library.path="$libdir" -jar "$launcher" \
   --class-path "$classpath" --scan-class-path "${select[@]}" \
   --disable-banner --details=summary --fail-if-no-tests) >"$out" 2>&1
status=$?
cat "$out"
if grep -E "^WARNING|WARNING in native method|JNI local refs" "$out" >/dev/null; then
  echo "FAILED: the JVM printed JNI warnings"
  exit 1
fi
exit $status
