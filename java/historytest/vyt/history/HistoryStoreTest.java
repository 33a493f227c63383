package vyt.history;

import vyt.testsupport.PostgresServer;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import java.sql.Connection;
import java.sql.DriverManager;
import java.sql.Statement;
import java.time.Duration;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.Properties;
import org.junit.jupiter.api.AfterAll;
import org.junit.jupiter.api.Assumptions;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.EnumSource;
import org.junit.jupiter.params.provider.ValueSource;

class HistoryStoreTest {
    enum Backend { SQLITE, POSTGRESQL }

    static final long T0 = 1_700_000_000L / 3600 * 3600;  // an hour's start
    static final String C = "east";
    static final String TRAN = "checkout";
    private static PostgresServer server;

    @TempDir
    Path tmp;

    @AfterAll
    static void stopServer() throws Exception {
        if (server != null) server.close();
    }

    private static PostgresServer server() throws Exception {
        if (!PostgresServer.available()) {
            System.out.println("SKIPPED: the PostgreSQL cases need Debian's postgresql-15 (" + PostgresServer.BIN
                    + "/initdb and pg_ctl are missing)");
            Assumptions.abort("PostgreSQL binaries missing under " + PostgresServer.BIN);
        }
        if (server == null) server = new PostgresServer();
        return server;
    }

    private StoreOptions options(Backend b) throws Exception {
        return b == Backend.SQLITE ? StoreOptions.sqlite(tmp.resolve("data"))
                : StoreOptions.postgresql(server().newDatabase(), server().passwordFile);
    }

    private static Connection raw(StoreOptions o) throws Exception {
        if (o.dbUrl() == null) return DriverManager.getConnection("jdbc:sqlite:" + o.dataDir().resolve("history.db"));
        Properties p = new Properties();
        p.setProperty("password", PostgresServer.PASSWORD);
        return DriverManager.getConnection(o.dbUrl(), p);
    }

    static IntervalSample sample(int path, long start, double total, long count, boolean seeded) {
        return new IntervalSample(C, TRAN, path, start, 300,
                new Components<>(total * 0.1, total * 0.5, total * 0.3, total * 0.1, total), count,
                new Components<>(0, 1, 0, 0, 2), new Components<>(50.0, 300.0, 200.0, 40.0, 600.0), seeded);
    }

    private static SeriesQuery query(Integer path, long from, long to) {
        return new SeriesQuery(C, TRAN, path, from, to);
    }

