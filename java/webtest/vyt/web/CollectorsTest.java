package vyt.web;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.net.InetAddress;
import java.net.ServerSocket;
import java.net.http.HttpResponse;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** Several collectors: naming them, one down beside another, stale data and recovery. */
class CollectorsTest {
    static {
        WebTestSupport.quiet();
        java.util.logging.Logger.getLogger("vyt.web.poll").setUseParentHandlers(false);
    }

    @Test
    void collectorsAreNamedOnTheCommandLineOrInAFile(@TempDir Path dir) throws Exception {
        Path file = dir.resolve("collectors");
        Files.writeString(file, "# the shop\nshop = 10.0.0.1:47300  # main\n\nlab=lab.example.test:1\n");
        // {arguments (";"-separated), "file" or "", the names and addresses, or "!" and the error's words}
        String[][] cases = {
            {"10.1.2.3:47300", "", "10.1.2.3=10.1.2.3:47300"},
            {"a=h:1;b=:2", "", "a=h:1 b=:2"},
            {"localhost:47300", "", "localhost=localhost:47300"},
            {"x=h:1", "file", "x=h:1 shop=10.0.0.1:47300 lab=lab.example.test:1"},
            {"a=h:1;a=g:2", "", "!a second collector named a"},
            {"h:1;h:2", "", "!a second collector named h"},
            {"a b=h:1", "", "!must be letters"},
            {"a=h", "", "!expected NAME=HOST:PORT"},
            {"shop=h:1", "file", "!line 2: a second collector named shop"},
        };
        for (String[] c : cases) {
            List<String> given = List.of(c[0].split(";"));
            Path f = c[1].isEmpty() ? null : file;
            if (c[2].startsWith("!")) {
                IllegalArgumentException e = assertThrows(IllegalArgumentException.class,
                        () -> CollectorSet.parse(given, f), c[0]);
                assertTrue(e.getMessage().contains(c[2].substring(1)), c[0] + ": " + e.getMessage());
                continue;
            }
            List<String> got = new ArrayList<>();
            for (CollectorSet.Named s : CollectorSet.parse(given, f)) got.add(s.name() + "=" + s.address());
            assertEquals(c[2], String.join(" ", got), c[0]);
        }
    }

    @Test
    void aCollectorThatStopsGoesStaleWithItsLastDataAndRecovers() throws Exception {
        try (PollerTest.TestCollector c = new PollerTest.TestCollector(System.currentTimeMillis() / 1000)) {
            WebServer w = WebTestSupport.start("--collector", "c=" + c.address(), "--poll-interval", "1");
            try {
                WebTestSupport.Browser b = new WebTestSupport.Browser(w.url());
                PollerTest.await("a first poll", 20_000, () -> w.collectors().first().lastGood() != null);
                page(b, "/transaction?tran=checkout");  // reports no poll fetches, fetched live
                c.stop();
                PollerTest.await("stale data", 20_000, () -> page(b, "/").contains("The data is stale"));
                String stale = page(b, "/transaction?tran=checkout");
                assertTrue(stale.contains("The data is stale") && stale.contains("web-01.example.test"), stale);
                assertTrue(page(b, "/collectors").contains("state-stale"));
                c.restart();
                PollerTest.await("fresh data", 20_000, () -> !page(b, "/").contains("The data is stale"));
                assertTrue(page(b, "/collectors").contains("state-ok"));
            } finally {
                w.stop();
            }
        }
    }

    static String page(WebTestSupport.Browser b, String path) {
        try {
            HttpResponse<String> r = b.get(path);
            assertEquals(200, r.statusCode(), path + ": " + r.body());
            return r.body();
        } catch (Exception e) {
            throw new AssertionError(path, e);
        }
    }

    @Test
    void aCollectorThatHangsNeverHoldsUpTheOthersPages() throws Exception {
        try (PollerTest.TestCollector good = new PollerTest.TestCollector(System.currentTimeMillis() / 1000);
                ServerSocket silent = new ServerSocket(0, 50, InetAddress.getLoopbackAddress())) {
            // Accepts connections and never answers: each exchange lasts the whole deadline.
            WebServer w = WebTestSupport.start("--collector", "good=" + good.address(), "--collector",
                    "hung=127.0.0.1:" + silent.getLocalPort(), "--poll-interval", "1", "--collector-timeout", "5000");
            try {
                WebTestSupport.Browser b = new WebTestSupport.Browser(w.url());
                PollerTest.await("a first poll", 20_000, () -> w.collectors().get("good").lastGood() != null);
                for (String path : new String[] {"/?collector=good", "/transaction?tran=checkout&collector=good",
                    "/alerts?collector=good", "/collectors"}) {
                    long t0 = System.nanoTime();
                    page(b, path);
                    long ms = (System.nanoTime() - t0) / 1_000_000;
                    assertTrue(ms < 2500, path + " took " + ms + " ms while the other collector hangs");
                }
                HttpResponse<String> unknown = b.get("/?collector=nope");
                assertEquals(404, unknown.statusCode());
                assertTrue(unknown.body().contains("good, hung"), unknown.body());
                PollerTest.await("the hung poll's end", 20_000, () -> page(b, "/collectors").contains("state-unreachable"));
                HttpResponse<String> health = b.get("/health");
                assertEquals(200, health.statusCode(), health.body());
                assertTrue(health.body().contains("good: ok") && health.body().contains("hung: unavailable"),
                        health.body());
            } finally {
                w.stop();
            }
        }
    }
}
