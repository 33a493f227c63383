package vyt.web;

import vyt.collector.Sample;
import vyt.history.HistoryStore;

/** Writes a generated history of the sample collector's transactions into a store. */
final class SeedHistory {
    private SeedHistory() {
    }

    /**
     * Stores {@code days} days of intervals and alerts, up to the interval before {@code now}
     * (epoch seconds), of the sample data set's transactions under {@code collector}, all marked
     * as seeded; returns the intervals written. Stored real intervals are never replaced.
     */
    static int seed(HistoryStore store, String collector, Sample.DataSet set, int days, int intervalSeconds,
            long now) {
        throw new UnsupportedOperationException("seeding is not built yet");
    }
}
