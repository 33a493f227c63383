package vyt.web;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Path;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import vyt.collector.Sample;
import vyt.history.AlertInterval;
import vyt.history.Components;
import vyt.history.HistoryStore;
import vyt.history.IntervalSample;
import vyt.history.Point;
import vyt.history.SeriesQuery;
import vyt.history.StoreOptions;

/** Seeding the sample history fills every path's intervals and keeps what the collector stored. */
class SeedHistoryTest {
    static final long NOW = 1_765_000_123L;

    @Test
    void twoDaysOfEveryPathAreSeededAroundAStoredRealInterval(@TempDir Path dir) {
        long last = NOW - NOW % 300 - 300;
        long realStart = last - 10 * 300;
        try (HistoryStore store = HistoryStore.open(StoreOptions.sqlite(dir))) {
            store.writeIntervals(List.of(new IntervalSample("sample", "checkout", 1, realStart, 300,
                    new Components<>(1.0, 2.0, 3.0, 4.0, 10.0), 7, Components.none(), Components.none(), false)));

            int paths = 6;  // checkout 3, login 1, search 2; nightly-export has none
            assertEquals(2 * 288 * paths, SeedHistory.seed(store, "sample", Sample.DataSet.STANDARD, 2, 300, NOW));

            for (String[] tp : new String[][] {{"checkout", "1"}, {"checkout", "3"}, {"login", "1"}, {"search", "2"}}) {
                List<Point> points = store.series(new SeriesQuery("sample", tp[0], Integer.parseInt(tp[1]),
                        last - 2 * 86_400 + 300, last + 300)).points();
                assertEquals(2 * 288, points.size(), tp[0] + "/" + tp[1]);
                for (Point p : points) {
                    String where = tp[0] + "/" + tp[1] + " at " + p.start();
                    assertFalse(p.gap(), where);
                    boolean real = tp[0].equals("checkout") && tp[1].equals("1") && p.start() == realStart;
                    assertEquals(!real, p.seeded(), where);
                    Components<Double> t = p.times();
                    assertEquals(t.network() + t.server() + t.application() + t.waiting(), t.total(), 1e-9, where);
                    if (real) assertEquals(List.of(10.0, 7L), List.of(t.total(), p.count()), where);
                }
            }
            List<AlertInterval> alerts = store.alerts("sample", null, last - 2 * 86_400, last + 300);
            assertFalse(alerts.isEmpty(), "the standing incidents give alerts");
            for (AlertInterval a : alerts) assertTrue(a.seeded() && a.state() > 0 && a.end() > a.start(), a.toString());
        }
    }
}
