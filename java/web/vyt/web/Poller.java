package vyt.web;

import java.time.Duration;
import java.time.Instant;
import java.time.LocalDateTime;
import java.time.ZoneId;
import java.time.ZonedDateTime;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.HashSet;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.concurrent.Executors;
import java.util.concurrent.ScheduledExecutorService;
import java.util.concurrent.TimeUnit;
import java.util.logging.Level;
import java.util.logging.Logger;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.vytjni.api.AlertState;
import org.vytjni.api.Report;
import org.vytjni.api.reports.AllTransactions;
import org.vytjni.api.reports.CurrentAlerts;
import org.vytjni.api.reports.EventAlerts;
import org.vytjni.api.reports.ResponseTime;
import org.vytjni.api.reports.Summary;
import org.vytjni.api.reports.Thresholds;
import vyt.catalog.Catalog;
import vyt.client.Client;
import vyt.client.ClientException;
import vyt.history.AlertInterval;
import vyt.history.Components;
import vyt.history.HistoryException;
import vyt.history.HistoryStore;
import vyt.history.IntervalSample;

/**
 * Polls one collector once per interval on a thread of its own: the transactions, the response
 * time of every path, its thresholds (once an hour), the current alerts and the alert events. The reports feed
 * the pages ({@link Source#refreshed}); the intervals and alerts go to the history. The first
 * poll also stores the past intervals each path's summary carries. A collector that cannot be
 * reached writes nothing (a gap in the history); a bad reply for one transaction is logged and
 * the others are polled. Writes the store refuses are kept and written again at the next poll.
 */
final class Poller implements AutoCloseable {
    static final Logger LOG = Logger.getLogger("vyt.web.poll");
    /** Most intervals and alerts kept for a store that refuses writes. */
    static final int MAX_PENDING = 200_000;

    /** The history's condition: the last write's fault, or null while writes succeed. */
    static final class StoreHealth {
        private volatile HistoryException fault;
        private volatile Instant since;

        void ok() {
            if (fault != null) LOG.info("the history store takes writes again");
            fault = null;
            since = null;
        }

        void failed(HistoryException e) {
            if (fault == null) since = Instant.now();
            fault = e;
        }

        HistoryException fault() {
            return fault;
        }

        Instant since() {
            return since;
        }
    }

    private static final String[] KINDS = {"network", "server", "application", "wait", "total"};

    private final Source src;
    private final HistoryStore store;
    private final Metrics metrics;
    private final StoreHealth health;
    private final List<IntervalSample> pendingSamples = new ArrayList<>();
    private final List<AlertInterval> pendingAlerts = new ArrayList<>();
    /** The alerts open after the last poll, by key, to close those that are no longer current. */
    private Map<String, AlertInterval> open;
    private boolean openRead;
    private boolean first = true;
    /** How often the thresholds of every path are fetched again, in seconds. */
    static final long THRESHOLDS_EVERY = 3600;
    /** The warning thresholds of each path ("tran\npath"), as last fetched. */
    private final Map<String, Components<Double>> thresholds = new HashMap<>();
    private long limitsAt = Long.MIN_VALUE / 2;
    private boolean refreshLimits;
    private volatile int polls;
    private Runnable before;
    private ScheduledExecutorService thread;

    Poller(Source src, HistoryStore store, Metrics metrics, StoreHealth health) {
        this.src = src;
        this.store = store;
        this.metrics = metrics;
        this.health = health;
    }

    /** Work done once on the poll thread before the first poll (seeding a sample history). */
    Poller before(Runnable r) {
        before = r;
        return this;
    }

    void start() {
        thread = Executors.newSingleThreadScheduledExecutor(r -> {
            Thread t = new Thread(r, "vyt-poll-" + src.name);
            t.setDaemon(true);
            return t;
        });
        if (before != null) thread.execute(before);
        thread.scheduleAtFixedRate(this::pollQuietly, 0, src.interval.toMillis(), TimeUnit.MILLISECONDS);
    }

    @Override
    public void close() {
        if (thread != null) thread.shutdownNow();
    }

    private void pollQuietly() {
        try {
            poll(Instant.now());
        } catch (RuntimeException e) {
            LOG.log(Level.SEVERE, src.name + ": the poll failed", e);
            src.failed("internal error: " + e, Instant.now());
        }
    }

    /** A collector that is down or does not answer: the whole poll is a gap. */
    private static boolean outage(ClientException e) {
        return e.reason == ClientException.Reason.UNREACHABLE || e.reason == ClientException.Reason.TIMED_OUT;
    }

