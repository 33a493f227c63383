package vyt.web;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.IOException;
import java.io.InputStream;
import java.net.InetAddress;
import java.net.InetSocketAddress;
import java.net.ServerSocket;
import java.net.Socket;
import java.net.http.HttpResponse;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.regex.Pattern;
import java.util.Set;
import java.util.TreeSet;
import java.util.function.BooleanSupplier;
import java.util.function.Predicate;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import vyt.collector.Replies;
import vyt.collector.Request;
import vyt.collector.Rules;
import vyt.collector.Sample;
import vyt.collector.Wire;
import vyt.history.HistoryException;
import vyt.history.HistoryStore;
import vyt.history.IntervalSample;
import vyt.history.Point;
import vyt.history.Series;
import vyt.history.SeriesQuery;
import vyt.history.StoreOptions;

/** The poll into the history: restarts, bad replies and a store that refuses writes. */
class PollerTest {
    static {
        WebTestSupport.quiet();
        java.util.logging.Logger.getLogger("vyt.web.poll").setUseParentHandlers(false);
    }

    /**
     * A collector answering from a sample data set at a clock value the test sets, on a port it
     * keeps across a stop and a start; {@code garbage} picks requests answered with a reply the
     * library cannot decode.
     */
    static final class TestCollector implements AutoCloseable {
        volatile Replies replies;
        volatile Predicate<Request> garbage = r -> false;
        private volatile ServerSocket server;
        private final List<Socket> open = new ArrayList<>();
        final int port;

        TestCollector(long now) throws IOException {
            at(now);
            server = listen(0);
            port = server.getLocalPort();
        }

        void at(long now) {
            Sample s = new Sample((int) now);
            replies = new Replies(s, new Rules(s));
        }

        String address() {
            return "127.0.0.1:" + port;
        }

        private ServerSocket listen(int p) throws IOException {
            ServerSocket ss = new ServerSocket();
            ss.setReuseAddress(true);
            ss.bind(new InetSocketAddress(InetAddress.getLoopbackAddress(), p), 16);
            Thread t = new Thread(() -> {
                while (!ss.isClosed()) {
                    try {
                        Socket s = ss.accept();
                        synchronized (open) {
                            open.add(s);
                        }
                        Thread c = new Thread(() -> serve(s));
                        c.setDaemon(true);
                        c.start();
                    } catch (IOException e) {
                        // stopped
                    }
                }
            });
            t.setDaemon(true);
            t.start();
            return ss;
        }

        private void serve(Socket s) {
            try (s; InputStream in = s.getInputStream()) {
                while (true) {
                    byte[] raw = in.readNBytes(Request.LENGTH);
                    if (raw.length < Request.LENGTH) return;
                    Request q = Request.parse(raw);
                    s.getOutputStream().write(garbage.test(q) ? new Wire(12).i32(0, 12).i32(4, q.reportId())
                            .i32(8, 99).bytes() : replies.answer(q));
                }
            } catch (IOException e) {
                // closed
            }
        }

        /** Nothing listens on the port any more, and open connections are cut. */
        void stop() throws IOException {
            server.close();
            synchronized (open) {
                for (Socket s : open) s.close();
                open.clear();
            }
        }

        void restart() throws IOException {
            server = listen(port);
        }

        @Override
        public void close() throws IOException {
            stop();
        }
    }

    static void await(String what, long ms, BooleanSupplier ok) throws InterruptedException {
        long until = System.currentTimeMillis() + ms;
        while (!ok.getAsBoolean()) {
            if (System.currentTimeMillis() > until) throw new AssertionError("waited " + ms + " ms for " + what);
            Thread.sleep(50);
        }
    }

    static Set<Long> stored(HistoryStore store, String collector, String tran, int path, long from, long to) {
        Series s = store.series(new SeriesQuery(collector, tran, path, from, to));
        Set<Long> out = new TreeSet<>();
        for (Point p : s.points()) {
            if (p.gap()) continue;
            assertEquals(1, p.intervals(), "one interval at " + p.start());
            assertTrue(out.add(p.start()), "one point at " + p.start());
        }
        return out;
    }

