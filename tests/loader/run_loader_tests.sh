#!/usr/bin/env bash
# The self-loading jar as a user meets it, each case in a fresh JVM with -Xcheck:jni (any JNI
# warning fails), in a fresh folder, with a class path of only vytjni.jar and no library path:
#   sample      java -cp vytjni.jar:. Sample, with no other setting
#   loaders     two class loaders in one JVM each load and use their own copy, removed after
#   trace       both copies trace at once into one logs/VYTjni.trc: every line kept, no NUL
#   property    -Dvytjni.library as a relative path; a missing file is refused with its reason
#   unsupported an architecture the jar has no native for
#   unwritable  vytjni.tmpdir on a read-only file system (or a folder the user cannot write)
#   noexec      vytjni.tmpdir on a file system mounted noexec
#   stale       a library of another version on java.library.path is refused, naming both versions
#               and the file (a copy of the library with its version text changed)
#   denied      with JAVA_24 (JDK 24 or later) and --illegal-native-access=deny, the loader's error
#               names --enable-native-access=ALL-UNNAMED; with that flag added it loads
# The last two need root and mount namespaces (unshare -m); without them the read-only case
# uses a mode 0555 folder and the noexec case is left out.
# Usage: run_loader_tests.sh VYTJNI_JAR LIBRARY_FILE JAVA JAVAC VERSION [JAVA_24]
set -uo pipefail
jar=$1 so=$2 java=$3 javac=$4 version=$5 java24=${6:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
app=$work/app tmp=$work/tmp
mkdir -p "$app/lib" "$tmp"
cp "$jar" "$app/vytjni.jar"
cp "$so" "$app/lib/"
"$javac" --release 8 -Xlint:-options -cp "$app/vytjni.jar" -d "$app" "$here/Sample.java" "$here/TwoLoaders.java" \
  "$here/TwoLoadersTrace.java" || exit 1
failures=0
out=$work/out

# run NAME EXPECT_STATUS java-args...: runs java in $app; output in $out
run() {
  local name=$1 want=$2; shift 2
  (cd "$app" && "$@") >"$out" 2>&1
  local status=$?
  sed "s/^/  [$name] /" "$out"
  if grep -E "^WARNING|WARNING in native method" "$out" >/dev/null; then
    echo "FAILED $name: the JVM printed JNI warnings"; failures=$((failures + 1))
  fi
  if { [ "$want" = 0 ] && [ $status -ne 0 ]; } || { [ "$want" != 0 ] && [ $status -eq 0 ]; }; then
    echo "FAILED $name: exit status $status"; failures=$((failures + 1))
  fi
}
expect() {  # expect NAME TEXT...: each text is in $out
  local name=$1; shift
  for t in "$@"; do
    grep -qF -- "$t" "$out" || { echo "FAILED $name: no \"$t\""; failures=$((failures + 1)); }
  done
}

run sample 0 "$java" -Xcheck:jni -cp vytjni.jar:. Sample
expect sample "request: 1132 bytes" "reply: 164 bytes" "setData 1700000000 0x2400000" \
  "addEntry checkout 0x400000" "addEntry login 0x800000" "status: 0"

run loaders 0 "$java" -Xcheck:jni -Dvytjni.tmpdir="$tmp" -cp . TwoLoaders vytjni.jar
expect loaders "loader 1: status 0 from $tmp/VYTjni-" "loader 2: status 0 from $tmp/VYTjni-"
[ "$(grep -c "^loader" "$out")" = 2 ] && [ "$(sed -n 's/.* from //p' "$out" | sort -u | wc -l)" = 2 ] ||
  { echo "FAILED loaders: the two class loaders did not load two copies"; failures=$((failures + 1)); }
[ -z "$(ls -A "$tmp")" ] || { echo "FAILED loaders: copies left in $tmp: $(ls "$tmp")"; failures=$((failures + 1)); }

mkdir "$app/logs"
run trace 0 "$java" -Xcheck:jni -Dvytjni.tmpdir="$tmp" -cp . TwoLoadersTrace vytjni.jar 300
expect trace "trace: " "0 NUL bytes, 0 lines missing"
rm -rf "$app/logs"

# With extraction impossible, only the property can have loaded the library.
run property 0 "$java" -Xcheck:jni -Dvytjni.library=lib/libVYTjni.so -Dvytjni.tmpdir=/nonexistent -cp vytjni.jar:. Sample
expect property "status: 0"
run property-missing 1 "$java" -Dvytjni.library=lib/missing.so -cp vytjni.jar:. Sample
expect property-missing "UnsatisfiedLinkError" "system property vytjni.library=lib/missing.so ($app/lib/missing.so): no such file"

run unsupported 1 "$java" -Dos.arch=riscv64 -cp vytjni.jar:. Sample
expect unsupported "native library for linux-riscv64 (os.name Linux, os.arch riscv64)" \
  "3. the jar's META-INF/native/linux-riscv64/libVYTjni.so: not in the jar; the jar holds natives for linux-x86_64, linux-aarch64, windows-x86_64" \
  "To fix it, build the library for linux-riscv64 and set -Dvytjni.library=<path of libVYTjni.so>."

# The same file with another version in its version text ("VYTjni version X.Y.Z", of equal length).
stale=$(tr '0-9' '1-90' <<<"$version")
mkdir "$app/stale"
perl -0777 -pe "s/VYTjni version \Q$version\E\x00/VYTjni version $stale\x00/ or die 'no version text'" \
  "$so" >"$app/stale/libVYTjni.so" || { echo "FAILED stale: cannot make the stale copy"; failures=$((failures + 1)); }
run stale 1 "$java" -Xcheck:jni -Djava.library.path=stale -cp vytjni.jar:. Sample
expect stale "UnsatisfiedLinkError: The VYTjni native library $app/stale/libVYTjni.so is version $stale, but the classes (file:$app/vytjni.jar) are version $version; it was found on java.library.path."

if [ -n "$java24" ]; then
  run denied 1 "$java24" --illegal-native-access=deny -cp vytjni.jar:. Sample
  expect denied "UnsatisfiedLinkError: Cannot load the VYTjni native library: the JVM denies native access to the class path's code" \
    "add --enable-native-access=ALL-UNNAMED to the java command line" "Caused by: java.lang.IllegalCallerException"
  run denied-enabled 0 "$java24" --illegal-native-access=deny --enable-native-access=ALL-UNNAMED -cp vytjni.jar:. Sample
  expect denied-enabled "status: 0"
else
  echo "denied: left out (no java of JDK 24 or later)"
fi

# tmpdir cases: a file system mounted with OPTIONS for the folder, when this user may mount.
mounted() {  # mounted OPTIONS DIR java-args...
  local options=$1 dir=$2; shift 2
  unshare -m sh -c 'mount -t tmpfs -o "$0" tmpfs "$1" && shift && exec "$@"' "$options" "$dir" "$@"
}
tmpdir_error=("Cannot load the VYTjni native library for linux-" "1. system property vytjni.library: not set"
              "2. java.library.path (" "-Dvytjni.library=<path of libVYTjni.so>" "-Dvytjni.tmpdir=<")
ro=$work/ro
mkdir "$ro"
if [ "$(id -u)" = 0 ] && unshare -m true 2>/dev/null; then
  run unwritable 1 mounted ro "$ro" "$java" -Dvytjni.tmpdir="$ro" -cp vytjni.jar:. Sample
  expect unwritable "${tmpdir_error[@]}" "copied to vytjni.tmpdir ($ro): cannot create a file there"
  run noexec 1 mounted noexec "$ro" "$java" -Dvytjni.tmpdir="$ro" -cp vytjni.jar:. Sample
  expect noexec "${tmpdir_error[@]}" "copied to vytjni.tmpdir ($ro) as $ro/VYTjni-" "mounted noexec"
elif [ "$(id -u)" != 0 ]; then
  chmod 0555 "$ro"
  run unwritable 1 "$java" -Dvytjni.tmpdir="$ro" -cp vytjni.jar:. Sample
  expect unwritable "${tmpdir_error[@]}" "copied to vytjni.tmpdir ($ro): cannot create a file there"
  echo "noexec: left out (needs root and unshare -m)"
else
  echo "FAILED: running as root without mount namespaces: no folder here is unwritable"; failures=$((failures + 1))
fi

echo "loader: $failures failure(s)"
[ $failures -eq 0 ]
