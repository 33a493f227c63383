package vyt.web.bench;

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
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Locale;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.atomic.AtomicInteger;
import java.util.concurrent.atomic.AtomicLong;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * The web front end's load benchmark: starts {@code vyt web} (with the sample collector in its
 * process) as a child process, warms it up with 1,000 pages, then lets 16 clients request a mix
 * of pages for 30 seconds. It prints pages per second, the 50th and 99th percentile latency, the
 * errors, and the server's heap after a full GC after the warm-up and at the end.
 *
 * <pre>
 * BenchWeb --server-jar vytweb.jar --library-path DIR [--clients N] [--seconds S]
 * </pre>
 */
public final class BenchWeb {
    /** The page mix: overview and interval pages most, the rest now and then. */
    static final String[] MIX = {
        "/", "/", "/transaction?tran=checkout", "/transaction?tran=login", "/transaction?tran=search",
        "/path?tran=checkout&path=1", "/path?tran=login&path=1", "/alerts", "/alerts",
        "/tiers?tran=checkout", "/flow?tran=checkout", "/server-load?tran=checkout&server=11",
        "/summary?tran=checkout&path=2", "/sub-transactions?tran=checkout&scroll=8",
        "/sub-transactions?tran=checkout&continue=8&scroll=8", "/rules?tran=checkout",
        "/reports/current-alerts", "/api/reports/response-time?tran=checkout", "/api/reports/all-transactions",
        "/reports/path-ports?tran=checkout&path=3",
    };
    static final int WARM_UP_PAGES = 1000;

    public static void main(String[] args) throws Exception {
        String jar = null, libPath = null;
        int clients = 16, seconds = 30;
        for (int i = 0; i < args.length; i++) {
            switch (args[i]) {
                case "--server-jar": jar = args[++i]; break;
                case "--library-path": libPath = args[++i]; break;
                case "--clients": clients = Integer.parseInt(args[++i]); break;
                case "--seconds": seconds = Integer.parseInt(args[++i]); break;
                default:
                    System.err.println("usage: bench-web [--clients N] [--seconds S]");
                    System.exit(2);
            }
        }
        if (jar == null || libPath == null) {
            System.err.println("bench-web: --server-jar and --library-path are required (./vyt bench-web sets them)");
            System.exit(2);
        }
        Path work = Files.createTempDirectory("vyt-bench-web");
        String java = Path.of(System.getProperty("java.home"), "bin", "java").toString();
        Process server = new ProcessBuilder(java, "-Djava.library.path=" + libPath, "-jar", jar, "--port", "0",
                "--access-log", work.resolve("access.log").toString())
                .directory(work.toFile()).redirectError(work.resolve("server.log").toFile()).start();
        try {
            String url = awaitUrl(server);
            run(url.substring(0, url.length() - 1), server.pid(), clients, seconds);
        } finally {
            server.destroy();
            server.waitFor();
        }
    }

    private static String awaitUrl(Process server) throws IOException {
        BufferedReader r = new BufferedReader(new InputStreamReader(server.getInputStream(), StandardCharsets.UTF_8));
        for (String line; (line = r.readLine()) != null; ) {
            if (line.startsWith("serving ")) return line.substring("serving ".length()).trim();
        }
        throw new IOException("vyt web ended without serving; see its log");
    }

    static void run(String base, long pid, int clients, int seconds) throws Exception {
        System.out.printf(Locale.ROOT, "bench-web: %d clients for %d s against %s/ (sample collector in its process),"
                + " %d CPUs%n", clients, seconds, base, Runtime.getRuntime().availableProcessors());
        // Each client is a browser of its own: its own connections and cookies (so one session).
        HttpClient[] http = new HttpClient[clients];
        for (int c = 0; c < clients; c++) {
            http[c] = HttpClient.newBuilder().version(HttpClient.Version.HTTP_1_1).cookieHandler(new CookieManager())
                    .connectTimeout(Duration.ofSeconds(5)).build();
        }
        AtomicInteger errors = new AtomicInteger();
        // Warm-up: 1,000 pages, then the heap after a full GC.
        phase(http, base, clients, WARM_UP_PAGES, Long.MAX_VALUE, errors, new ArrayList<>());
        long heapStart = heapAfterGc(pid);
        int warmErrors = errors.getAndSet(0);
        List<long[]> latencies = new ArrayList<>();
        long t0 = System.nanoTime();
        int pages = phase(http, base, clients, Integer.MAX_VALUE, t0 + seconds * 1_000_000_000L, errors, latencies);
        double secs = (System.nanoTime() - t0) / 1e9;
        long heapEnd = heapAfterGc(pid);
        long[] all = latencies.stream().flatMapToLong(Arrays::stream).filter(v -> v > 0).sorted().toArray();
        System.out.printf(Locale.ROOT, "pages: %d in %.1f s = %.0f pages/s%n", pages, secs, pages / secs);
        System.out.printf(Locale.ROOT, "latency: p50 %.1f ms, p99 %.1f ms, max %.1f ms%n", pct(all, 50), pct(all, 99),
                all.length == 0 ? 0 : all[all.length - 1] / 1e6);
        System.out.printf(Locale.ROOT, "errors: %d (warm-up: %d)%n", errors.get(), warmErrors);
        System.out.printf(Locale.ROOT, "server heap after GC: %.1f MB after %d pages, %.1f MB after %d pages%n",
                heapStart / 1048576.0, WARM_UP_PAGES, heapEnd / 1048576.0, WARM_UP_PAGES + pages);
    }

    private static double pct(long[] sorted, int p) {
        if (sorted.length == 0) return 0;
        return sorted[Math.min(sorted.length - 1, (int) Math.ceil(sorted.length * p / 100.0) - 1)] / 1e6;
    }

    /** Requests pages from {@code clients} threads until {@code maxPages} are done or the deadline passes. */
    private static int phase(HttpClient[] http, String base, int clients, int maxPages, long deadline,
            AtomicInteger errors, List<long[]> latencies) throws InterruptedException {
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
                        HttpRequest req = HttpRequest.newBuilder(URI.create(base + MIX[(int) (i % MIX.length)]))
                                .timeout(Duration.ofSeconds(10)).build();
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

    /** The server's heap in use after a full GC, from jcmd. */
    static long heapAfterGc(long pid) throws IOException, InterruptedException {
        jcmd(pid, "GC.run");
        String info = jcmd(pid, "GC.heap_info");
        Matcher m = Pattern.compile("used (\\d+)K").matcher(info);
        if (!m.find()) throw new IOException("no heap figure from jcmd GC.heap_info: " + info);
        return Long.parseLong(m.group(1)) * 1024;
    }

    private static String jcmd(long pid, String command) throws IOException, InterruptedException {
        String jcmd = Path.of(System.getProperty("java.home"), "bin", "jcmd").toString();
        Process p = new ProcessBuilder(jcmd, Long.toString(pid), command).redirectErrorStream(true).start();
        String out = new String(p.getInputStream().readAllBytes(), StandardCharsets.UTF_8);
        if (p.waitFor() != 0) throw new IOException("jcmd " + command + " failed: " + out);
        return out;
    }
}