    /** The class path these tests run with (the test launcher loads them through a loader of its own). */
    static String classPath() throws Exception {
        if (!(PollerTest.class.getClassLoader() instanceof java.net.URLClassLoader u))
            return System.getProperty("java.class.path");
        List<String> parts = new ArrayList<>();
        for (java.net.URL url : u.getURLs()) parts.add(Path.of(url.toURI()).toString());
        return String.join(java.io.File.pathSeparator, parts);
    }

    static Set<Long> every300(long from, long to) {
        Set<Long> out = new TreeSet<>();
        for (long t = from; t < to; t += 300) out.add(t);
        return out;
    }

    @Test
    void aFrontEndRestartedOntoItsStoreHasEachIntervalOnceAndNoneMissing(@TempDir Path dir) throws Exception {
        long t1 = System.currentTimeMillis() / 1000 / 300 * 300 - 3600;
        try (TestCollector c = new TestCollector(t1)) {
            String[] args = {"--collector", "c=" + c.address(), "--poll-interval", "1", "--data", dir.toString()};
            WebServer w = WebTestSupport.start(args);
            await("a first poll", 20_000, () -> w.pollers().get(0).polls() > 0);
            // The trend page is kept between polls; the next poll's interval shows on it at once.
            WebTestSupport.Browser b = new WebTestSupport.Browser(w.url());
            String trend = "/trend?tran=checkout&path=1&range=6h";
            Pattern noData = Pattern.compile("<td>" + java.time.format.DateTimeFormatter.ofPattern("yyyy-MM-dd HH:mm")
                    .withZone(java.time.ZoneId.systemDefault()).format(java.time.Instant.ofEpochSecond(t1))
                    + "</td>(<td[^>]*></td>)*<td[^>]*>no data");
            assertTrue(noData.matcher(b.get(trend).body()).find(), "no data yet for the next interval");
            c.at(t1 + 300);
            await("the next interval", 20_000, () -> stored(w.store(), "c", "checkout", 1, t1 - 300, t1 + 300).size() == 2);
            await("the page to show it", 5_000, () -> {
                try {
                    return !noData.matcher(b.get(trend).body()).find();
                } catch (Exception e) {
                    throw new IllegalStateException(e);
                }
            });
            w.stop();
            // Down for three intervals; the collector went on. The restart's first poll stores the summary's past.
            c.at(t1 + 900);
            WebServer w2 = WebTestSupport.start(args);
            try {
                await("a first poll", 20_000, () -> w2.pollers().get(0).polls() > 0);
                HistoryStore store = w2.store();
                for (int path : new int[] {1, 2, 3})
                    assertEquals(every300(t1 - 3600, t1 + 900), stored(store, "c", "checkout", path, t1 - 7200,
                            t1 + 7200), "checkout path " + path);
            } finally {
                w2.stop();
            }
            // Killed with no shutdown at all right after a poll, then started again: still each interval once.
            c.at(t1 + 1800);
            List<String> cmd = new ArrayList<>(List.of(Path.of(System.getProperty("java.home"), "bin", "java")
                    .toString(), "-Djava.library.path=" + System.getProperty("java.library.path"), "-cp",
                    classPath(), "vyt.web.WebServer", "--port", "0", "--audit-log",
                    dir.resolve("audit.log").toString()));
            cmd.addAll(List.of(args));
            Path out = dir.resolve("killed.out");
            Process killed = new ProcessBuilder(cmd).redirectErrorStream(true).redirectOutput(out.toFile()).start();
            try {
                await("a poll by the process", 30_000, () -> {
                    try {
                        java.util.regex.Matcher m = Pattern.compile("serving (http://\\S+)").matcher(Files.readString(out));
                        return m.find() && new WebTestSupport.Browser(m.group(1)).get("/metrics").body()
                                .contains("vyt_last_poll_timestamp_seconds{collector=\"c\"}");
                    } catch (Exception e) {
                        return false;
                    }
                });
            } finally {
                killed.destroyForcibly().waitFor();
            }
            c.at(t1 + 2700);
            WebServer w3 = WebTestSupport.start(args);
            try {
                await("a first poll", 20_000, () -> w3.pollers().get(0).polls() > 0);
                for (int path : new int[] {1, 2, 3})
                    assertEquals(every300(t1 - 3600, t1 + 2700), stored(w3.store(), "c", "checkout", path,
                            t1 - 7200, t1 + 7200), "checkout path " + path + " after a kill");
            } finally {
                w3.stop();
            }
        }
    }

