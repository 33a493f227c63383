package vyt.web;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;

import java.nio.charset.StandardCharsets;
import org.junit.jupiter.api.AfterAll;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/**
 * DNS rebinding and cross-site changes: which Host names a page is served to, and which POSTs
 * may change a rule, directly and behind a trusted reverse proxy.
 */
class HostOriginTest {
    static {
        WebTestSupport.quiet();
    }

    static WebServer plain;
    static WebServer proxied;

    @BeforeAll
    static void start() throws Exception {
        plain = WebTestSupport.start("--host-name", "vyt.example.org", "--host-name", "wall.example.org:8443");
        proxied = WebTestSupport.start("--host-name", "public.example", "--trust-proxy");
    }

    @AfterAll
    static void stop() throws Exception {
        plain.stop();
        proxied.stop();
    }

    @Test
    void pagesAreServedOnlyToTheServersOwnHostNames() throws Exception {
        int p = plain.port();
        int q = proxied.port();
        Object[][] cases = {
            {plain, "127.0.0.1:" + p, "", 200},
            {plain, "localhost:" + p, "", 200},
            {plain, "LOCALHOST", "", 200},
            {plain, "vyt.example.org", "", 200},
            {plain, "vyt.example.org:8080", "", 200},
            {plain, "wall.example.org:8443", "", 200},
            {plain, "wall.example.org:8080", "", 421},
            {plain, "rebind.attacker.example", "", 421},
            {plain, "rebind.attacker.example:" + p, "", 421},
            {plain, "127.0.0.1:" + (p == 1 ? 2 : 1), "", 421},
            {plain, "127.0.0.2:" + p, "", 421},
            {plain, "127.0.0.1.attacker.example:" + p, "", 421},
            // Forwarded names count only from a trusted proxy.
            {plain, "127.0.0.1:" + p, "X-Forwarded-Host: rebind.attacker.example\r\n", 200},
            {plain, "rebind.attacker.example", "X-Forwarded-Host: vyt.example.org\r\n", 421},
            {proxied, "127.0.0.1:" + q, "X-Forwarded-Host: public.example\r\n", 200},
            {proxied, "127.0.0.1:" + q, "X-Forwarded-Host: rebind.attacker.example\r\n", 421},
            {proxied, "127.0.0.1:" + q, "", 200},
        };
        for (Object[] c : cases) {
            WebServer w = (WebServer) c[0];
            for (String path : new String[] {"/rules?tran=checkout", "/health", "/api/reports/all-transactions"}) {
                WebTestSupport.Raw r = WebTestSupport.raw(w.port(),
                        "GET " + path + " HTTP/1.1\r\nHost: " + c[1] + "\r\n" + c[2], null);
                assertEquals((int) c[3], r.status(), path + " Host " + c[1] + " " + c[2] + ": " + r.body());
                if (r.status() == 421) assertEquals(null, r.header("set-cookie"), "no token for a foreign name");
            }
        }
    }

    /** The token of a new browser: its cookie value, which the forms repeat. */
    static String token(WebServer w, String host, String extra) throws Exception {
        WebTestSupport.Raw r = WebTestSupport.raw(w.port(), "GET /rules?tran=checkout HTTP/1.1\r\nHost: " + host
                + "\r\n" + extra, null);
        String cookie = r.header("set-cookie");
        assertNotNull(cookie, r.toString());
        return cookie.substring(cookie.indexOf('=') + 1, cookie.indexOf(';'));
    }

    @Test
    void changesAreTakenOnlyFromTheServersOwnPages() throws Exception {
        String self = "127.0.0.1:" + plain.port();
        String tok = token(plain, self, "");
        String ok = "Cookie: vyt-csrf=" + tok + "\r\n";
        String body = "op=precedence&tran=checkout&precedence=include-first&csrf=" + tok;
        // {host, headers, body, expected status}; a change that goes through redirects (303).
        String[][] cases = {
            {self, ok + "Origin: http://" + self + "\r\n", body, "303"},
            {self, ok + "Origin: http://localhost:" + plain.port() + "\r\n", body, "403"},
            {self, ok + "Origin: http://evil.example\r\n", body, "403"},
            {self, ok + "Origin: null\r\n", body, "403"},
            {self, ok + "Origin: https://" + self + "\r\n", body, "403"},
            {self, ok + "Sec-Fetch-Site: same-origin\r\n", body, "303"},
            {self, ok + "Sec-Fetch-Site: cross-site\r\n", body, "403"},
            {self, ok + "Sec-Fetch-Site: same-site\r\n", body, "403"},
            {self, ok + "Origin: http://evil.example\r\nSec-Fetch-Site: same-origin\r\n", body, "403"},
            // Neither header: a script, which must carry the token.
            {self, ok, body, "303"},
            {self, ok, body.replace("&csrf=" + tok, ""), "403"},
            {self, "", body, "403"},
            {self, ok + "X-CSRF-Token: " + tok + "\r\n", body.replace("&csrf=" + tok, ""), "303"},
            {"rebind.attacker.example", ok + "Origin: http://rebind.attacker.example\r\n", body, "421"},
        };
        for (String[] c : cases) {
            WebTestSupport.Raw r = WebTestSupport.raw(plain.port(), "POST /rules HTTP/1.1\r\nHost: " + c[0]
                    + "\r\nContent-Type: application/x-www-form-urlencoded\r\n" + c[1],
                    c[2].getBytes(StandardCharsets.UTF_8));
            assertEquals(Integer.parseInt(c[3]), r.status(), c[0] + " " + c[1] + c[2] + ": " + r.body());
        }

        // Behind a TLS proxy that names the public host: the page's own origin is https://public.example.
        String fwd = "X-Forwarded-Host: public.example\r\nX-Forwarded-Proto: https\r\n";
        String ptok = token(proxied, "127.0.0.1:" + proxied.port(), fwd);
        String pbody = "op=precedence&tran=checkout&precedence=include-first&csrf=" + ptok;
        String[][] behind = {
            {fwd + "Origin: https://public.example\r\n", "303"},
            {fwd + "Origin: http://public.example\r\n", "403"},
            {fwd + "Origin: https://public.example:8443\r\n", "403"},
            {"Origin: https://public.example\r\n", "403"},
        };
        for (String[] c : behind) {
            WebTestSupport.Raw r = WebTestSupport.raw(proxied.port(), "POST /rules HTTP/1.1\r\nHost: 127.0.0.1:"
                    + proxied.port() + "\r\nContent-Type: application/x-www-form-urlencoded\r\nCookie: vyt-csrf="
                    + ptok + "\r\n" + c[0], pbody.getBytes(StandardCharsets.UTF_8));
            assertEquals(Integer.parseInt(c[1]), r.status(), c[0] + ": " + r.body());
        }
    }
}
