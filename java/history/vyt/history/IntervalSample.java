package vyt.history;

import java.util.Objects;

/**
 * One collector interval of one transaction path: its start (epoch seconds) and length, the mean
 * response-time components in ms, the transaction count, the alert state of each component and
 * the thresholds where the collector reports them. {@code seeded} marks generated sample data.
 */
public record IntervalSample(String collector, String tran, int path, long start, int length,
        Components<Double> times, long count, Components<Integer> states, Components<Double> thresholds,
        boolean seeded) {
    public IntervalSample {
        HistoryStore.requireName("collector", collector);
        HistoryStore.requireName("transaction", tran);
        if (path < 0) throw new IllegalArgumentException("path " + path + " is negative; paths are numbered from 0");
        if (length <= 0) throw new IllegalArgumentException("interval length " + length + " s is not positive");
        if (count < 0) throw new IllegalArgumentException("transaction count " + count + " is negative");
        Objects.requireNonNull(times, "times (use Components.none() when unknown)");
        Objects.requireNonNull(states, "states (use Components.none() when unknown)");
        Objects.requireNonNull(thresholds, "thresholds (use Components.none() when unknown)");
        for (int k = 0; k < 5; k++) {
            finite("time", times.get(k), k);
            finite("threshold", thresholds.get(k), k);
        }
    }

    private static void finite(String what, Double v, int component) {
        if (v != null && !Double.isFinite(v)) {
            throw new IllegalArgumentException("the " + Components.STEMS[component] + " " + what + " " + v
                    + " is not a number; store null for an unknown value");
        }
    }
}
