package vyt.web.bench;

import vyt.testsupport.PostgresServer;
import java.io.BufferedReader;
import java.io.IOException;
import java.io.InputStreamReader;
import java.net.CookieManager;
import java.net.URI;
import java.net.http.HttpClient;
import java.net.http.HttpRequest;
import java.net.http.HttpResponse;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.time.Duration;
import java.time.Instant;
import java.time.temporal.ChronoUnit;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Comparator;
import java.util.List;
import java.util.Locale;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.atomic.AtomicInteger;
import java.util.concurrent.atomic.AtomicLong;
import java.util.stream.Stream;
import vyt.collector.Collector;
import vyt.collector.Sample;
import vyt.history.HistoryStore;
import vyt.history.StoreOptions;
import vyt.web.SeedHistory;

/**
 * The web front end's load benchmark over a stored history. For each store (SQLite, then a
 * throw-away PostgreSQL server) it seeds a history of {@code --days} days of
 * {@code --trans} transactions with {@code --paths} paths each (and the sample transactions): the
 * last {@code --fine-days} days (7 unless given) at {@code --interval} seconds, the days before at
 * one interval an hour, which the 30-day trend reads the same way (from hourly roll-ups) and which
 * seeds in a fraction of the time; it times the seeding and measures the store's growth; starts
 * {@code vyt web} on that history, asking a sample collector in this process; warms it up; then
 * lets {@code --clients} clients request the pages of each case for {@code --seconds} seconds:
 * {@code trend-24h} and {@code trend-30d} (the trend page of a transaction over a day and 30 days)
 * and {@code mixed} (the current pages and trend pages in equal shares). It prints one line per
 * store and case, {@code bench-web STORE CASE: N pages/s, p50 X ms, p99 Y ms, errors E}; what it
 * did besides (seeding, sizes) goes to standard error. A page that is not 200 is an error.
 *
 * <pre>
 * BenchWeb --server-jar vytweb.jar --library-path DIR [--clients N] [--seconds S] [--days D]
 *          [--fine-days F] [--trans T] [--paths P] [--interval SECONDS] [--stores sqlite,postgresql]
 *          [--cases trend-24h,trend-30d,mixed]
 * </pre>
 */
public final class BenchWeb {
    /** The current pages: overview and interval pages most, the rest now and then. */
    static final String[] MIX = {
        "/", "/", "/transaction?tran=checkout", "/transaction?tran=login", "/transaction?tran=search",
        "/path?tran=checkout&path=1", "/path?tran=login&path=1", "/alerts", "/alerts",
        "/tiers?tran=checkout", "/flow?tran=checkout", "/server-load?tran=checkout&server=11",
        "/summary?tran=checkout&path=2", "/sub-transactions?tran=checkout&scroll=8",
        "/sub-transactions?tran=checkout&continue=8&scroll=8", "/rules?tran=checkout",
        "/reports/current-alerts", "/api/reports/response-time?tran=checkout", "/api/reports/all-transactions",
        "/reports/path-ports?tran=checkout&path=3",
    };
    static final List<String> CASES = List.of("trend-24h", "trend-30d", "mixed");
    static final int WARM_UP_PAGES = 300;

    /** The benchmark's settings. */
    record Settings(String jar, String libPath, int clients, int seconds, int days, int fineDays, int trans,
            int paths, int interval, List<String> stores, List<String> cases) {
        List<String> tranNames() {
            List<String> out = new ArrayList<>();
            for (int t = 1; t <= trans; t++) out.add(String.format(Locale.ROOT, "bench-%02d", t));
            return out;
        }
    }

