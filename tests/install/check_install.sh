#!/usr/bin/env bash
# cmake --install into a fresh prefix: the stripped library in the GNUInstallDirs library folder,
# vytjni-X.Y.Z.jar with the link vytjni.jar, and the local Maven repository (POM, jar, sources jar).
# Usage: check_install.sh BUILD_DIR VERSION LIBDIR DATADIR MAVEN_GROUP JAR_TOOL
set -euo pipefail
build=$1 version=$2 libdir=$3 datadir=$4 group=$5 jar=$6
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "FAILED: $*"; exit 1; }
lib=$prefix/$libdir/libVYTjni.so
[ -f "$lib" ] || fail "no $libdir/libVYTjni.so"
! readelf -S -W "$lib" | grep -qE '\.(symtab|debug_info) ' || fail "$libdir/libVYTjni.so is not stripped"
java=$prefix/$datadir/java
[ -f "$java/vytjni-$version.jar" ] || fail "no $datadir/java/vytjni-$version.jar"
[ "$(readlink "$java/vytjni.jar")" = "vytjni-$version.jar" ] || fail "vytjni.jar does not link to vytjni-$version.jar"
maven=$prefix/$datadir/maven-repo/${group//.//}/vytjni/$version
for f in "vytjni-$version.pom" "vytjni-$version.jar" "vytjni-$version-sources.jar"; do
  [ -s "$maven/$f" ] || fail "no $maven/$f"
done
cmp -s "$maven/vytjni-$version.jar" "$java/vytjni-$version.jar" || fail "the Maven jar is not the installed jar"
grep -q "<groupId>$group</groupId>" "$maven/vytjni-$version.pom" && grep -q "<version>$version</version>" "$maven/vytjni-$version.pom" ||
  fail "the POM does not name $group:vytjni:$version"
"$jar" tf "$maven/vytjni-$version-sources.jar" | grep -q VYTjniLoader.java || fail "the sources jar lacks VYTjniLoader.java"
echo "installed: $(cd "$prefix" && find . -type f -o -type l | sort | tr '\n' ' ')"
