#!/usr/bin/env bash
# Starts "vyt web" (with -Xcheck:jni) with the markup data set on a free loopback port, runs the
# browser tests in Debian's headless Chromium against it, stops it, and fails on JNI warnings.
#   run.sh JAVA LIBDIR VYTWEB_JAR SCREENSHOT_DIR
set -uo pipefail
java=$1 libdir=$2 jar=$3 shots=$4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
need_browser "$here"

work=$(mktemp -d)
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$shots"
(cd "$work" && exec "$java" -Xcheck:jni -Djava.library.path="$libdir" -jar "$jar" --port 0 --data-set markup \
   --access-log "$work/access.log") >"$work/out" 2>"$work/err" &
server=$!
url=$(web_url "$server" "$work/out")
if [ -z "$url" ]; then
  echo "FAILED: vyt web did not start"; cat "$work/out" "$work/err"; exit 1
fi
echo "testing $url"
VYT_WEB_URL=$url VYT_SCREENSHOTS=$shots node --test "$here/browser.test.mjs"
status=$?
if [ $status -ne 0 ]; then echo "--- server log"; tail -50 "$work/err"; fi
kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
server=
if jni_warnings "$work/out" "$work/err"; then
  echo "FAILED: the server's JVM printed JNI warnings"; status=1
fi
if ! grep -q '"GET / HTTP/1.1" 200' "$work/access.log"; then
  echo "FAILED: the access log has no line for GET /"; status=1
fi
exit $status