    public static void main(String[] args) throws Exception {
        String jar = null, libPath = null;
        int clients = 16, seconds = 30, days = 30, fineDays = 7, trans = 50, paths = 5, interval = 300;
        List<String> stores = List.of("sqlite", "postgresql"), cases = CASES;
        try {
            for (int i = 0; i < args.length; i++) {
                switch (args[i]) {
                    case "--server-jar": jar = args[++i]; break;
                    case "--library-path": libPath = args[++i]; break;
                    case "--clients": clients = Integer.parseInt(args[++i]); break;
                    case "--seconds": seconds = Integer.parseInt(args[++i]); break;
                    case "--days": days = Integer.parseInt(args[++i]); break;
                    case "--fine-days": fineDays = Integer.parseInt(args[++i]); break;
                    case "--trans": trans = Integer.parseInt(args[++i]); break;
                    case "--paths": paths = Integer.parseInt(args[++i]); break;
                    case "--interval": interval = Integer.parseInt(args[++i]); break;
                    case "--stores": stores = List.of(args[++i].split(",")); break;
                    case "--cases": cases = List.of(args[++i].split(",")); break;
                    default: throw new IllegalArgumentException("unknown option " + args[i]);
                }
            }
            for (String st : stores)
                if (!st.equals("sqlite") && !st.equals("postgresql")) throw new IllegalArgumentException("store " + st);
            for (String c : cases) if (!CASES.contains(c)) throw new IllegalArgumentException("case " + c);
        } catch (RuntimeException e) {
            System.err.println("bench-web: " + e.getMessage() + "\nusage: bench-web [--clients N] [--seconds S]"
                    + " [--days D] [--fine-days F] [--trans T] [--paths P] [--interval SECONDS]"
                    + " [--stores sqlite,postgresql] [--cases trend-24h,trend-30d,mixed]");
            System.exit(2);
        }
        if (jar == null || libPath == null) {
            System.err.println("bench-web: --server-jar and --library-path are required (./vyt bench-web sets them)");
            System.exit(2);
        }
        Settings s = new Settings(Path.of(jar).toAbsolutePath().toString(), Path.of(libPath).toAbsolutePath().toString(),
                clients, seconds, days, fineDays, trans, paths, interval, stores, cases);
        System.err.printf(Locale.ROOT, "bench-web: %s UTC, %d CPUs, load %s; %d clients, %d s per case; history of %d"
                + " days (the last %d at %d s, hourly before) x %d transactions x %d paths%n",
                Instant.now().truncatedTo(ChronoUnit.SECONDS), Runtime.getRuntime().availableProcessors(),
                Files.readString(Path.of("/proc/loadavg")).trim(), clients, seconds, days, Math.min(fineDays, days),
                interval, trans, paths);
        try (Collector collector = Collector.start(0, Sample.DataSet.STANDARD, interval)) {
            for (String store : stores) runStore(s, store, collector);
        }
    }

