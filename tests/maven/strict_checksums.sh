#!/usr/bin/env bash
# The installed Maven layout as a Maven build meets it: `cmake --install` into a fresh prefix, then
# a tiny project that depends on org.vytjni:vytjni-api (and through its POM on GROUP:vytjni), and
# on the sources and javadoc jars of both, is compiled by Debian's mvn with the strict checksum
# policy (-C), <prefix>/share/maven-repo being its only remote repository. Every file must come
# from there, equal to the installed one, with no warning. A copy of the layout with one wrong
# .sha1, and one with an artifact's checksum files removed, must make the same build fail.
# Maven Central is never asked: every other repository is mirrored to an empty folder, and the
# plugins come from a throw-away local repository of links to Debian's /usr/share/maven-repo.
# Skipped (77) without mvn or Debian's compiler plugin.
# Usage: strict_checksums.sh BUILD_DIR VERSION DATADIR GROUP CMAKE JAVA
set -uo pipefail
build=$1 version=$2 datadir=$3 group=$4 cmake=$5 java=$6
debian=/usr/share/maven-repo
plugin=3.10.1
mvn=$(command -v mvn) || { echo "no mvn: install Debian's maven (./vyt test does)"; exit 77; }
[ -f "$debian/org/apache/maven/plugins/maven-compiler-plugin/$plugin/maven-compiler-plugin-$plugin.jar" ] ||
  { echo "no maven-compiler-plugin $plugin in $debian: install libmaven-compiler-plugin-java (./vyt test does)"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

"$cmake" --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install $build"
share=$work/prefix/$datadir
mkdir -p "$work/empty" "$work/consumer/src/main/java/com/example"
cat >"$work/settings.xml" <<EOF
<settings>
  <mirrors>
    <mirror><id>nowhere</id><mirrorOf>*,!vyt</mirrorOf><url>file://$work/empty</url></mirror>
  </mirrors>
</settings>
EOF
dependency() {  # GROUP ARTIFACT [CLASSIFIER]
  echo "<dependency><groupId>$1</groupId><artifactId>$2</artifactId><version>$version</version>${3:+<classifier>$3</classifier><scope>test</scope>}</dependency>"
}
cat >"$work/consumer/pom.xml" <<EOF
<project xmlns="http://maven.apache.org/POM/4.0.0">
  <modelVersion>4.0.0</modelVersion>
  <groupId>com.example</groupId>
  <artifactId>consumer</artifactId>
  <version>1</version>
  <properties>
    <maven.compiler.release>17</maven.compiler.release>
    <project.build.sourceEncoding>UTF-8</project.build.sourceEncoding>
  </properties>
  <repositories><repository><id>vyt</id><url>\${vyt.repo}</url></repository></repositories>
  <dependencies>
    $(dependency org.vytjni vytjni-api)
    $(dependency org.vytjni vytjni-api sources) $(dependency org.vytjni vytjni-api javadoc)
    $(dependency "$group" vytjni sources) $(dependency "$group" vytjni javadoc)
  </dependencies>
  <build><plugins><plugin>
    <groupId>org.apache.maven.plugins</groupId><artifactId>maven-compiler-plugin</artifactId><version>$plugin</version>
  </plugin></plugins></build>
</project>
EOF
cat >"$work/consumer/src/main/java/com/example/Use.java" <<'EOF'
package com.example;

final class Use {
    static final Class<?> CLIENT = org.vytjni.api.CollectorClient.class;
}
EOF

# resolve NAME SHARE: the consumer compiled (main and test scope) against SHARE/maven-repo with a
# fresh local repository; mvn's output in $work/NAME.log, its status returned.
resolve() {
  local local_repo=$work/$1-local
  cp -rs "$debian" "$local_repo" || fail "cannot link $debian into $local_repo"
  rm -rf "$work/consumer/target"
  (cd "$work/consumer" &&
    HOME=$work MAVEN_SKIP_RC=1 JAVA_HOME=$(dirname "$(dirname "$(readlink -f "$java")")") \
      "$mvn" -B -C -s "$work/settings.xml" -Dmaven.repo.local="$local_repo" -Dvyt.repo="file://$2/maven-repo" \
      compiler:compile compiler:testCompile) >"$work/$1.log" 2>&1
}

resolve good "$share" || { cat "$work/good.log"; fail "mvn -C does not resolve the installed repository"; }
! grep -n "WARNING" "$work/good.log" || fail "mvn -C warned while resolving the installed repository"
[ -f "$work/consumer/target/classes/com/example/Use.class" ] || fail "the consumer was not compiled"
for ga in "$group:vytjni" org.vytjni:vytjni-api; do
  g=${ga%%:*} a=${ga#*:}
  for f in "$a-$version.pom" "$a-$version.jar" "$a-$version-sources.jar" "$a-$version-javadoc.jar"; do
    path=${g//.//}/$a/$version/$f
    cmp -s "$work/good-local/$path" "$share/maven-repo/$path" || fail "$f did not reach the local repository from the installed one"
  done
done

# Each case: a copy of the installed layout, one change, and what mvn -C must say.
while IFS='|' read -r name change expected; do
  cp -a "$share" "$work/$name-share"
  (cd "$work/$name-share/maven-repo" && eval "$change") || fail "$name: $change"
  resolve "$name" "$work/$name-share" && { cat "$work/$name.log"; fail "$name: mvn -C accepted the layout"; }
  grep -q "$expected" "$work/$name.log" || { cat "$work/$name.log"; fail "$name: mvn -C failed, but not with: $expected"; }
  echo "$name: refused"
done <<EOF
wrong-sha1|echo 0123456789abcdef0123456789abcdef01234567 >${group//.//}/vytjni/$version/vytjni-$version.jar.sha1|Checksum validation failed, expected 0123456789abcdef0123456789abcdef01234567
no-checksums|rm org/vytjni/vytjni-api/$version/vytjni-api-$version-javadoc.jar.{sha1,md5}|vytjni-api:jar:javadoc:$version.*Checksum validation failed, no checksums available
EOF
echo "mvn -C resolved $group:vytjni and org.vytjni:vytjni-api (jar, POM, sources, javadoc) from the installed repository"
