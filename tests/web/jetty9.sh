#!/usr/bin/env bash
# Deploys vytweb.war into Debian's jetty9, started directly (no service manager) as the jetty
# user on a free loopback port with a base directory of its own, in front of the sample
# collector; checks that reads need a login, that a page answers, and that a change the
# collector refuses answers 422 with its reason. Skipped (77) without the jetty9 package or root.
#   jetty9.sh JAVA WAR VYTJNI_JAR VYTAPP_JAR LIBDIR
set -uo pipefail
java=$1 war=$2 jnijar=$3 appjar=$4 libdir=$5
home=/usr/share/jetty9
[ -f "$home/start.jar" ] || { echo "SKIPPED: $home/start.jar is missing; apt-get install --no-install-recommends jetty9"; exit 77; }
id jetty >/dev/null 2>&1 || { echo "SKIPPED: no jetty user"; exit 77; }
[ "$(id -u)" -eq 0 ] || { echo "SKIPPED: starting jetty9 as the jetty user needs root"; exit 77; }

work=$(mktemp -d)
collector= jetty=
cleanup() {
  [ -n "$jetty" ] && kill "$jetty" 2>/dev/null && wait "$jetty" 2>/dev/null
  [ -n "$collector" ] && kill "$collector" 2>/dev/null && wait "$collector" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; echo "--- jetty9 log"; tail -40 "$work/jetty.log"; exit 1; }

"$java" -Djava.library.path="$libdir" -cp "$jnijar:$appjar" vyt.cli.Cli collector --port 0 2>"$work/collector.log" &
collector=$!
addr=
for _ in $(seq 1 100); do
  addr=$(sed -n 's/^sample collector listening on \([^ ]*\).*/\1/p' "$work/collector.log")
  [ -n "$addr" ] && break
  sleep 0.1
done
[ -n "$addr" ] || { cat "$work/collector.log"; echo "FAILED: the sample collector did not start"; exit 1; }

# The base: the war, its context (collector, realm) and the realm's users; the jetty user owns it.
base=$work/base
mkdir -p "$base/webapps" "$base/etc" "$base/logs"
cp "$war" "$base/vytweb.war"
cat >"$base/etc/realm.properties" <<'EOF'
admin: admin-pw,vyt-admin
reader: reader-pw
EOF
cat >"$base/webapps/vyt.xml" <<EOF
<?xml version="1.0"?>
<!DOCTYPE Configure PUBLIC "-//Jetty//Configure//EN" "http://www.eclipse.org/jetty/configure_9_3.dtd">
<Configure class="org.eclipse.jetty.webapp.WebAppContext">
  <Set name="contextPath">/vyt</Set>
  <Set name="war">$base/vytweb.war</Set>
  <Call name="setInitParameter"><Arg>vyt.collector</Arg><Arg>$addr</Arg></Call>
  <Get name="securityHandler">
    <Set name="loginService">
      <New class="org.eclipse.jetty.security.HashLoginService">
        <Set name="name">VYT</Set>
        <Set name="config">$base/etc/realm.properties</Set>
      </New>
    </Set>
  </Get>
</Configure>
EOF
chown -R jetty:jetty "$work"
chmod 755 "$work"

(cd "$base" && exec setpriv --reuid=jetty --regid=jetty --init-groups -- "$java" -Djava.io.tmpdir="$work" -jar "$home/start.jar" \
   jetty.home="$home" jetty.base="$base" --module=deploy,http,security \
   jetty.http.host=127.0.0.1 jetty.http.port=0) >"$work/jetty.log" 2>&1 &
jetty=$!
port=
for _ in $(seq 1 300); do
  port=$(sed -n 's/.*Started ServerConnector@[^{]*{HTTP\/1.1[^}]*}{127\.0\.0\.1:\([0-9]*\)}.*/\1/p' "$work/jetty.log" | head -1)
  [ -n "$port" ] && grep -q "Started o.e.j.w.WebAppContext@.*,/vyt," "$work/jetty.log" && break
  port=
  kill -0 "$jetty" 2>/dev/null || break
  sleep 0.2
done
[ -n "$port" ] || fail "jetty9 did not deploy the war"
[ "$(ps -o user= -p "$jetty" | tr -d ' ')" = jetty ] || fail "jetty9 does not run as the jetty user"
url=http://127.0.0.1:$port/vyt
echo "testing $url (collector $addr)"

status() { curl -s -o "$work/body" -w '%{http_code}' "$@"; }
[ "$(status "$url/transaction?tran=checkout")" = 401 ] || fail "a read without a login is not 401"
[ "$(status -u reader:reader-pw "$url/transaction?tran=checkout")" = 200 ] || fail "the page: $(cat "$work/body")"
grep -q '<h1>Transaction checkout</h1>' "$work/body" || fail "the page has no heading: $(head -c 400 "$work/body")"

# A change the collector refuses (no rule 9999): 422 with the reason, from the administrator.
[ "$(status -u admin:admin-pw -c "$work/jar" "$url/rules?tran=checkout")" = 200 ] || fail "the rules page"
token=$(awk '$6 == "vyt-csrf" { print $7 }' "$work/jar")
[ -n "$token" ] || fail "no token cookie"
change=$url/api/reports/remove-url-rule?tran=checkout\&continue=9999
[ "$(status -u reader:reader-pw -b "$work/jar" -H "X-CSRF-Token: $token" -X POST "$change")" = 403 ] || \
  fail "a reader's change is not refused"
[ "$(status -u admin:admin-pw -b "$work/jar" -H "X-CSRF-Token: $token" -X POST "$change")" = 422 ] || \
  fail "the refused change: $(cat "$work/body")"
grep -q '"ok":false,"code":1,"reason":"no rule has that number"' "$work/body" || fail "422 body: $(cat "$work/body")"
echo "ok: jetty9 serves the war; reads need a login, a refused change is 422"
