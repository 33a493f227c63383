#!/usr/bin/env bash
# An operator's journey through the trend pages in Debian's headless Chromium: starts the sample
# collector (2 s intervals) and "vyt web" polling it every 2 s over a seeded SQLite history, then
# runs journey.test.mjs, which stops and restarts the collector itself.
#   journey.sh JAVA LIBDIR VYTWEB_JAR VYTJNI_JAR VYTAPP_JAR SCREENSHOT_DIR
set -uo pipefail
java=$1 libdir=$2 web=$3 jni=$4 app=$5 shots=$6
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
need_browser "$here"

work=$(mktemp -d)
server= collector=
cleanup() {
  for p in $server $collector $(cat "$work/collector.pid" 2>/dev/null); do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$shots"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
collector_cmd=("$java" -Djava.library.path="$libdir" -cp "$jni:$app" vyt.cli.Cli collector --port "$port" --interval 2)
"${collector_cmd[@]}" >"$work/collector.out" 2>&1 &
collector=$!
(cd "$work" && exec "$java" -Xcheck:jni -Djava.library.path="$libdir" -jar "$web" --port 0 \
   --collector "sample=127.0.0.1:$port" --poll-interval 2 --seed-history 2 --data "$work/data") \
   >"$work/out" 2>"$work/err" &
server=$!
url=$(web_url "$server" "$work/out")
[ -n "$url" ] || { echo "FAILED: vyt web did not start"; cat "$work/out" "$work/err"; exit 1; }
echo "testing $url against the collector on port $port"
VYT_WEB_URL=$url VYT_SCREENSHOTS=$shots VYT_COLLECTOR_PID=$collector VYT_COLLECTOR_PIDFILE=$work/collector.pid \
  VYT_COLLECTOR_CMD=$(printf '%s\n' "${collector_cmd[@]}") node --test "$here/journey.test.mjs"
status=$?
[ $status -eq 0 ] || { echo "--- server log"; tail -40 "$work/err"; }
if jni_warnings "$work/out" "$work/err"; then
  echo "FAILED: the server's JVM printed JNI warnings"; status=1
fi
exit $status
