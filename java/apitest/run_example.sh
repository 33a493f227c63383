#!/usr/bin/env bash
# The README's example program as a user meets it: the fenced java block that starts with
# "package com.example;" is taken from README.md as it stands, compiled with only the two jars on
# the class path, and run (-Xcheck:jni; any JNI warning fails) against the sample collector, where
# it must print the current alerts. Without vytjni.jar it must fail with the loader's advice.
# Usage: run_example.sh README VYTJNI_JAR VYTJNI_API_JAR VYTAPP_JAR JAVA JAVAC
set -uo pipefail
readme=$1 jni=$2 api=$3 app=$4 java=$5 javac=$6
work=$(mktemp -d)
collector=
trap '[ -n "$collector" ] && kill "$collector" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

mkdir -p "$work/src/com/example" "$work/classes" "$work/lib"
awk '/^```java$/ {inside=1; first=1; block=""; next}
     inside && /^```$/ {inside=0; if (keep) {printf "%s", block; exit} next}
     inside {if (first) {keep = ($0 == "package com.example;"); first=0} block = block $0 "\n"}' \
  "$readme" >"$work/src/com/example/Example.java"
[ -s "$work/src/com/example/Example.java" ] || fail "README.md has no \`\`\`java block starting with package com.example;"
class=$(sed -n 's/^public \(final \)\{0,1\}class \([A-Za-z0-9_]*\).*/\2/p' "$work/src/com/example/Example.java" | head -1)
[ -n "$class" ] || fail "the example declares no public class"
mv "$work/src/com/example/Example.java" "$work/src/com/example/$class.java"
cp "$jni" "$work/lib/vytjni.jar"
cp "$api" "$work/lib/vytjni-api.jar"
"$javac" --release 17 -Xlint:all -Werror -cp "$work/lib/vytjni-api.jar" -d "$work/classes" "$work/src/com/example/$class.java" ||
  fail "the example does not compile against vytjni-api.jar"

"$java" -jar "$app" collector --port 0 2>"$work/collector.err" &
collector=$!
for _ in $(seq 100); do
  at=$(sed -n 's/^sample collector listening on \([^ ]*\) .*/\1/p' "$work/collector.err")
  [ -n "$at" ] && break
  sleep 0.1
done
[ -n "$at" ] || fail "the sample collector did not start: $(cat "$work/collector.err")"

(cd "$work" && "$java" -Xcheck:jni -cp lib/vytjni.jar:lib/vytjni-api.jar:classes "com.example.$class" "$at") >"$work/out" 2>&1
status=$?
cat "$work/out"
[ $status = 0 ] || fail "the example exited with status $status"
grep -E "^WARNING|WARNING in native method" "$work/out" >/dev/null && fail "the JVM printed JNI warnings"
# The sample collector's current alerts name its transactions.
grep -qE "checkout|login|search" "$work/out" || fail "the example printed no alert of the sample collector"

(cd "$work" && "$java" -cp lib/vytjni-api.jar:classes "com.example.$class" "$at") >"$work/out" 2>&1 &&
  fail "the example ran without vytjni.jar"
grep -q "needs vytjni.jar on the class path" "$work/out" || { cat "$work/out"; fail "no advice to add vytjni.jar"; }
echo "the README example compiled and printed the current alerts"
