#!/usr/bin/env bash
# /metrics as Prometheus reads it: starts "vyt web --users" on a free loopback port, checks that
# /metrics asks for the login, that promtool finds nothing to say about its text, then scrapes it
# every second with Debian's prometheus (temporary configuration and storage, its own free port)
# until up{job="vyt"} is 1 and the request counter is stored with Jetty's own answers (401, 414)
# counted; a job without the login must be down. Skipped (77) without the prometheus package.
#   prometheus.sh JAVA LIBDIR VYTWEB_JAR
set -uo pipefail
java=$1 libdir=$2 jar=$3
. "$(dirname "$0")/lib.sh"
for tool in prometheus promtool; do
  command -v $tool >/dev/null || { echo "SKIPPED: $tool is missing; apt-get install --no-install-recommends prometheus"; exit 77; }
done
command -v curl >/dev/null || { echo "FAILED: curl is missing; apt-get install --no-install-recommends curl"; exit 1; }

work=$(mktemp -d)
web= prom=
cleanup() {
  [ -n "$prom" ] && kill "$prom" 2>/dev/null && wait "$prom" 2>/dev/null
  [ -n "$web" ] && kill "$web" 2>/dev/null && wait "$web" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*"
  echo "--- vyt web log"; tail -20 "$work/err"
  [ -f "$work/prom.log" ] && { echo "--- prometheus log"; tail -20 "$work/prom.log"; }
  exit 1
}

printf 'scrape-pw\n' >"$work/scrape-pw"
"$java" -cp "$jar" vyt.web.Passwords "$work/users" scraper <"$work/scrape-pw" 2>/dev/null \
  || fail "could not write the users file"
(cd "$work" && exec "$java" -Djava.library.path="$libdir" -jar "$jar" --port 0 --users "$work/users" \
   --access-log "$work/access.log") >"$work/out" 2>"$work/err" &
web=$!
url=$(web_url "$web" "$work/out")
[ -n "$url" ] || fail "vyt web did not start: $(cat "$work/out")"
target=${url#http://}; target=${target%/}
echo "vyt web at $url"

status=$(curl -s -o /dev/null -w '%{http_code}' "${url}metrics")
[ "$status" = 401 ] || fail "/metrics without the login answered $status, not 401"
# The first poll of the sample collector gives the per-path figures; the check reads them too.
for _ in $(seq 1 150); do
  curl -s -u scraper:scrape-pw "${url}metrics" | grep -q '^vyt_response_time_seconds{' && break
  sleep 0.2
done
type=$(curl -s -u scraper:scrape-pw -o "$work/metrics.txt" -w '%{content_type}' "${url}metrics") \
  || fail "/metrics with the login could not be fetched"
[ "$type" = "text/plain; version=0.0.4; charset=utf-8" ] || fail "/metrics has content type '$type'"
grep -q '^# TYPE vyt_http_requests_total counter$' "$work/metrics.txt" || fail "no request counter in: $(cat "$work/metrics.txt")"
grep -q '^vyt_response_time_seconds{collector="sample",tran="checkout",path="1",component="total"} [0-9.e+-]*$' \
  "$work/metrics.txt" || fail "no response time of checkout path 1 after the first poll: $(head -40 "$work/metrics.txt")"
lint=$(promtool check metrics <"$work/metrics.txt" 2>&1); rc=$?
echo "promtool check metrics: exit $rc${lint:+, $lint}"
[ $rc -eq 0 ] && [ -z "$lint" ] || fail "promtool does not accept /metrics: $lint"

# An address too long for Jetty's parser: answered by Jetty itself, and counted all the same.
status=$(curl -s -o /dev/null -w '%{http_code}' "${url}$(printf 'x%.0s' $(seq 1 20000))")
[ "$status" = 414 ] || fail "an address of 20,000 characters answered $status, not 414"

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$work/prometheus.yml" <<EOF
global:
  scrape_interval: 1s
  scrape_timeout: 1s
scrape_configs:
  - job_name: vyt
    basic_auth:
      username: scraper
      password_file: $work/scrape-pw
    static_configs:
      - targets: ['$target']
  - job_name: vyt_nologin
    static_configs:
      - targets: ['$target']
EOF
promtool check config "$work/prometheus.yml" >/dev/null 2>&1 || fail "promtool refuses the scrape configuration"
prometheus --config.file="$work/prometheus.yml" --storage.tsdb.path="$work/tsdb" \
  --web.listen-address="127.0.0.1:$port" --log.level=warn >"$work/prom.log" 2>&1 &
prom=$!
api="http://127.0.0.1:$port/api/v1/query"

# query PROMQL: the query's samples, one "labels value" line each.
query() {
  curl -sfG "$api" --data-urlencode "query=$1" | python3 -c '
import json, sys
for r in json.load(sys.stdin)["data"]["result"]:
    m = r["metric"]
    print(",".join(k + "=" + v for k, v in sorted(m.items())), r["value"][1])' 2>/dev/null
}
# Within 60 s, so that the whole test stays inside CTest's 120 s on a busy machine.
up= down= requests= paths= deadline=$((SECONDS + 60))
while [ $SECONDS -lt $deadline ]; do
  kill -0 "$prom" 2>/dev/null || fail "prometheus stopped"
  up=$(query 'up{job="vyt"}') down=$(query 'up{job="vyt_nologin"}') requests=$(query 'vyt_http_requests_total{job="vyt"}')
  paths=$(query 'vyt_response_time_seconds{job="vyt",tran="checkout",component="total"}')
  [[ "$up" == *" 1" && "$down" == *" 0" && "$requests" == *status=414* && -n "$paths" ]] && break
  sleep 0.5
done
echo "up{job=\"vyt\"}: $up"
echo "up{job=\"vyt_nologin\"}: $down"
echo "vyt_http_requests_total{job=\"vyt\"}:"; echo "$requests"
echo "vyt_response_time_seconds{tran=\"checkout\",component=\"total\"}:"; echo "$paths"
[ -n "$paths" ] || fail "prometheus stored no response time of checkout"
[[ "$up" == *" 1" ]] || fail "prometheus could not scrape /metrics with the login"
[[ "$down" == *" 0" ]] || fail "prometheus scraped /metrics without the login"
[[ "$requests" == *status=200* && "$requests" == *status=401* && "$requests" == *status=414* ]] \
  || fail "prometheus did not store the responses by status (200, 401 asking for the login, 414 from Jetty's parser)"
echo "PASSED"