    private Report fetch(Map<Source.Key, Report> into, String kind, Client.Selection sel) throws ClientException {
        Catalog.Kind k = Catalog.byName(kind);
        long t0 = System.nanoTime();
        try {
            Report r = src.client.fetch(k, sel, false);
            into.put(Source.Key.of(k, sel), r);
            return r;
        } finally {
            if (metrics != null) metrics.exchange(src.name, (System.nanoTime() - t0) / 1e9);
        }
    }

    /** One poll at {@code now}; returns the intervals it stored (or would have: the store may refuse). */
    synchronized List<IntervalSample> poll(Instant now) {
        Map<Source.Key, Report> reports = new HashMap<>();
        List<IntervalSample> samples = new ArrayList<>();
        List<AlertInterval> alerts = new ArrayList<>();
        long intervalEnd = 0;
        int worst = 0;
        AllTransactions all;
        refreshLimits = now.getEpochSecond() - limitsAt >= THRESHOLDS_EVERY;
        try {
            all = (AllTransactions) fetch(reports, "all-transactions", Client.Selection.NONE);
            fetch(reports, "current-performance", Client.Selection.NONE);
            for (AllTransactions.Entry t : all.entries()) {
                try {
                    intervalEnd = Math.max(intervalEnd, transaction(reports, t.tranName(), now, samples));
                } catch (ClientException e) {
                    if (outage(e)) throw e;
                    LOG.warning(src.name + ": transaction " + t.tranName() + " skipped in this poll: " + e.getMessage());
                }
            }
            CurrentAlerts cur = (CurrentAlerts) fetch(reports, "current-alerts", Client.Selection.NONE);
            worst = currentAlerts(cur, now, alerts);
            try {
                EventAlerts ev = (EventAlerts) fetch(reports, "event-alerts", Client.Selection.NONE);
                events(ev, now, alerts);
            } catch (ClientException e) {
                if (outage(e)) throw e;
                LOG.warning(src.name + ": alert events skipped in this poll: " + e.getMessage());
            }
        } catch (ClientException e) {
            LOG.warning(src.name + ": poll failed, nothing stored for it: " + e.getMessage());
            src.failed(e.getMessage(), now);
            polls++;
            return List.of();
        }
        first = false;
        if (refreshLimits) limitsAt = now.getEpochSecond();
        src.refreshed(reports, now, all.entries().size(), worst);
        write(samples, alerts);
        if (metrics != null && intervalEnd > 0) metrics.polled(src.name, Instant.ofEpochSecond(intervalEnd), now);
        polls++;
        return samples;
    }

    /** The intervals of one transaction's paths; returns the end of the newest. */
    private long transaction(Map<Source.Key, Report> reports, String tran, Instant now, List<IntervalSample> samples)
            throws ClientException {
        Client.Selection s = Client.Selection.NONE.tran(tran);
        ResponseTime rt = (ResponseTime) fetch(reports, "response-time", s);
        long start = stamp(rt.startTime());
        long cur = stamp(rt.currentTime());
        int length = (int) (cur > start ? cur - start : src.interval.getSeconds());
        if (start < 0) {  // a stamp this front end cannot read: the interval that ends now
            start = now.getEpochSecond() - length;
        }
        List<IntervalSample> out = new ArrayList<>();
        for (ResponseTime.Entry e : rt.entries()) {
            int path = e.pathId();
            String at = tran + "\n" + path;
            Components<Double> limits = thresholds.get(at);
            if (limits == null || refreshLimits) {
                limits = Components.none();
                try {
                    Thresholds th = (Thresholds) fetch(reports, "thresholds", s.path(path));
                    limits = new Components<>(ms(th.pathNetRespTimeWarn()), ms(th.pathSrvRespTimeWarn()),
                            ms(th.pathAppRespTimeWarn()), ms(th.pathWaitRespTimeWarn()), ms(th.pathTotRespTimeWarn()));
                } catch (ClientException x) {
                    if (outage(x)) throw x;
                    // a collector that reports no thresholds for the path: stored without them
                }
                thresholds.put(at, limits);
            }
            long count = Math.max(0, e.pathTotRespTimeDataCtSum());
            Components<Double> times = count == 0 ? Components.none()
                    : new Components<>(ms(e.pathNetRespTimeAvg()), ms(e.pathSrvRespTimeAvg()),
                            ms(e.pathAppRespTimeAvg()), ms(e.pathWaitRespTimeAvg()), ms(e.pathTotRespTimeAvg()));
            Components<Integer> states = new Components<>(e.pathNetRespTimeAlertState().value(),
                    e.pathSrvRespTimeAlertState().value(), e.pathAppRespTimeAlertState().value(),
                    e.pathWaitRespTimeAlertState().value(), e.pathTotRespTimeAlertState().value());
            out.add(new IntervalSample(src.name, tran, path, start, length, times, count, states, limits, false));
            if (first) out.addAll(summary(reports, s.path(path), tran, path, limits));
        }
        samples.addAll(out);
        return start + length;
    }

