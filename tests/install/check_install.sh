#!/usr/bin/env bash
# cmake --install into a fresh prefix: the stripped library in the GNUInstallDirs library folder,
# vytjni-X.Y.Z.jar with the link vytjni.jar, and the local Maven repository.  Every artifact of
# that repository (vytjni, and vytjni-api where it is built) has its jar, POM, sources jar and
# javadoc jar, each with a .sha1 and a .md5 that match it (what mvn -C checks); every jar holds
# META-INF/LICENSE; every POM has the license, url and scm; vytjni's POM names exactly the
# natives its jar holds.
# Usage: check_install.sh BUILD_DIR VERSION LIBDIR DATADIR MAVEN_GROUP JAR_TOOL LICENSE
set -euo pipefail
build=$1 version=$2 libdir=$3 datadir=$4 group=$5 jar=$6 license=$7
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
repo=$prefix/$datadir/maven-repo
maven=$repo/${group//.//}/vytjni/$version
[ -s "$maven/vytjni-$version.pom" ] || fail "no $maven/vytjni-$version.pom"
grep -q "<groupId>$group</groupId>" "$maven/vytjni-$version.pom" && grep -q "<version>$version</version>" "$maven/vytjni-$version.pom" ||
  fail "the POM does not name $group:vytjni:$version"
"$jar" tf "$maven/vytjni-$version-sources.jar" | grep -qx VYTjniLoader.java || fail "the sources jar lacks VYTjniLoader.java"

# Every artifact of the repository.
artifacts=0
while read -r pom; do
  dir=$(dirname "$pom") base=$(basename "$pom" .pom)
  artifact=${base%-"$version"}
  for f in "$base.pom" "$base.jar" "$base-sources.jar" "$base-javadoc.jar"; do
    [ -s "$dir/$f" ] || fail "no $dir/$f"
    for sum in sha1 md5; do
      [ -f "$dir/$f.$sum" ] || fail "no $dir/$f.$sum"
      [ "$(cat "$dir/$f.$sum")" = "$("${sum}sum" < "$dir/$f" | cut -d' ' -f1)" ] || fail "$dir/$f.$sum does not match $f"
    done
    case $f in *.jar)
      unzip -p "$dir/$f" META-INF/LICENSE | cmp -s - "$license" || fail "$f lacks META-INF/LICENSE (or it differs from LICENSE)" ;;
    esac
  done
  cmp -s "$dir/$base.jar" "$java/$base.jar" || fail "the Maven jar $base.jar is not the installed $datadir/java/$base.jar"
  [ "$(readlink "$java/$artifact.jar")" = "$base.jar" ] || fail "$artifact.jar does not link to $base.jar"
  "$jar" tf "$dir/$base-javadoc.jar" | grep -qx index.html || fail "$base-javadoc.jar has no index.html"
  for tag in "<name>Apache License, Version 2.0</name>" "<url>https://" "<scm>" "<connection>scm:git:" "<description>"; do
    grep -qF "$tag" "$pom" || fail "$base.pom has no $tag"
  done
  # The description names exactly the natives the jar holds.
  description=$(sed -n 's:.*<description>\(.*\)</description>.*:\1:p' "$pom")
  held=$("$jar" tf "$dir/$base.jar" | sed -n 's:^META-INF/native/\([^/]*\)/.*:\1:p' | sort -u)
  for platform in linux-x86_64:"Linux x86-64" linux-aarch64:"Linux aarch64" windows-x86_64:"Windows x86-64"; do
    name=${platform#*:}
    if grep -qx "${platform%%:*}" <<<"$held"; then
      grep -qF "$name" <<<"$description" || fail "$base.pom does not name the jar's $name native: $description"
    else
      ! grep -qF "$name" <<<"$description" || fail "$base.pom names $name, which the jar lacks: $description"
    fi
  done
  [ -n "$held" ] || grep -qF "no native library" <<<"$description" || fail "$base.pom does not say the jar holds no native"
  echo "$artifact: jar, POM, sources, javadoc with matching .sha1 and .md5; LICENSE in every jar; natives: $(echo $held)"
  artifacts=$((artifacts + 1))
done < <(find "$repo" -name "*-$version.pom")
[ $artifacts -ge 1 ] || fail "no POM in $repo"
echo "installed: $(cd "$prefix" && find . -type f -o -type l | sort | tr '\n' ' ')"
