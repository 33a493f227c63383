# Pieces the web tests share; each test sources this file.

# need_browser DIR: fails the test unless playwright-core is installed in DIR and Debian's
# Chromium is there.
need_browser() {
  [ -d "$1/node_modules/playwright-core" ] ||
    { echo "FAILED: playwright-core is not installed; run: (cd $1 && npm ci)  (./vyt test does it)"; exit 1; }
  [ -x /usr/bin/chromium ] ||
    { echo "FAILED: /usr/bin/chromium is missing; apt-get install --no-install-recommends chromium fonts-liberation"; exit 1; }
}

# web_url PID OUT: the address that "vyt web" (process PID, its standard output in the file OUT)
# says it serves at; empty when the process stops first or says nothing within 30 s.
web_url() {
  local url= _
  for _ in $(seq 1 150); do
    url=$(sed -n 's/^serving \(http:[^ ]*\)$/\1/p' "$2")
    [ -n "$url" ] && break
    kill -0 "$1" 2>/dev/null || break
    sleep 0.2
  done
  printf '%s' "$url"
}

# jni_warnings FILE...: prints what a JVM run with -Xcheck:jni warned in its output files (its own
# log lines start with the date, JNI warnings do not); true when it warned.
jni_warnings() {
  grep -h -E "^WARNING|WARNING in native method|JNI local refs" "$@"
}