    /** The past intervals a path's summary carries. */
    private List<IntervalSample> summary(Map<Source.Key, Report> reports, Client.Selection s, String tran, int path,
            Components<Double> limits) throws ClientException {
        Summary sum;
        try {
            sum = (Summary) fetch(reports, "summary", s);
        } catch (ClientException e) {
            if (outage(e)) throw e;
            LOG.warning(src.name + ": the summary of " + tran + " path " + path + " skipped: " + e.getMessage());
            return List.of();
        }
        List<IntervalSample> out = new ArrayList<>();
        long at = sum.sumDataUTCStart().getEpochSecond();
        for (Summary.Entry e : sum.entries()) {
            int length = (int) e.sumIntervalSecs().getSeconds();
            if (length <= 0) continue;
            long count = Math.max(0, e.pathTotRespTimeDataCtSum());
            Components<Double> times = count == 0 ? Components.none()
                    : new Components<>(ms(e.pathNetRespTimeAvg()), ms(e.pathSrvRespTimeAvg()),
                            ms(e.pathAppRespTimeAvg()), ms(e.pathWaitRespTimeAvg()), ms(e.pathTotRespTimeAvg()));
            Components<Integer> states = new Components<>(e.pathNetRespTimeAvgState().value(),
                    e.pathSrvRespTimeAvgState().value(), e.pathAppRespTimeAvgState().value(),
                    e.pathWaitRespTimeAvgState().value(), e.pathTotRespTimeAvgState().value());
            out.add(new IntervalSample(src.name, tran, path, at, length, times, count, states, limits, false));
            at += length;
        }
        return out;
    }

    private static Double ms(int v) {
        return v < 0 ? null : (double) v;
    }

    /** Open alerts of the current alerts report, and the close of those no longer in it; returns the worst state. */
    private int currentAlerts(CurrentAlerts cur, Instant now, List<AlertInterval> alerts) {
        if (open == null) open = new HashMap<>();
        if (!openRead) {  // the alerts left open before a restart, once the store can be read
            Map<String, AlertInterval> stored = storedOpen(now);
            if (stored != null) {
                stored.forEach(open::putIfAbsent);
                openRead = true;
            }
        }
        Map<String, AlertInterval> seen = new HashMap<>();
        int worst = 0;
        for (CurrentAlerts.Entry e : cur.entries()) {
            worst = Math.max(worst, e.worstComponentState().value());
            long start = alertStamp(e.alertStart(), now);
            if (start < 0) start = now.getEpochSecond();
            AlertState[] states = {e.pathNetRespTimeAlertState(), e.pathSrvRespTimeAlertState(),
                e.pathAppRespTimeAlertState(), e.pathWaitRespTimeAlertState(), e.pathTotRespTimeAlertState()};
            for (int k = 0; k < KINDS.length; k++) {
                if (states[k].value() <= 0) continue;
                AlertInterval a = new AlertInterval(src.name, e.tranName(), Math.max(0, e.pathId()), KINDS[k], start,
                        null, states[k].value(), false);
                seen.put(key(a), a);
                alerts.add(a);
            }
        }
        for (Map.Entry<String, AlertInterval> o : open.entrySet()) {
            if (seen.containsKey(o.getKey())) continue;
            AlertInterval a = o.getValue();
            long end = Math.max(a.start(), now.getEpochSecond());
            alerts.add(new AlertInterval(a.collector(), a.tran(), a.path(), a.kind(), a.start(), end, a.state(), false));
        }
        open = seen;
        return worst;
    }

    /** The alerts the store holds as still open (from before a restart), or null when it cannot be read. */
    private Map<String, AlertInterval> storedOpen(Instant now) {
        Map<String, AlertInterval> out = new HashMap<>();
        if (store == null) return out;
        try {
            long to = now.getEpochSecond() + 1;
            for (AlertInterval a : store.alerts(src.name, null, to - 30 * 86_400L, to))
                if (a.end() == null && !a.seeded() && !a.kind().startsWith("event")) out.put(key(a), a);
        } catch (HistoryException e) {
            health.failed(e);
            LOG.warning(src.name + ": cannot read the open alerts yet: " + e.getMessage());
            return null;
        }
        return out;
    }

