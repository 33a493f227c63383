package vyt.history.bench;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Random;
import vyt.history.Components;
import vyt.history.HistoryStore;
import vyt.history.IntervalSample;
import vyt.history.Series;
import vyt.history.SeriesQuery;
import vyt.history.StoreOptions;

/**
 * Loads DAYS x TRANS x PATHS of 5-minute intervals into an SQLite history under DIR (a new
 * temporary folder by default), or a PostgreSQL one when given its jdbc:postgresql: URL (the
 * password in VYT_DB_PASSWORD), and times a 24-hour and a 30-day series of one path and of the
 * whole transaction. Usage: java -jar vythistory-bench.jar [DIR|URL [DAYS [TRANS [PATHS]]]]
 */
public final class HistoryBench {
    private HistoryBench() {
    }

    public static void main(String[] args) throws Exception {
        StoreOptions options = args.length > 0 && args[0].startsWith("jdbc:") ? StoreOptions.postgresql(args[0], null)
                : StoreOptions.sqlite(args.length > 0 ? Path.of(args[0]) : Files.createTempDirectory("vyt-history-bench"));
        int days = args.length > 1 ? Integer.parseInt(args[1]) : 30;
        int trans = args.length > 2 ? Integer.parseInt(args[2]) : 50;
        int paths = args.length > 3 ? Integer.parseInt(args[3]) : 5;
        int step = 300;
        long end = (System.currentTimeMillis() / 1000) / 86_400 * 86_400;
        long begin = end - days * 86_400L;
        Random random = new Random(42);
        try (HistoryStore store = HistoryStore.open(options)) {
            System.out.println("history-bench: " + store.describe() + ", " + days + " days x " + trans
                    + " transactions x " + paths + " paths at " + step + " s");
            long t0 = System.nanoTime();
            long rows = 0;
            boolean loaded = !store.latest("bench").isEmpty();
            if (loaded) System.out.println("history-bench: the folder holds a loaded history; timing the queries only");
            for (int t = 0; t < (loaded ? 0 : trans); t++) {
                for (long day = begin; day < end; day += 86_400) {
                    List<IntervalSample> batch = new ArrayList<>(paths * 288);
                    for (int p = 1; p <= paths; p++) {
                        for (long s = day; s < day + 86_400; s += step) {
                            double net = 20 + random.nextInt(40), server = 50 + random.nextInt(200);
                            double app = 10 + random.nextInt(100), wait = random.nextInt(30);
                            batch.add(new IntervalSample("bench", "tran-" + t, p, s, step,
                                    new Components<>(net, server, app, wait, net + server + app + wait),
                                    1 + random.nextInt(500), new Components<>(0, 0, 0, 0, random.nextInt(3)),
                                    new Components<>(100.0, 400.0, 200.0, 50.0, 700.0), false));
                        }
                    }
                    store.writeIntervals(batch);
                    rows += batch.size();
                }
            }
            double load = (System.nanoTime() - t0) / 1e9;
            long size = store.sizeBytes();
            if (!loaded) System.out.printf("history-bench load: %d intervals in %.1f s (%.0f intervals/s)%n", rows, load, rows / load);
            System.out.printf("history-bench size: %.1f MB, %.1f KB per path per day%n", size / 1e6,
                    size / 1e3 / ((double) days * trans * paths));
            query(store, "24h", new SeriesQuery("bench", "tran-7", 3, end - 86_400, end));
            query(store, "30d", new SeriesQuery("bench", "tran-7", 3, end - 30 * 86_400L, end));
            query(store, "24h-transaction", new SeriesQuery("bench", "tran-7", null, end - 86_400, end));
            query(store, "30d-transaction", new SeriesQuery("bench", "tran-7", null, end - 30 * 86_400L, end));
        }
    }

    private static void query(HistoryStore store, String name, SeriesQuery q) {
        int runs = 200;
        double[] ms = new double[runs];
        int points = 0;
        for (int i = 0; i < runs; i++) {
            long t0 = System.nanoTime();
            Series s = store.series(q);
            ms[i] = (System.nanoTime() - t0) / 1e6;
            points = s.points().size();
        }
        double first = ms[0];
        Arrays.sort(ms);
        System.out.printf("history-bench series %s: %d points, first %.2f ms, p50 %.2f ms, p99 %.2f ms%n", name, points,
                first, ms[runs / 2], ms[runs * 99 / 100]);
    }
}