    @Test
    void aBadReplyForOneTransactionLeavesTheOthersPolled(@TempDir Path dir) throws Exception {
        long now = System.currentTimeMillis() / 1000;
        try (TestCollector c = new TestCollector(now)) {
            c.garbage = r -> r.tranName().equals("login");
            WebServer w = WebTestSupport.start("--collector", "c=" + c.address(), "--data", dir.toString());
            try {
                await("a first poll", 20_000, () -> w.pollers().get(0).polls() > 0);
                Set<String> trans = new TreeSet<>();
                for (IntervalSample s : w.store().latest("c")) trans.add(s.tran());
                assertEquals(Set.of("checkout", "search"), trans);
                WebTestSupport.Browser b = new WebTestSupport.Browser(w.url());
                assertEquals(200, b.get("/transaction?tran=checkout&collector=c").statusCode());
                assertEquals(502, b.get("/transaction?tran=login&collector=c").statusCode(), "fetched live, bad again");
            } finally {
                w.stop();
            }
        }
    }

    /** A store that refuses every write while {@code refuse[0]} holds a fault; reads go through. */
    static HistoryStore refusing(HistoryStore real, HistoryException[] refuse) {
        return (HistoryStore) java.lang.reflect.Proxy.newProxyInstance(HistoryStore.class.getClassLoader(),
                new Class<?>[] {HistoryStore.class}, (proxy, m, args) -> {
                    if (m.getName().startsWith("write") && refuse[0] != null) throw refuse[0];
                    try {
                        return m.invoke(real, args);
                    } catch (java.lang.reflect.InvocationTargetException e) {
                        throw e.getCause();
                    }
                });
    }

    /** A real fault: PostgreSQL on a port where nothing listens. */
    static HistoryException unreachable() {
        try {
            HistoryStore.open(StoreOptions.postgresql("jdbc:postgresql://127.0.0.1:1/vyt?user=vyt", null)).close();
        } catch (HistoryException e) {
            return e;
        }
        throw new AssertionError("a store opened on a closed port");
    }

    @Test
    void aStoreThatRefusesWritesGivesA503AndLosesNothingOnceItTakesThemAgain(@TempDir Path dir) throws Exception {
        long t = System.currentTimeMillis() / 1000 / 300 * 300;
        try (TestCollector c = new TestCollector(t)) {
            WebServer w = new WebServer(new java.io.PrintStream(java.io.OutputStream.nullOutputStream()));
            new picocli.CommandLine(w).parseArgs("--collector", "c=" + c.address(), "--poll-interval", "1",
                    "--data", dir.toString(), "--audit-log", dir.resolve("audit.log").toString());
            w.port = 0;
            HistoryException[] refuse = {null};
            HistoryStore[] store = {null};
            w.openStore = o -> store[0] = refusing(HistoryStore.open(o), refuse);
            w.start();
            try {
                await("a first poll", 20_000, () -> w.pollers().get(0).polls() > 0);
                WebTestSupport.Browser b = new WebTestSupport.Browser(w.url());
                refuse[0] = unreachable();
                c.at(t + 300);  // an interval first seen while the store refuses it
                Poller p = w.pollers().get(0);
                await("a refused write", 20_000, () -> p.pending() > 0);
                HttpResponse<String> r = b.get("/trend?tran=checkout&collector=c");
                assertEquals(503, r.statusCode(), r.body());
                assertTrue(r.body().contains("check that the database server is running"), r.body());
                assertTrue(r.body().contains("http-equiv=\"refresh\""), "the page keeps refreshing");
                assertTrue(r.headers().firstValue("Retry-After").isPresent(), "Retry-After");
                assertEquals(200, b.get("/?collector=c").statusCode(), "current pages still work");
                assertFalse(stored(store[0], "c", "checkout", 1, t - 7200, t + 7200).contains(t));

                refuse[0] = null;
                await("the writes kept", 20_000, () -> p.pending() == 0);
                assertNotEquals(503, b.get("/trend?tran=checkout&collector=c").statusCode());
                assertTrue(stored(store[0], "c", "checkout", 1, t - 7200, t + 7200).contains(t),
                        "the interval seen during the fault");
            } finally {
                w.stop();
            }
        }
    }
}
