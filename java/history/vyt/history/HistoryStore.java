package vyt.history;

import java.time.Duration;
import java.util.List;

/**
 * The front end's history: collector intervals of every transaction path, hourly roll-ups of them
 * and alert intervals, kept in an SQLite file or a shared PostgreSQL database. Writes are
 * idempotent (storing an interval or an alert again replaces it), a time the collector could not
 * be reached is a gap (nothing is stored for it), and every method is safe to call from several
 * threads. A failing database raises {@link HistoryException}.
 */
public interface HistoryStore extends AutoCloseable {
    /** Ranges longer than this (two days) are read from the hourly roll-ups. */
    long HOURLY_ABOVE_SECONDS = 2 * 86_400L;

    /** Opens (creating or migrating its schema) the store the options name. */
    static HistoryStore open(StoreOptions options) {
        return JdbcHistoryStore.open(options, System.getenv());
    }

    /**
     * Stores intervals (replacing any stored with the same collector, transaction, path and
     * start) and brings their hours' roll-ups up to date, in one transaction. Seeded sample data
     * never replaces a real interval.
     */
    void writeIntervals(List<IntervalSample> samples);

    /** Stores alerts, replacing the state and end of any stored with the same key; a stored end is kept. */
    void writeAlerts(List<AlertInterval> alerts);

    /** The trend over the query's range: intervals for short ranges, hourly roll-ups for long ones. */
    Series series(SeriesQuery query);

    /** The same trend {@code earlier} before (a day, a week), its points moved onto the query's range. */
    Series shifted(SeriesQuery query, Duration earlier);

    /**
     * The alerts overlapping [from, to), oldest first; a null collector or transaction means all.
     */
    List<AlertInterval> alerts(String collector, String tran, long from, long to);

    /** The newest stored interval of every transaction path of the collector. */
    List<IntervalSample> latest(String collector);

    /** Deletes what is older than the retention at {@code now} (epoch seconds). */
    PruneResult prune(long now);

    /** The bytes the history takes in its file or database. */
    long sizeBytes();

    /** The schema version the store is at. */
    int schemaVersion();

    /** Where the history is, for the start-up line (never with a password). */
    String describe();

    @Override
    void close();

    static void requireName(String what, String value) {
        if (value == null || value.isBlank()) throw new IllegalArgumentException("the " + what + " name is missing");
    }
}