    @ParameterizedTest
    @EnumSource(Backend.class)
    void roundTrip(Backend backend) throws Exception {
        try (HistoryStore store = HistoryStore.open(options(backend))) {
            List<IntervalSample> poll = new ArrayList<>();
            for (int k = 0; k < 12; k++) {
                if (k != 4 && k != 5) poll.add(sample(1, T0 + k * 300, 100 + k, 10 + k, false));  // 4, 5: an outage
                poll.add(sample(2, T0 + k * 300, 500, 30, false));
            }
            store.writeIntervals(poll);
            store.writeIntervals(poll);  // a repeated poll

            Series s = store.series(query(1, T0, T0 + 3600));
            assertEquals(300, s.step());
            assertFalse(s.hourly());
            assertEquals(12, s.points().size());
            for (int k = 0; k < 12; k++) {
                Point p = s.points().get(k);
                assertEquals(T0 + k * 300, p.start());
                if (k == 4 || k == 5) {
                    assertTrue(p.gap(), "interval " + k);
                    assertNull(p.times().total());
                    continue;
                }
                IntervalSample w = sample(1, T0 + k * 300, 100 + k, 10 + k, false);
                assertEquals(new Point(w.start(), 300, false, w.times(), w.count(), w.states(), w.thresholds(), 1,
                        false), p);
            }

            // The whole transaction: counts add up, times are weighted by count, the outage of one path is no gap.
            Series whole = store.series(query(null, T0, T0 + 3600));
            Point first = whole.points().get(0);
            assertEquals(10 + 30, first.count());
            assertEquals((100.0 * 10 + 500.0 * 30) / 40, first.times().total(), 1e-9);
            assertEquals(2, first.states().total());
            assertEquals(30, whole.points().get(4).count());
            assertFalse(whole.points().get(4).gap());

            // Seeded data fills a gap but never replaces a real interval.
            store.writeIntervals(List.of(sample(1, T0, 9999, 1, true), sample(1, T0 + 4 * 300, 700, 5, true)));
            s = store.series(query(1, T0, T0 + 3600));
            assertEquals(100.0, s.points().get(0).times().total());
            assertFalse(s.points().get(0).seeded());
            assertTrue(s.points().get(4).seeded());
            assertEquals(700.0, s.points().get(4).times().total());

            // The same range a day earlier, moved onto today's range.
            store.writeIntervals(List.of(sample(1, T0 - 86_400 + 600, 333, 3, false)));
            Series yesterday = store.shifted(query(1, T0, T0 + 3600), Duration.ofDays(1));
            assertEquals(86_400, yesterday.shift());
            assertEquals(12, yesterday.points().size());
            assertEquals(T0 + 600, yesterday.points().get(2).start());
            assertEquals(333.0, yesterday.points().get(2).times().total());
            assertEquals(11, yesterday.points().stream().filter(Point::gap).count());

            List<IntervalSample> latest = store.latest(C);
            assertEquals(List.of(sample(1, T0 + 11 * 300, 111, 21, false), sample(2, T0 + 11 * 300, 500, 30, false)),
                    latest);

            // Intervals of 2 s over a day: gaps on a bounded grid, every stored interval still there.
            IntervalSample w = sample(3, T0, 100, 1, false);
            List<IntervalSample> fast = new ArrayList<>();
            for (int k = 0; k < 5; k++)
                fast.add(new IntervalSample(C, TRAN, 3, T0 + 2 * k, 2, w.times(), 1, w.states(), w.thresholds(), false));
            store.writeIntervals(fast);
            Series day = store.series(query(3, T0 - 86_000, T0 + 400));
            assertEquals(5, day.points().stream().filter(p -> !p.gap()).count());
            assertTrue(day.points().size() <= 5 + 1440, day.points().size() + " points");

            store.writeAlerts(List.of(new AlertInterval(C, TRAN, 1, "server", T0 + 300, T0 + 900L, 2, false),
                    new AlertInterval(C, TRAN, 2, "total", T0 + 1800, null, 1, false),
                    new AlertInterval(C, "login", 1, "total", T0 + 100, null, 2, false)));
            // The next poll sees the open alert end; a stale poll that still reports it open keeps its end.
            store.writeAlerts(List.of(new AlertInterval(C, TRAN, 2, "total", T0 + 1800, T0 + 2400L, 1, false)));
            store.writeAlerts(List.of(new AlertInterval(C, TRAN, 2, "total", T0 + 1800, null, 1, false)));
            assertEquals(List.of(new AlertInterval(C, TRAN, 2, "total", T0 + 1800, T0 + 2400L, 1, false)),
                    store.alerts(C, TRAN, T0 + 1000, T0 + 2000));
            assertEquals(3, store.alerts(null, null, T0, T0 + 3600).size());
            assertEquals(1, store.alerts(C, "login", T0 + 5000, T0 + 6000).size());  // still open

            assertTrue(store.sizeBytes() > 0);
        }
    }

    @ParameterizedTest
    @EnumSource(Backend.class)
    void restartKeepsEveryIntervalOnce(Backend backend) throws Exception {
        StoreOptions o = options(backend);
        List<IntervalSample> before = new ArrayList<>();
        for (int k = 0; k < 6; k++) before.add(sample(1, T0 + k * 300, 100 + k, 5, false));
        try (HistoryStore store = HistoryStore.open(o)) {
            store.writeIntervals(before);
        }
        try (HistoryStore store = HistoryStore.open(o)) {
            assertEquals(1, store.schemaVersion());
            List<IntervalSample> after = new ArrayList<>();  // the first poll after a restart overlaps the last
            for (int k = 3; k < 10; k++) after.add(sample(1, T0 + k * 300, 200 + k, 7, false));
            store.writeIntervals(after);
            List<Point> points = store.series(query(1, T0, T0 + 3000)).points();
            assertEquals(10, points.size());
            for (int k = 0; k < 10; k++) {
                assertFalse(points.get(k).gap());
                assertEquals(k < 3 ? 100 + k : 200 + k, points.get(k).times().total());
            }
            assertEquals(3 * 5 + 7 * 7, store.series(query(1, T0 - 86_400, T0 + 86_400 * 2)).points().stream()
                    .mapToLong(Point::count).sum());  // the hourly roll-up counts each interval once
        }

        try (Connection c = raw(o); Statement s = c.createStatement()) {
            s.execute("INSERT INTO schema_version (version, applied_s, description) VALUES (99, 0, 'future')");
        }
        HistoryException e = assertThrows(HistoryException.class, () -> HistoryStore.open(o));
        assertEquals(HistoryException.Fault.SCHEMA, e.fault());
        assertTrue(e.getMessage().contains("schema version 99, newer than this front end knows (1)"), e.getMessage());
    }

