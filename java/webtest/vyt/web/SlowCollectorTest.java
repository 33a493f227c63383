package vyt.web;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.net.InetAddress;
import java.net.ServerSocket;
import java.net.Socket;
import java.net.http.HttpResponse;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Future;
import org.junit.jupiter.api.Test;
import vyt.collector.Collector;
import vyt.collector.Request;
import vyt.collector.Wire;

/**
 * A collector that states a 4 MiB reply and then sends a byte every 300 ms: each exchange ends
 * at its deadline, the pool recovers once the collector answers again, and /health answers at
 * once from what it last saw.
 */
class SlowCollectorTest {
    static {
        WebTestSupport.quiet();
    }

    /** Forwards each request to a real collector, or trickles while {@code trickle} is set. */
    static final class Trickler implements AutoCloseable {
        final ServerSocket server = new ServerSocket(0, 64, InetAddress.getLoopbackAddress());
        final Collector real;
        volatile boolean trickle;
        /** How long each forwarded reply is held back. */
        volatile int delayMs;
        final java.util.concurrent.atomic.AtomicInteger requests = new java.util.concurrent.atomic.AtomicInteger();

        Trickler(Collector real) throws IOException {
            this.real = real;
            Thread t = new Thread(() -> {
                while (!server.isClosed()) {
                    try {
                        Socket s = server.accept();
                        Thread c = new Thread(() -> serve(s));
                        c.setDaemon(true);
                        c.start();
                    } catch (IOException e) {
                        // closed
                    }
                }
            });
            t.setDaemon(true);
            t.start();
        }

        private void serve(Socket s) {
            try (s; Socket up = new Socket(real.host(), real.port())) {
                InputStream in = s.getInputStream();
                OutputStream out = s.getOutputStream();
                while (true) {
                    byte[] req = in.readNBytes(Request.LENGTH);
                    if (req.length < Request.LENGTH) return;
                    requests.incrementAndGet();
                    if (trickle) {
                        out.write(new Wire(4).i32(0, 4 * 1024 * 1024).bytes());
                        while (true) {  // until the client gives up and closes
                            Thread.sleep(300);
                            out.write('x');
                            out.flush();
                        }
                    }
                    Thread.sleep(delayMs);
                    up.getOutputStream().write(req);
                    byte[] head = up.getInputStream().readNBytes(4);
                    int len = Wire.i32(head, 0);
                    out.write(head);
                    out.write(up.getInputStream().readNBytes(len - 4));
                }
            } catch (IOException | InterruptedException e) {
                // the client closed the connection
            }
        }

        String address() {
            return "127.0.0.1:" + server.getLocalPort();
        }

        @Override
        public void close() throws IOException {
            server.close();
        }
    }

    @Test
    void noMoreReportsAreFetchedForABrowserThatHasGone() throws Exception {
        try (Collector real = Collector.start(0); Trickler fake = new Trickler(real)) {
            WebServer w = WebTestSupport.start("--collector", fake.address(), "--poll-interval", "0");
            try {
                fake.delayMs = 700;
                // The transaction page asks for three reports, one after the other.
                for (boolean stay : new boolean[] {true, false}) {
                    int before = fake.requests.get();
                    try (Socket s = new Socket(InetAddress.getLoopbackAddress(), w.port())) {
                        s.getOutputStream().write(("GET /transaction?tran=checkout HTTP/1.1\r\nHost: 127.0.0.1:"
                                + w.port() + "\r\nConnection: close\r\n\r\n").getBytes(StandardCharsets.US_ASCII));
                        if (stay) {
                            String head = new String(s.getInputStream().readNBytes(12), StandardCharsets.US_ASCII);
                            assertEquals("HTTP/1.1 200", head);
                        } else {
                            Thread.sleep(200);
                        }
                    }
                    Thread.sleep(stay ? 0 : 3000);
                    assertEquals(stay ? 3 : 1, fake.requests.get() - before, stay ? "a browser that waits"
                            : "a browser that left during the first report");
                }
            } finally {
                w.stop();
            }
        }
    }

    @Test
    void aTricklingCollectorCostsOneDeadlineAndThePoolRecovers() throws Exception {
        try (Collector real = Collector.start(0); Trickler fake = new Trickler(real)) {
            WebServer w = WebTestSupport.start("--collector", fake.address(), "--collector-timeout", "1000",
                    "--poll-interval", "0");
            ExecutorService pool = Executors.newFixedThreadPool(24);
            try {
                WebTestSupport.Browser b = new WebTestSupport.Browser(w.url());
                assertEquals(200, b.get("/").statusCode());
                fake.trickle = true;
                // More requests at once than the client keeps connections.
                long t0 = System.nanoTime();
                List<Future<HttpResponse<String>>> all = new ArrayList<>();
                for (int i = 0; i < 24; i++) {
                    String page = i % 2 == 0 ? "/" : "/api/reports/all-transactions";
                    all.add(pool.submit(() -> b.get(page)));
                }
                Thread.sleep(300);
                long h0 = System.nanoTime();
                HttpResponse<String> health = b.get("/health");
                long healthMs = (System.nanoTime() - h0) / 1_000_000;
                assertTrue(healthMs < 900, "/health waited " + healthMs + " ms for a busy collector");
                assertEquals(200, health.statusCode(), "the last known state: " + health.body());
                for (Future<HttpResponse<String>> f : all) {
                    HttpResponse<String> r = f.get();
                    assertEquals(504, r.statusCode(), r.body());
                    if (!r.uri().getPath().startsWith("/api/"))  // a wall display keeps refreshing
                        assertTrue(r.body().contains("<meta http-equiv=\"refresh\" content=\"30\">"), r.body());
                    assertTrue(r.body().contains("did not answer within 1000 ms")
                            || r.body().contains("stayed busy"), r.body());
                }
                long ms = (System.nanoTime() - t0) / 1_000_000;
                assertTrue(ms < 4000, "24 requests took " + ms + " ms with a 1000 ms deadline");
                HttpResponse<String> down = b.get("/health");
                assertEquals(503, down.statusCode(), "the last exchanges timed out");
                assertTrue(down.body().contains("timed out") && !down.body().contains(fake.address()), down.body());

                fake.trickle = false;  // the collector answers again: the pool has no stuck connection
                for (String page : new String[] {"/", "/transaction?tran=checkout", "/alerts"})
                    assertEquals(200, b.get(page).statusCode(), page);
                HttpResponse<String> ok = b.get("/health");
                assertEquals(200, ok.statusCode(), ok.body());
                assertTrue(!ok.body().contains(fake.address()), "no address without a login: " + ok.body());
            } finally {
                pool.shutdownNow();
                w.stop();
            }
        }
    }
}
