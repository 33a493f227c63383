package vyt.web;

import java.time.Duration;
import java.time.Instant;
import java.util.EnumSet;
import java.util.List;
import java.util.Map;
import java.util.concurrent.ConcurrentHashMap;
import org.vytjni.api.Report;
import vyt.catalog.Catalog;
import vyt.client.Client;
import vyt.client.ClientException;

/**
 * One named collector the front end shows: its client, and, when it is polled, the reports of
 * its last good poll and how fresh they are. Pages read reports from here: a report the poll
 * fetched, else one fetched live once and kept until the next poll. Rule changes always go to
 * the collector. When the collector fails, the last good reports stay on show.
 */
final class Source {
    /** A report's key: its kind and the selection arguments the kind takes (the others reset). */
    record Key(String kind, Client.Selection sel) {
        static Key of(Catalog.Kind k, Client.Selection s) {
            Client.Selection n = Client.Selection.NONE;
            EnumSet<Catalog.Selection> t = k.selections().isEmpty() ? EnumSet.noneOf(Catalog.Selection.class)
                    : EnumSet.copyOf(k.selections());
            if (t.contains(Catalog.Selection.TRAN)) n = n.tran(s.tran());
            if (t.contains(Catalog.Selection.SUB)) n = n.sub(s.sub());
            if (t.contains(Catalog.Selection.PATH)) n = n.path(s.path());
            if (t.contains(Catalog.Selection.SERVER)) n = n.server(s.server());
            if (t.contains(Catalog.Selection.VIEW)) n = n.view(s.view());
            if (t.contains(Catalog.Selection.CONTINUE)) n = n.continueAt(s.continueIdx(), n.continueIdx2());
            if (t.contains(Catalog.Selection.CONTINUE2)) n = n.continueAt(n.continueIdx(), s.continueIdx2());
            if (t.contains(Catalog.Selection.SCROLL)) n = n.scroll(s.scroll());
            return new Key(k.name(), n);
        }
    }

    final String name;
    final Client client;
    /** The built-in sample collector. */
    final boolean sample;
    /** How often it is polled; null when it is not (every page asks it live). */
    final Duration interval;

    private volatile Map<Key, Report> polled = Map.of();
    private final Map<Key, Report> live = new ConcurrentHashMap<>();
    /** Reports fetched live before the last good poll: shown only while the collector fails. */
    private final Map<Key, Report> previous = new ConcurrentHashMap<>();
    /** Most reports kept from before the last good poll. */
    static final int MAX_PREVIOUS = 5000;
    private volatile Instant lastGood;
    private volatile Instant lastTry;
    private volatile String lastError;
    private volatile int transactions = -1;
    private volatile int worst = -1;

    Source(String name, Client client, boolean sample, Duration interval) {
        this.name = name;
        this.client = client;
        this.sample = sample;
        this.interval = interval;
    }

    boolean polled() {
        return interval != null;
    }

    /** The report for a page: from the last poll, else fetched now and kept until the next poll. */
    Report report(Catalog.Kind k, Client.Selection sel, boolean trace) throws ClientException {
        if (!polled() || trace || k.changesRules()) return client.fetch(k, sel, trace);
        Key key = Key.of(k, sel);
        Report r = polled.get(key);
        if (r == null) r = live.get(key);
        if (r != null) return r;
        try {
            r = client.fetch(k, sel, false);
        } catch (ClientException e) {
            Report last = previous.get(key);
            if (last == null || !outage(e)) throw e;
            return last;  // the collector fails: the last good report stays on show
        }
        live.put(key, r);
        return r;
    }

    /** A failure of the collector, not of the request. */
    private static boolean outage(ClientException e) {
        switch (e.reason) {
            case BAD_REQUEST: case TRAN_NOT_FOUND: case PATH_NOT_FOUND: case SERVER_NOT_FOUND: return false;
            default: return true;
        }
    }

    /** A rule change went to the collector: what was fetched live (rule lists among it) is fetched again. */
    void rulesChanged() {
        live.clear();
        previous.clear();
    }

    /** A poll ended well: its reports replace the cache, the live ones are dropped. */
    void refreshed(Map<Key, Report> reports, Instant at, int transactions, int worst) {
        polled = Map.copyOf(reports);
        if (previous.size() + live.size() > MAX_PREVIOUS) previous.clear();
        previous.putAll(live);
        live.clear();
        lastGood = at;
        lastTry = at;
        lastError = null;
        this.transactions = transactions;
        this.worst = worst;
    }

    /** A poll failed: the last good reports stay on show. */
    void failed(String why, Instant at) {
        lastTry = at;
        lastError = why;
    }

    Instant lastGood() {
        if (polled()) return lastGood;
        Client.State st = client.state();
        return st != null && st.ok() ? Instant.ofEpochMilli(st.atMillis()) : null;
    }

    String lastError() {
        return lastError;
    }

    int transactions() {
        return transactions;
    }

    /** The worst current alert state of the last good poll, or -1 when unknown. */
    int worst() {
        return worst;
    }

    /** Whether the data on show is older than two poll intervals (or the collector has never answered a poll). */
    boolean stale(Instant now) {
        if (!polled()) return false;
        Instant good = lastGood;
        if (good == null) return lastTry != null;
        return Duration.between(good, now).compareTo(interval.multipliedBy(2)) > 0;
    }

    /** "ok", "stale", "unreachable" (no good poll yet, the last failed) or "waiting" (no poll ended yet). */
    String state(Instant now) {
        if (!polled()) {
            Client.State st = client.state();
            return st == null ? "waiting" : st.ok() ? "ok" : "unreachable";
        }
        if (lastGood == null) return lastTry == null ? "waiting" : "unreachable";
        return stale(now) ? "stale" : "ok";
    }

    View view(List<String> names, Instant now) {
        return new View(name, names, lastGood(), interval == null ? Duration.ofSeconds(CollectorSet.DEFAULT_POLL)
                : interval, stale(now), sample);
    }
}