    @ParameterizedTest
    @EnumSource(Backend.class)
    void retentionAndRollUp(Backend backend) throws Exception {
        long now = T0;
        try (HistoryStore store = HistoryStore.open(options(backend)
                .withRetention(new Retention(Duration.ofDays(1), Duration.ofDays(3))))) {
            List<IntervalSample> all = new ArrayList<>();
            for (long t = now - 4 * 86_400; t < now; t += 300) {
                int k = (int) ((t / 300) % 12);
                all.add(sample(1, t, 100 + 10 * k, 1 + k % 5, false));
            }
            store.writeIntervals(all);
            store.writeAlerts(List.of(new AlertInterval(C, TRAN, 1, "total", now - 4 * 86_400, now - 3 * 86_400 - 60L,
                    2, false), new AlertInterval(C, TRAN, 1, "wait", now - 4 * 86_400, null, 1, false)));

            long hour = now - 2 * 86_400;
            List<IntervalSample> inHour = all.stream().filter(s -> s.start() >= hour && s.start() < hour + 3600).toList();
            assertHour(inHour, hourPoint(store, hour));

            store.writeIntervals(inHour);  // a repeated poll does not count twice
            assertHour(inHour, hourPoint(store, hour));
            List<IntervalSample> changed = new ArrayList<>(inHour);
            changed.set(3, sample(1, inHour.get(3).start(), 1000, 50, false));
            store.writeIntervals(List.of(changed.get(3)));  // a corrected interval changes its hour
            assertHour(changed, hourPoint(store, hour));

            assertEquals(new PruneResult(3 * 288, 24, 1), store.prune(now));
            assertEquals(new PruneResult(0, 0, 0), store.prune(now));
            List<Point> recent = store.series(query(1, now - 2 * 86_400, now)).points();
            assertEquals(576, recent.size());
            assertEquals(288, recent.stream().filter(Point::gap).count());
            assertTrue(recent.subList(288, 576).stream().noneMatch(Point::gap));
            List<Point> hours = store.series(query(1, now - 4 * 86_400, now)).points();
            assertEquals(96, hours.size());
            assertTrue(hours.subList(0, 24).stream().allMatch(Point::gap));
            assertTrue(hours.subList(24, 96).stream().noneMatch(Point::gap));
            assertEquals(List.of("wait"), store.alerts(C, TRAN, now - 5 * 86_400, now).stream()
                    .map(AlertInterval::kind).toList());
        }
    }

    private static Point hourPoint(HistoryStore store, long hour) {
        Series s = store.series(query(1, hour - 86_400, hour + 2 * 86_400));
        assertTrue(s.hourly());
        return s.points().stream().filter(p -> p.start() == hour).findFirst().orElseThrow();
    }

    /** Checks the roll-up of these intervals: counts summed, times weighted by count, worst state, highest threshold. */
    private static void assertHour(List<IntervalSample> in, Point hour) {
        long count = 0;
        double[] weighted = new double[5];
        for (IntervalSample s : in) {
            count += s.count();
            for (int k = 0; k < 5; k++) weighted[k] += s.times().get(k) * s.count();
        }
        assertEquals(Math.floorDiv(in.get(0).start(), 3600) * 3600, hour.start());
        assertEquals(in.size(), hour.intervals());
        assertEquals(count, hour.count());
        for (int k = 0; k < 5; k++) assertEquals(weighted[k] / count, hour.times().get(k), 1e-9, "component " + k);
        assertEquals(in.get(0).states(), hour.states());
        assertEquals(in.get(0).thresholds(), hour.thresholds());
        assertFalse(hour.gap());
    }