    private static String key(AlertInterval a) {
        return a.tran() + "\n" + a.path() + "\n" + a.kind() + "\n" + a.start();
    }

    private void events(EventAlerts ev, Instant now, List<AlertInterval> alerts) {
        Set<String> keys = new HashSet<>();
        for (EventAlerts.Entry e : ev.entries()) {
            long start = alertStamp(e.eventStart(), now);
            if (start < 0) continue;
            long d = e.duration() == null ? 0 : Math.max(0, e.duration().getSeconds());
            AlertInterval a = new AlertInterval(src.name, e.tranName(), Math.max(0, e.pathId()),
                    "event-" + e.pathEventType(), start, start + d, e.pathEventState().value(), false);
            if (keys.add(key(a))) alerts.add(a);
        }
    }

    /** Writes what this poll and earlier refused writes hold; keeps them when the store refuses. */
    private void write(List<IntervalSample> samples, List<AlertInterval> alerts) {
        if (store == null) return;
        pendingSamples.addAll(samples);
        pendingAlerts.addAll(alerts);
        if (pendingSamples.size() > MAX_PENDING) pendingSamples.subList(0, pendingSamples.size() - MAX_PENDING).clear();
        if (pendingAlerts.size() > MAX_PENDING) pendingAlerts.subList(0, pendingAlerts.size() - MAX_PENDING).clear();
        try {
            if (!pendingSamples.isEmpty()) store.writeIntervals(pendingSamples);
            pendingSamples.clear();
            if (!pendingAlerts.isEmpty()) store.writeAlerts(pendingAlerts);
            pendingAlerts.clear();
            health.ok();
        } catch (HistoryException e) {
            if (health.fault() == null) LOG.warning(src.name + ": " + e.getMessage() + " The intervals are kept and"
                    + " written at the next poll.");
            health.failed(e);
        }
    }

    /** Polls ended so far, stored or not. */
    int polls() {
        return polls;
    }

    /** Intervals and alerts waiting for the store. */
    synchronized int pending() {
        return pendingSamples.size() + pendingAlerts.size();
    }

    private static final Pattern STAMP = Pattern.compile("(\\d\\d)/(\\d\\d)/(-?\\d+) \\((\\d\\d):(\\d\\d):(\\d\\d)\\)");
    private static final Pattern ALERT = Pattern.compile("(\\d\\d):(\\d\\d):(\\d\\d)<br>(\\d\\d)/(\\d\\d)");

    /** Epoch seconds of a library time text "MM/DD/YY (HH:MM:SS)" (local time, YY from 2000), or -1. */
    static long stamp(String text) {
        Matcher m = text == null ? null : STAMP.matcher(text.strip());
        if (m == null || !m.matches()) return -1;
        try {
            LocalDateTime t = LocalDateTime.of(2000 + Integer.parseInt(m.group(3)), Integer.parseInt(m.group(1)),
                    Integer.parseInt(m.group(2)), Integer.parseInt(m.group(4)), Integer.parseInt(m.group(5)),
                    Integer.parseInt(m.group(6)));
            return t.atZone(ZoneId.systemDefault()).toEpochSecond();
        } catch (java.time.DateTimeException e) {
            return -1;
        }
    }

    /**
     * Epoch seconds of an alert start "HH:MM:SS&lt;br&gt;MM/DD" (local time, no year: the latest such
     * time not after {@code now}), or of a full time text; -1 when unreadable.
     */
    static long alertStamp(String text, Instant now) {
        if (text == null) return -1;
        long full = stamp(text);
        if (full >= 0) return full;
        Matcher m = ALERT.matcher(text.strip());
        if (!m.matches()) return -1;
        ZonedDateTime n = now.atZone(ZoneId.systemDefault());
        try {
            for (int year = n.getYear(); year >= n.getYear() - 1; year--) {
                ZonedDateTime t = LocalDateTime.of(year, Integer.parseInt(m.group(4)), Integer.parseInt(m.group(5)),
                        Integer.parseInt(m.group(1)), Integer.parseInt(m.group(2)), Integer.parseInt(m.group(3)))
                        .atZone(ZoneId.systemDefault());
                if (!t.isAfter(n.plus(Duration.ofDays(1)))) return t.toEpochSecond();
            }
        } catch (java.time.DateTimeException e) {
            return -1;
        }
        return -1;
    }
}
