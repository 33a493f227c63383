package vyt.web;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayOutputStream;
import java.io.InputStream;
import java.io.OutputStream;
import java.net.InetAddress;
import java.net.Socket;
import java.net.SocketTimeoutException;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;
import java.util.logging.Handler;
import java.util.logging.Level;
import java.util.logging.LogRecord;
import java.util.logging.Logger;
import org.junit.jupiter.api.AfterAll;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/**
 * A client's mistakes: each gets its status and a sentence naming what was wrong, the same
 * security headers as every page, and no stack trace in the log or the page.
 */
class MalformedRequestTest {
    static {
        WebTestSupport.quiet();
    }

    static WebServer web;
    static String host;
    static final List<LogRecord> LOGGED = new ArrayList<>();
    static final Handler RECORDER = new Handler() {
        @Override
        public void publish(LogRecord r) {
            synchronized (LOGGED) {
                if (r.getThrown() != null || r.getLevel().intValue() >= Level.SEVERE.intValue()) LOGGED.add(r);
            }
        }

        @Override
        public void flush() {}

        @Override
        public void close() {}
    };

    @BeforeAll
    static void start() throws Exception {
        for (String name : new String[] {"", "vyt.web", "org.eclipse.jetty"}) Logger.getLogger(name).addHandler(RECORDER);
        web = WebTestSupport.start("--header-timeout", "600");
        host = "Host: 127.0.0.1:" + web.port() + "\r\n";
    }

    @AfterAll
    static void stop() throws Exception {
        web.stop();
        for (String name : new String[] {"", "vyt.web", "org.eclipse.jetty"})
            Logger.getLogger(name).removeHandler(RECORDER);
    }

    static String token() throws Exception {
        String c = WebTestSupport.raw(web.port(), "GET /rules?tran=checkout HTTP/1.1\r\n" + host, null)
                .header("set-cookie");
        return c.substring(c.indexOf('=') + 1, c.indexOf(';'));
    }

    static byte[] form(int bytes, int keys) {
        StringBuilder b = new StringBuilder("op=add&tran=checkout");
        for (int i = 0; i < keys; i++) b.append("&k").append(i).append("=1");
        while (b.length() < bytes) b.append("&pad=").append("x".repeat(Math.min(1000, bytes - b.length())));
        return b.toString().getBytes(StandardCharsets.US_ASCII);
    }

    @Test
    void mistakesGetTheirStatusASentenceAndTheSameHeaders() throws Exception {
        String tok = token();
        String post = "POST /rules HTTP/1.1\r\n" + host + "Content-Type: application/x-www-form-urlencoded\r\n"
                + "Cookie: vyt-csrf=" + tok + "\r\n";
        byte[] notUtf8 = ("op=add&tran=checkout&type=include&search=begins&csrf=" + tok + "&sub=/a")
                .getBytes(StandardCharsets.US_ASCII);
        byte[] bad = new byte[notUtf8.length + 2];
        System.arraycopy(notUtf8, 0, bad, 0, notUtf8.length);
        bad[notUtf8.length] = (byte) 0xff;
        bad[notUtf8.length + 1] = (byte) 0xfe;
        Object[][] cases = {
            {"GET /transaction?tran=%ff%fe", null, 400, "parameter tran: not valid UTF-8"},
            {"GET /transaction?tran=%zz", null, 400, "parameter tran: bad percent-encoding"},
            {"GET /transaction?tran=ab%4", null, 400, "parameter tran: bad percent-encoding"},
            {"GET /transaction?tran=%ed%a0%80", null, 400, "parameter tran: not valid UTF-8"},
            {"GET /transaction?%ff=1", null, 400, "parameter %ff: not valid UTF-8"},
            {"POST", bad, 400, "parameter sub: not valid UTF-8"},
            {"POST", form(300 * 1024, 0), 413, "larger than 64 KB"},
            {"POST", form(0, 1500), 413, "more than 100 parameters"},
            {"GET /transaction?tran=checkout" + "&k=1".repeat(101), null, 413, "more than 100 parameters"},
            {"POST", ("op=add&tran=checkout&sub=/a/&type=include&search=begins").getBytes(), 403, "token"},
            {"GET /rules?tran=checkout&csrf=" + tok, null, 400, "parameter csrf: not taken from the address"},
            {"GET /reports/network-detail?tran=checkout&path=1&view=4294967295", null, 400,
                "parameter view: out of range"},
            {"GET /path?tran=checkout&path=99999999999", null, 400, "parameter path: out of range 0.."},
            {"GET /sub-transactions?tran=checkout&scroll=-1", null, 400, "parameter scroll: not a number"},
            // An unknown parameter is refused the same way on every route.
            {"GET /?bogus=1", null, 400, "parameter bogus: unknown"},
            {"GET /transaction?tran=checkout&bogus=1", null, 400, "parameter bogus: unknown"},
            {"GET /alerts?bogus=1", null, 400, "parameter bogus: unknown"},
            {"GET /rules?tran=checkout&bogus=1", null, 400, "parameter bogus: unknown"},
            {"GET /reports/all-transactions?bogus=1", null, 400, "parameter bogus: unknown"},
            {"GET /reports/add-url-rule?bogus=1", null, 400, "parameter bogus: unknown"},
            {"GET /api/reports/all-transactions?bogus=1", null, 400, "parameter bogus: unknown"},
            {"GET /health?bogus=1", null, 400, "parameter bogus: unknown"},
            // Refused by Jetty before the application sees them: the same headers, no server name.
            {"GET /%zz", null, 400, "400"},
            {"GET /" + "x".repeat(20000), null, 414, "414"},
            {"PUT /", null, 405, "method PUT is not used here"},
        };
        for (Object[] c : cases) {
            String line = (String) c[0];
            WebTestSupport.Raw r = line.equals("POST") ? WebTestSupport.raw(web.port(), post, (byte[]) c[1])
                    : WebTestSupport.raw(web.port(), line + " HTTP/1.1\r\n" + host, null);
            String what = line.substring(0, Math.min(80, line.length()));
            assertEquals((int) c[2], r.status(), what + ": " + r.body());
            assertTrue(r.body().contains((String) c[3]), what + " should say " + c[3] + ": " + r.body());
            assertSecure(r, what);
        }
        synchronized (LOGGED) {
            assertEquals(List.of(), LOGGED.stream().map(l -> l.getLevel() + " " + l.getMessage()).toList());
        }
    }