    static void runStore(Settings s, String storeName, Collector collector) throws Exception {
        // A front end that names its collectors (--collector NAME=HOST:PORT) keeps their history under
        // that name; one that does not is named after the address.
        String address = collector.host() + ":" + collector.port();
        String help = serverHelp(s);
        boolean named = help.contains("[NAME=]HOST:PORT");
        String name = named ? "bench" : address;
        Path work = Files.createTempDirectory("vyt-bench-web");
        PostgresServer pg = null;
        String pgUrl = null;
        try {
            StoreOptions options;
            List<String> storeArgs;
            if (storeName.equals("postgresql")) {
                if (!PostgresServer.available()) {
                    System.err.println("bench-web postgresql: skipped, " + PostgresServer.BIN + "/initdb and pg_ctl are"
                            + " missing (./vyt installs postgresql with the test packages)");
                    return;
                }
                pg = new PostgresServer();
                pgUrl = pg.newDatabase();
                Path pw = work.resolve("db-password");
                Files.writeString(pw, PostgresServer.PASSWORD + "\n");
                options = StoreOptions.postgresql(pgUrl, pw);
                storeArgs = List.of("--db", pgUrl, "--db-password-file", pw.toString());
            } else {
                options = StoreOptions.sqlite(work.resolve("data"));
                storeArgs = List.of("--data", work.resolve("data").toString());
            }
            // The history ends at the last full hour: the hourly part ends where the fine part starts.
            long now = System.currentTimeMillis() / 1000 / 3600 * 3600;
            int fine = Math.min(s.fineDays, s.days), coarse = s.days - fine;
            int pathCount = s.trans * s.paths + 6;
            try (HistoryStore store = HistoryStore.open(options)) {
                long t0 = System.nanoTime();
                int n = 0;
                if (coarse > 0) {
                    n += SeedHistory.seed(store, name, s.tranNames(), s.paths, coarse, 3600, now - fine * 86_400L);
                    n += SeedHistory.seed(store, name, Sample.DataSet.STANDARD, coarse, 3600, now - fine * 86_400L);
                }
                if (pg != null) vacuum(pgUrl);
                long before = store.sizeBytes();
                long t1 = System.nanoTime();
                int m = SeedHistory.seed(store, name, s.tranNames(), s.paths, fine, s.interval, now);
                m += SeedHistory.seed(store, name, Sample.DataSet.STANDARD, fine, s.interval, now);
                long t2 = System.nanoTime();
                long size = store.sizeBytes();
                System.err.printf(Locale.ROOT, "bench-web %s: seeded %d paths: %d days hourly (%d intervals, %.1f s),"
                        + " then %d days at %d s (%d intervals, %.1f s = %.0f intervals/s); store %.1f MB;"
                        + " the days at %d s grew it by %.0f bytes per day per path%n", storeName, pathCount, coarse,
                        n, (t1 - t0) / 1e9, fine, s.interval, m, (t2 - t1) / 1e9, m / ((t2 - t1) / 1e9),
                        size / 1048576.0, s.interval, fine == 0 ? 0.0 : (size - before) / (double) fine / pathCount);
                if (pg != null && fine > 0) {
                    // Seeding updates each path's latest row once per interval: measure again without the dead rows.
                    vacuum(pgUrl);
                    long vacuumed = store.sizeBytes();
                    System.err.printf(Locale.ROOT, "bench-web %s: after VACUUM FULL the store is %.1f MB; the days at"
                            + " %d s take %.0f bytes per day per path%n", storeName, vacuumed / 1048576.0, s.interval,
                            (vacuumed - before) / (double) fine / pathCount);
                }
            }
            List<String> cmd = new ArrayList<>(List.of(Path.of(System.getProperty("java.home"), "bin", "java")
                    .toString(), "-Djava.library.path=" + s.libPath, "-jar", s.jar, "--port", "0",
                    "--collector", named ? name + "=" + address : address,
                    "--access-log", work.resolve("access.log").toString()));
            if (help.contains(storeArgs.get(0) + " ") || help.contains(storeArgs.get(0) + "=")) {
                cmd.addAll(storeArgs);
            } else {
                System.err.println("bench-web " + storeName + ": vyt web takes no " + storeArgs.get(0)
                        + " option yet; it runs without the seeded history");
            }
            Process server = new ProcessBuilder(cmd).directory(work.toFile())
                    .redirectError(work.resolve("server.log").toFile()).start();
            try {
                String url;
                try {
                    url = awaitUrl(server);
                } catch (IOException e) {
                    throw new IOException(e.getMessage() + ":\n" + Files.readString(work.resolve("server.log")), e);
                }
                String base = url.substring(0, url.length() - 1);
                HttpClient[] http = clients(s.clients);
                List<String> trans = new ArrayList<>();
                for (String t : s.tranNames()) trans.add(named ? t + "&collector=" + name : t);
                for (String c : s.cases) {
                    phase(http, base, c, trans, s.clients, WARM_UP_PAGES, Long.MAX_VALUE, new AtomicInteger(),
                            new ArrayList<>());
                    AtomicInteger errors = new AtomicInteger();
                    List<long[]> latencies = new ArrayList<>();
                    long t0 = System.nanoTime();
                    int pages = phase(http, base, c, trans, s.clients, Integer.MAX_VALUE,
                            t0 + s.seconds * 1_000_000_000L, errors, latencies);
                    double secs = (System.nanoTime() - t0) / 1e9;
                    long[] all = latencies.stream().flatMapToLong(Arrays::stream).filter(v -> v > 0).sorted()
                            .toArray();
                    System.out.printf(Locale.ROOT, "bench-web %s %s: %.0f pages/s, p50 %.1f ms, p99 %.1f ms,"
                            + " errors %d%n", storeName, c, pages / secs, pct(all, 50), pct(all, 99), errors.get());
                    System.out.flush();
                }
            } finally {
                server.destroy();
                server.waitFor();
            }
        } finally {
            if (pg != null) pg.close();
            try (Stream<Path> all = Files.walk(work)) {
                for (Path f : all.sorted(Comparator.reverseOrder()).toList()) Files.deleteIfExists(f);
            }
        }
    }

