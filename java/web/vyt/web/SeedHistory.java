package vyt.web;

import java.util.ArrayList;
import java.util.List;
import vyt.collector.Model;
import vyt.collector.Sample;
import vyt.history.AlertInterval;
import vyt.history.Components;
import vyt.history.HistoryStore;
import vyt.history.IntervalSample;

/**
 * Writes a generated history of the sample collector's transactions into a store: the same
 * {@link Model} the sample collector answers from, interval by interval, all marked as seeded,
 * with an alert interval for every run of intervals in which a component (or the total) is not
 * normal. Intervals are written one day at a time, so a week takes a few seconds.
 */
public final class SeedHistory {
    /** The alert kinds, one per component in {@link Model#COMPONENTS} order, then the total. */
    public static final String[] KINDS = {"network", "server", "application", "wait", "total"};

    private SeedHistory() {
    }

    /**
     * Stores {@code days} days of intervals and alerts, up to the interval before {@code now}
     * (epoch seconds), of the sample data set's transactions under {@code collector}, all marked
     * as seeded; returns the intervals written. Stored real intervals are never replaced.
     */
    public static int seed(HistoryStore store, String collector, Sample.DataSet set, int days, int intervalSeconds,
            long now) {
        Sample s = new Sample((int) now, set, intervalSeconds, lastStart(now, intervalSeconds));
        List<String[]> paths = new ArrayList<>();
        for (Sample.Transaction t : s.transactions)
            for (Sample.Path p : t.paths()) paths.add(new String[] {t.name(), Integer.toString(p.id())});
        return write(store, collector, paths, days, intervalSeconds, now, s.incidents);
    }

    /**
     * As {@link #seed(HistoryStore, String, Sample.DataSet, int, int, long)} for other transactions:
     * paths 1 to {@code pathsPerTran} of each, with the model's own incidents only.
     */
    public static int seed(HistoryStore store, String collector, List<String> trans, int pathsPerTran, int days,
            int intervalSeconds, long now) {
        List<String[]> paths = new ArrayList<>();
        for (String t : trans) for (int p = 1; p <= pathsPerTran; p++) paths.add(new String[] {t, Integer.toString(p)});
        return write(store, collector, paths, days, intervalSeconds, now, List.of());
    }

    /** The start of the last interval complete at {@code now}. */
    static int lastStart(long now, int intervalSeconds) {
        if (intervalSeconds < 1) throw new IllegalArgumentException("interval " + intervalSeconds + " s: at least 1");
        return (int) (Math.floorDiv(now, intervalSeconds) * intervalSeconds - intervalSeconds);
    }

    private static int write(HistoryStore store, String collector, List<String[]> paths, int days,
            int intervalSeconds, long now, List<Model.Incident> incidents) {
        if (days < 0) throw new IllegalArgumentException("days " + days + " is negative");
        long last = lastStart(now, intervalSeconds);
        long perDay = Math.max(1, 86_400 / intervalSeconds);
        long total = perDay * days;
        long first = last - (total - 1) * intervalSeconds;
        // Per path and kind: the start of the open run of non-normal intervals (or -1) and its worst state.
        long[][] runStart = new long[paths.size()][KINDS.length];
        int[][] runState = new int[paths.size()][KINDS.length];
        for (long[] r : runStart) java.util.Arrays.fill(r, -1);
        int written = 0;
        for (long dayFirst = 0; dayFirst < total; dayFirst += perDay) {
            List<IntervalSample> batch = new ArrayList<>((int) perDay * paths.size());
            List<AlertInterval> alerts = new ArrayList<>();
            for (long k = dayFirst; k < Math.min(total, dayFirst + perDay); k++) {
                long start = first + k * intervalSeconds;
                for (int i = 0; i < paths.size(); i++) {
                    String tran = paths.get(i)[0];
                    int path = Integer.parseInt(paths.get(i)[1]);
                    Model.Measure m = Model.at(tran, path, start, intervalSeconds, incidents);
                    int[] t = m.times();
                    int[] states = {m.state(0), m.state(1), m.state(2), m.state(3), m.totalState()};
                    batch.add(new IntervalSample(collector, tran, path, start, intervalSeconds,
                            new Components<>((double) t[0], (double) t[1], (double) t[2], (double) t[3],
                                    (double) m.total()), m.count(),
                            new Components<>(states[0], states[1], states[2], states[3], states[4]),
                            new Components<>((double) m.warn("Net"), (double) m.warn("Srv"), (double) m.warn("App"),
                                    (double) m.warn("Wait"), (double) m.warn("Tot")), true));
                    for (int c = 0; c < KINDS.length; c++) {
                        if (states[c] > 0) {
                            if (runStart[i][c] < 0) runStart[i][c] = start;
                            runState[i][c] = Math.max(runState[i][c], states[c]);
                        } else if (runStart[i][c] >= 0) {
                            alerts.add(new AlertInterval(collector, tran, path, KINDS[c], runStart[i][c], start,
                                    runState[i][c], true));
                            runStart[i][c] = -1;
                            runState[i][c] = 0;
                        }
                    }
                }
            }
            store.writeIntervals(batch);
            store.writeAlerts(alerts);
            written += batch.size();
        }
        // Runs still going on at the end close with the last interval: what follows is the collector's.
        List<AlertInterval> open = new ArrayList<>();
        for (int i = 0; i < paths.size(); i++) {
            for (int c = 0; c < KINDS.length; c++) {
                if (runStart[i][c] >= 0) {
                    open.add(new AlertInterval(collector, paths.get(i)[0], Integer.parseInt(paths.get(i)[1]), KINDS[c],
                            runStart[i][c], last + intervalSeconds, runState[i][c], true));
                }
            }
        }
        store.writeAlerts(open);
        return written;
    }
}
