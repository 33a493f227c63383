package vyt.history;

/**
 * An alert of one transaction path from {@code start} to {@code end} (epoch seconds; a null end
 * is an alert still open), with its state and its kind (the component or event type it is about).
 * Stored alerts are keyed by collector, transaction, path, kind and start: storing the same alert
 * again updates its end and state.
 */
public record AlertInterval(String collector, String tran, int path, String kind, long start, Long end, int state,
        boolean seeded) {
    public AlertInterval {
        HistoryStore.requireName("collector", collector);
        HistoryStore.requireName("transaction", tran);
        HistoryStore.requireName("alert kind", kind);
        if (path < 0) throw new IllegalArgumentException("path " + path + " is negative; paths are numbered from 0");
        if (end != null && end < start) {
            throw new IllegalArgumentException("alert ends at " + end + ", before its start " + start);
        }
    }
}