    private static void vacuum(String url) throws java.sql.SQLException {
        java.util.Properties p = new java.util.Properties();
        p.setProperty("password", PostgresServer.PASSWORD);
        try (java.sql.Connection c = java.sql.DriverManager.getConnection(url, p);
             java.sql.Statement st = c.createStatement()) {
            st.execute("VACUUM FULL");
        }
    }

    /** The web server's --help text, to know which history options it takes. */
    private static String serverHelp(Settings s) throws IOException, InterruptedException {
        Process p = new ProcessBuilder(Path.of(System.getProperty("java.home"), "bin", "java").toString(),
                "-Djava.library.path=" + s.libPath, "-jar", s.jar, "--help").redirectErrorStream(true).start();
        String out = new String(p.getInputStream().readAllBytes(), StandardCharsets.UTF_8);
        p.waitFor();
        return out;
    }

    private static HttpClient[] clients(int n) {
        // Each client is a browser of its own: its own connections and cookies (so one session).
        HttpClient[] http = new HttpClient[n];
        for (int c = 0; c < n; c++) {
            http[c] = HttpClient.newBuilder().version(HttpClient.Version.HTTP_1_1).cookieHandler(new CookieManager())
                    .connectTimeout(Duration.ofSeconds(5)).build();
        }
        return http;
    }

    /** Page {@code i} of a case. */
    static String page(String benchCase, List<String> trans, long i) {
        switch (benchCase) {
            case "trend-24h": return "/trend?tran=" + trans.get((int) (i % trans.size())) + "&range=24h";
            case "trend-30d": return "/trend?tran=" + trans.get((int) (i % trans.size())) + "&range=30d";
            default:
                if (i % 2 == 0) return MIX[(int) (i / 2 % MIX.length)];
                return "/trend?tran=" + trans.get((int) (i / 2 % trans.size())) + (i % 4 == 1 ? "&range=24h"
                        : "&range=30d");
        }
    }

    private static String awaitUrl(Process server) throws IOException {
        BufferedReader r = new BufferedReader(new InputStreamReader(server.getInputStream(), StandardCharsets.UTF_8));
        for (String line; (line = r.readLine()) != null; ) {
            if (line.startsWith("serving ")) return line.substring("serving ".length()).trim();
        }
        throw new IOException("vyt web ended without serving; see its log");
    }

    private static double pct(long[] sorted, int p) {
        if (sorted.length == 0) return 0;
        return sorted[Math.min(sorted.length - 1, (int) Math.ceil(sorted.length * p / 100.0) - 1)] / 1e6;
    }

    /** Requests pages from {@code clients} threads until {@code maxPages} are done or the deadline passes. */
    private static int phase(HttpClient[] http, String base, String benchCase, List<String> trans, int clients,
            int maxPages, long deadline, AtomicInteger errors, List<long[]> latencies) throws InterruptedException {
        AtomicLong next = new AtomicLong();
        AtomicInteger completed = new AtomicInteger();
        CountDownLatch done = new CountDownLatch(clients);
        for (int c = 0; c < clients; c++) {
            long[] lat = new long[200_000];
            latencies.add(lat);
            HttpClient client = http[c];
            Thread t = new Thread(() -> {
                int n = 0;
                try {
                    while (System.nanoTime() < deadline) {
                        long i = next.getAndIncrement();
                        if (i >= maxPages) break;
                        HttpRequest req = HttpRequest.newBuilder(URI.create(base + page(benchCase, trans, i)))
                                .timeout(Duration.ofSeconds(30)).build();
                        long s = System.nanoTime();
                        try {
                            HttpResponse<byte[]> r = client.send(req, HttpResponse.BodyHandlers.ofByteArray());
                            if (r.statusCode() != 200) errors.incrementAndGet();
                        } catch (IOException e) {
                            errors.incrementAndGet();
                        }
                        if (n < lat.length) lat[n++] = System.nanoTime() - s;
                        completed.incrementAndGet();
                    }
                } catch (InterruptedException e) {
                    Thread.currentThread().interrupt();
                } finally {
                    done.countDown();
                }
            }, "bench-client-" + c);
            t.start();
        }
        done.await();
        return completed.get();
    }
}
