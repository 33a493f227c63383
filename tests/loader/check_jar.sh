#!/usr/bin/env bash
# vytjni.jar holds every native under META-INF/native/<platform>/ with a SHA-256 that matches it
# and the file the native tests ran, a manifest with the project's version, and binding classes
# for Java 8 (class file major version 52).
# Usage: check_jar.sh JAR VERSION JAVA_HOME_BIN platform=file...
set -euo pipefail
jar=$1 version=$2 bin=$3; shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$bin/jar" xf "$jar")
fail() { echo "FAILED: $*"; exit 1; }
for pair in "$@"; do
  platform=${pair%%=*} file=${pair#*=} name=$(basename "${pair#*=}")
  inside=$work/META-INF/native/$platform/$name
  [ -f "$inside" ] || fail "no META-INF/native/$platform/$name"
  cmp -s "$inside" "$file" || fail "META-INF/native/$platform/$name is not $file"
  read -r hash stored_name < "$inside.sha256"
  [ "$hash" = "$(sha256sum "$inside" | cut -d' ' -f1)" ] && [ "$stored_name" = "$name" ] ||
    fail "$platform/$name.sha256 does not match"
  echo "$platform/$name: $(stat -c %s "$inside") bytes, sha256 $hash"
done
grep -qx "Implementation-Title: VYTjni" <(tr -d '\r' < "$work/META-INF/MANIFEST.MF") || fail "no Implementation-Title"
grep -qx "Implementation-Version: $version" <(tr -d '\r' < "$work/META-INF/MANIFEST.MF") || fail "no Implementation-Version $version"
for c in VYTservlet VYTconnect VYTreport VYTjniLoader; do
  "$bin/javap" -v -cp "$jar" "$c" | grep -q "major version: 52" || fail "$c is not a Java 8 class file"
done
echo "$jar: $(stat -c %s "$jar") bytes; natives and hashes match; version $version; Java 8 classes"
