package vyt.history;

/**
 * A trend: one collector's transaction, one path of it or (path null) the whole transaction, from
 * {@code from} inclusive to {@code to} exclusive, in epoch seconds.
 */
public record SeriesQuery(String collector, String tran, Integer path, long from, long to) {
    public SeriesQuery {
        HistoryStore.requireName("collector", collector);
        HistoryStore.requireName("transaction", tran);
        if (path != null && path < 0) throw new IllegalArgumentException("path " + path + " is negative");
        if (to <= from) throw new IllegalArgumentException("the range ends (" + to + ") before it starts (" + from + ")");
    }

    /** Whether this range is long enough to read from the hourly roll-ups. */
    public boolean hourly() {
        return to - from > HistoryStore.HOURLY_ABOVE_SECONDS;
    }
}