    static void assertSecure(WebTestSupport.Raw r, String what) {
        assertTrue(String.valueOf(r.header("content-security-policy")).contains("default-src 'none'"), what);
        assertEquals("DENY", r.header("x-frame-options"), what);
        assertEquals("same-origin", r.header("referrer-policy"), what);
        assertEquals("nosniff", r.header("x-content-type-options"), what);
        assertNull(r.header("server"), what);
        assertNull(r.header("x-powered-by"), what);
        assertFalse(r.body().contains("Powered by") || r.body().contains("Exception") || r.body().contains("\tat "),
                what + ": " + r.body());
    }

    @Test
    void plainPagesMakeNoSessionAndPagesAnswerWithTheSameHeaders() throws Exception {
        for (String path : new String[] {"/", "/rules?tran=checkout", "/reports/add-url-rule", "/style.css",
            "/health"}) {
            WebTestSupport.Raw r = WebTestSupport.raw(web.port(), "GET " + path + " HTTP/1.1\r\n" + host, null);
            assertEquals(200, r.status(), path);
            assertSecure(r, path);
            for (String c : r.headers().getOrDefault("set-cookie", List.of()))
                assertTrue(c.startsWith("vyt-csrf=") && c.contains("HttpOnly") && c.contains("SameSite=Strict"), c);
        }
    }

    @Test
    void connectionsBeyondTheLimitWaitUntilOneCloses() throws Exception {
        WebServer w = WebTestSupport.start("--max-connections", "2");
        try (Socket a = new Socket(InetAddress.getLoopbackAddress(), w.port());
                Socket b = new Socket(InetAddress.getLoopbackAddress(), w.port());
                Socket c = new Socket(InetAddress.getLoopbackAddress(), w.port())) {
            Thread.sleep(300);  // a and b are accepted; c waits in the listen queue
            c.setSoTimeout(700);
            c.getOutputStream().write(("GET /style.css HTTP/1.1\r\nHost: 127.0.0.1:" + w.port()
                    + "\r\nConnection: close\r\n\r\n").getBytes(StandardCharsets.US_ASCII));
            assertThrows(SocketTimeoutException.class, () -> c.getInputStream().read(), "a third connection served");
            a.close();
            c.setSoTimeout(5000);
            String answer = new String(c.getInputStream().readNBytes(12), StandardCharsets.US_ASCII);
            assertEquals("HTTP/1.1 200", answer);
        } finally {
            w.stop();
        }
    }

    @Test
    void aClientSendingItsHeadersSlowlyIsCutOff() throws Exception {
        try (Socket s = new Socket(InetAddress.getLoopbackAddress(), web.port())) {
            s.setSoTimeout(200);
            OutputStream out = s.getOutputStream();
            InputStream in = s.getInputStream();
            out.write(("GET / HTTP/1.1\r\n" + host).getBytes(StandardCharsets.US_ASCII));
            long t0 = System.nanoTime();
            boolean closed = false;
            ByteArrayOutputStream got = new ByteArrayOutputStream();
            for (int i = 0; i < 25 && !closed; i++) {  // a header line every 200 ms, 5 s in all
                try {
                    out.write(("X-Slow-" + i + ": 1\r\n").getBytes(StandardCharsets.US_ASCII));
                    int b = in.read();
                    if (b < 0) closed = true;
                    else got.write(b);
                } catch (SocketTimeoutException e) {
                    // still open
                } catch (java.io.IOException e) {
                    closed = true;  // reset
                }
            }
            long ms = (System.nanoTime() - t0) / 1_000_000;
            assertTrue(closed, "still open after " + ms + " ms");
            assertTrue(ms < 3000, "closed after " + ms + " ms");
            assertEquals(0, got.size(), "no response to an incomplete request");
        }
    }
}
