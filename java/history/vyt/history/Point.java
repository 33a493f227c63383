package vyt.history;

/**
 * One point of a series at {@code start}. A gap (nothing stored: the collector was not reachable)
 * has no values. Otherwise {@code times} are the count-weighted mean components (null where no
 * transaction was measured), {@code states} the worst state, {@code thresholds} the highest
 * threshold, {@code intervals} how many collector intervals the point covers, and {@code seeded}
 * whether any of them is sample data.
 */
public record Point(long start, int length, boolean gap, Components<Double> times, long count,
        Components<Integer> states, Components<Double> thresholds, int intervals, boolean seeded) {
    static Point gap(long start, int length) {
        return new Point(start, length, true, Components.none(), 0, Components.none(), Components.none(), 0, false);
    }

    Point shiftedBy(long seconds) {
        return new Point(start + seconds, length, gap, times, count, states, thresholds, intervals, seeded);
    }
}
