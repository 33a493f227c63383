package vyt.web;

import java.time.Duration;
import java.util.List;
import java.util.function.Function;
import vyt.history.AlertInterval;
import vyt.history.HistoryException;
import vyt.history.HistoryStore;
import vyt.history.IntervalSample;
import vyt.history.PruneResult;
import vyt.history.Series;
import vyt.history.SeriesQuery;
import vyt.history.StoreOptions;

/**
 * The history store of a database that may not be reachable when the front end starts: each
 * call opens it until that succeeds, and until then fails as the opening did. The front end thus
 * starts, shows its current pages and keeps polling while the database is down.
 */
final class OpeningStore implements HistoryStore {
    private final StoreOptions options;
    private final Function<StoreOptions, HistoryStore> opener;
    private volatile HistoryStore real;

    OpeningStore(StoreOptions options, Function<StoreOptions, HistoryStore> opener) {
        this.options = options;
        this.opener = opener;
    }

    /** How long a failed opening is repeated to callers before the next try. */
    static final long RETRY_MS = 5000;
    private HistoryException lastFault;
    private long lastTry;

    /** The store, opening it now if it is not yet open (at most once per {@link #RETRY_MS}). */
    private HistoryStore real() {
        HistoryStore r = real;
        if (r != null) return r;
        synchronized (this) {
            if (real != null) return real;
            long now = System.currentTimeMillis();
            if (lastFault != null && now - lastTry < RETRY_MS) throw lastFault;
            lastTry = now;
            try {
                real = opener.apply(options);
            } catch (HistoryException e) {
                lastFault = e;
                throw e;
            }
            return real;
        }
    }

    /** Tries to open the store now; the fault when it cannot. */
    HistoryException tryOpen() {
        try {
            real();
            return null;
        } catch (HistoryException e) {
            return e;
        }
    }

    @Override
    public void writeIntervals(List<IntervalSample> samples) {
        real().writeIntervals(samples);
    }

    @Override
    public void writeAlerts(List<AlertInterval> alerts) {
        real().writeAlerts(alerts);
    }

    @Override
    public Series series(SeriesQuery query) {
        return real().series(query);
    }

    @Override
    public Series shifted(SeriesQuery query, Duration earlier) {
        return real().shifted(query, earlier);
    }

    @Override
    public List<AlertInterval> alerts(String collector, String tran, long from, long to) {
        return real().alerts(collector, tran, from, to);
    }

    @Override
    public List<IntervalSample> latest(String collector) {
        return real().latest(collector);
    }

    @Override
    public PruneResult prune(long now) {
        return real().prune(now);
    }

    @Override
    public long sizeBytes() {
        return real().sizeBytes();
    }

    @Override
    public int schemaVersion() {
        return real().schemaVersion();
    }

    @Override
    public String describe() {
        HistoryStore r = real;
        if (r != null) return r.describe();
        if (options.dbUrl() == null) return "SQLite under " + options.dataDir().toAbsolutePath() + " (not open yet)";
        int q = options.dbUrl().indexOf('?');
        return "PostgreSQL " + (q < 0 ? options.dbUrl() : options.dbUrl().substring(0, q)) + " (not reachable yet)";
    }

    @Override
    public void close() {
        HistoryStore r = real;
        if (r != null) r.close();
    }
}