    @Test
    void readOnlySqliteFileKeepsItsHistory() throws Exception {
        StoreOptions o = options(Backend.SQLITE);
        try (HistoryStore store = HistoryStore.open(o)) {
            store.writeIntervals(List.of(sample(1, T0, 100, 5, false), sample(1, T0 + 300, 110, 5, false)));
        }
        Path file = o.dataDir().resolve("history.db");
        // Root writes any file whatever its mode: an immutable file is read-only even to root.
        boolean immutable = new ProcessBuilder("chattr", "+i", file.toString()).start().waitFor() == 0;
        if (!immutable) assertTrue(file.toFile().setWritable(false, false));
        Assumptions.assumeFalse(Files.isWritable(file) && !immutable, "cannot make " + file + " read-only here");
        try (HistoryStore store = HistoryStore.open(o)) {
            HistoryException e = assertThrows(HistoryException.class,
                    () -> store.writeIntervals(List.of(sample(1, T0 + 600, 120, 5, false))));
            assertEquals(HistoryException.Fault.READ_ONLY, e.fault());
            assertTrue(e.getMessage().startsWith("Cannot store 1 intervals (SQLite file " + file
                    + "): the database refuses writes"), e.getMessage());
            assertEquals(2, store.series(query(1, T0, T0 + 900)).points().stream().filter(p -> !p.gap()).count());

            unlock(file, immutable);
            store.writeIntervals(List.of(sample(1, T0 + 600, 120, 5, false)));  // the store reconnects
            assertEquals(3, store.series(query(1, T0, T0 + 900)).points().stream().filter(p -> !p.gap()).count());
        } finally {
            unlock(file, immutable);
        }
    }

    private static void unlock(Path file, boolean immutable) throws Exception {
        if (immutable) assertEquals(0, new ProcessBuilder("chattr", "-i", file.toString()).start().waitFor());
        else file.toFile().setWritable(true, false);
    }

    @Test
    void postgresqlOutageAndCredentials() throws Exception {
        StoreOptions o = options(Backend.POSTGRESQL);
        try (HistoryStore store = HistoryStore.open(o)) {
            store.writeIntervals(List.of(sample(1, T0, 100, 5, false)));
            server().stop();
            HistoryException e;
            try {
                e = assertThrows(HistoryException.class, () -> store.series(query(1, T0, T0 + 600)));
            } finally {
                server().start();
            }
            assertEquals(HistoryException.Fault.UNREACHABLE, e.fault());
            assertTrue(e.getMessage().contains("the database cannot be reached"), e.getMessage());
            store.writeIntervals(List.of(sample(1, T0 + 300, 110, 5, false)));  // reconnected; nothing lost
            assertEquals(2, store.series(query(1, T0, T0 + 600)).points().stream().filter(p -> !p.gap()).count());
        }

        // The password from the environment works; a wrong one is refused without being shown.
        StoreOptions fromEnv = new StoreOptions(null, o.dbUrl(), null, null);
        try (HistoryStore store = JdbcHistoryStore.open(fromEnv, Map.of(StoreOptions.PASSWORD_ENV,
                PostgresServer.PASSWORD))) {
            assertEquals(1, store.latest(C).size());
        }
        String wrong = "not-the-Password-93";
        HistoryException e = assertThrows(HistoryException.class,
                () -> JdbcHistoryStore.open(fromEnv, Map.of(StoreOptions.PASSWORD_ENV, wrong)));
        assertEquals(HistoryException.Fault.CREDENTIALS, e.fault());
        for (Throwable t = e; t != null; t = t.getCause()) assertFalse(String.valueOf(t).contains(wrong));
        assertNotNull(e.getMessage());
    }

    @ParameterizedTest
    @ValueSource(strings = {"jdbc:postgresql://db:5432/vyt?user=vyt&password=hunter2x",
        "jdbc:postgresql://db/vyt?ssl=true&PassWord=hunter2x", "jdbc:postgresql://vyt:hunter2x@db/vyt",
        "jdbc:mysql://db/vyt?password=hunter2x"})
    void refusesUrlsThatCarryAPassword(String url) {
        HistoryException e = assertThrows(HistoryException.class,
                () -> HistoryStore.open(StoreOptions.postgresql(url, null)));
        assertEquals(HistoryException.Fault.CONFIG, e.fault());
        assertFalse(e.getMessage().contains("hunter2x"), e.getMessage());
        assertTrue(e.getMessage().contains(url.startsWith("jdbc:mysql") ? "must be a PostgreSQL one"
                : "--db-password-file FILE"), e.getMessage());
    }
}
