package vyt.web;

import java.io.IOException;
import java.io.Writer;
import java.math.BigDecimal;
import java.time.Duration;
import java.time.Instant;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.TreeMap;
import java.util.concurrent.ConcurrentHashMap;
import java.util.concurrent.atomic.DoubleAdder;
import java.util.concurrent.atomic.LongAdder;
import java.util.function.Function;
import java.util.logging.Level;
import java.util.logging.Logger;
import vyt.catalog.States;
import vyt.history.Components;
import vyt.history.HistoryStore;
import vyt.history.IntervalSample;

/**
 * The front end's figures for Prometheus, served at /metrics in the text exposition format: per
 * collector, transaction and path the current interval's values (from the history's newest
 * intervals), and the front end's own requests, collector exchange times, poll lag and store size.
 * Every method is safe to call from several threads; counting a request or an exchange takes no lock.
 */
final class Metrics {
    static final String ATTRIBUTE = "vyt.metrics";
    /** The content type of {@link #write}. */
    static final String CONTENT_TYPE = "text/plain; version=0.0.4; charset=utf-8";
    /** The upper bounds (seconds) of the exchange-time histogram's buckets; +Inf follows. */
    static final double[] EXCHANGE_BOUNDS = {0.001, 0.0025, 0.005, 0.01, 0.025, 0.05, 0.1, 0.25, 0.5, 1, 2.5, 5, 10,
        30, 60};
    /** The component label's values, in the order of {@link Components}. */
    static final String[] COMPONENTS = {"network", "server", "application", "wait", "total"};
    /** How long a read of the store's size is reused: scrapes stay cheap however often they come. */
    static final Duration SIZE_CACHE = Duration.ofSeconds(10);
    private static final Logger LOG = Logger.getLogger("vyt.web");

    private final HistoryStore store;
    private final List<String> collectors;
    private final Map<Integer, LongAdder> requests = new ConcurrentHashMap<>();
    private final Map<String, Histogram> exchanges = new ConcurrentHashMap<>();
    private final Map<String, Poll> polls = new ConcurrentHashMap<>();
    private final LongAdder storeErrors = new LongAdder();
    private volatile Size size;

    private record Poll(Duration lag, Instant at) {}

    private record Size(long bytes, long readAtNanos) {}

    /** Counts per bucket (not cumulative) and the sum of one collector's exchange times. */
    private static final class Histogram {
        final LongAdder[] counts = new LongAdder[EXCHANGE_BOUNDS.length + 1];
        final DoubleAdder sum = new DoubleAdder();

        Histogram() {
            for (int i = 0; i < counts.length; i++) counts[i] = new LongAdder();
        }

        void observe(double seconds) {
            int i = 0;
            while (i < EXCHANGE_BOUNDS.length && seconds > EXCHANGE_BOUNDS[i]) i++;
            counts[i].increment();
            sum.add(seconds);
        }
    }

    /** {@code store} may be null (a front end that keeps no history). */
    Metrics(HistoryStore store, List<String> collectors) {
        this.store = store;
        this.collectors = List.copyOf(collectors);
        // The known collectors' histograms exist from the start, so a rate over them has a first point.
        for (String c : this.collectors) exchanges.put(c, new Histogram());
    }

    /** One answered request with its status (every response, the container's own included). */
    void request(int status) {
        LongAdder n = requests.get(status);
        if (n == null) n = requests.computeIfAbsent(status, s -> new LongAdder());
        n.increment();
    }

    /** One exchange with a collector and how long it took. */
    void exchange(String collector, double seconds) {
        Histogram h = exchanges.get(collector);
        if (h == null) h = exchanges.computeIfAbsent(collector, c -> new Histogram());
        h.observe(seconds);
    }

    /** A poll of a collector ended at {@code at}, for the interval that ended at {@code intervalEnd}. */
    void polled(String collector, Instant intervalEnd, Instant at) {
        polls.put(collector, new Poll(Duration.between(intervalEnd, at), at));
    }

    /** The exposition text. */
    void write(Writer w) throws IOException {
        List<IntervalSample> samples = latest();
        StringBuilder b = new StringBuilder(4096 + samples.size() * 600);

        String states = "0 " + States.name(0) + ", 1 " + States.name(1) + ", 2 " + States.name(2);
        perComponent(b, samples, "vyt_response_time_seconds",
                "Mean response time of the component in the collector's current interval (unknown components have"
                        + " no series)", s -> s.times(), true);
        family(b, "vyt_transactions", "gauge", "Transactions in the collector's current interval");
        for (IntervalSample s : samples) line(b, "vyt_transactions", tranLabels(s), Long.toString(s.count()));
        perComponent(b, samples, "vyt_alert_state", "Alert state of the component in the collector's current"
                + " interval: " + states + "; another number is a state this front end does not know",
                s -> s.states(), false);
        perComponent(b, samples, "vyt_alert_threshold_seconds",
                "Response time above which the component is in alert, where the collector reports it",
                s -> s.thresholds(), true);

        family(b, "vyt_http_requests_total", "counter", "HTTP requests the front end answered, by status");
        for (Map.Entry<Integer, LongAdder> e : new TreeMap<>(requests).entrySet())
            line(b, "vyt_http_requests_total", "status=\"" + e.getKey() + "\"", Long.toString(e.getValue().sum()));

        family(b, "vyt_collector_exchange_seconds", "histogram", "Time of one exchange with the collector");
        for (Map.Entry<String, Histogram> e : new TreeMap<>(exchanges).entrySet()) {
            String c = "collector=\"" + escape(e.getKey()) + "\"";
            Histogram h = e.getValue();
            long cumulative = 0;
            for (int i = 0; i < h.counts.length; i++) {
                cumulative += h.counts[i].sum();
                String le = i < EXCHANGE_BOUNDS.length ? number(EXCHANGE_BOUNDS[i]) : "+Inf";
                line(b, "vyt_collector_exchange_seconds_bucket", c + ",le=\"" + le + "\"", Long.toString(cumulative));
            }
            line(b, "vyt_collector_exchange_seconds_sum", c, number(h.sum.sum()));
            line(b, "vyt_collector_exchange_seconds_count", c, Long.toString(cumulative));
        }

        Map<String, Poll> p = new TreeMap<>(polls);
        family(b, "vyt_poll_lag_seconds", "gauge", "Time from the end of the collector's newest interval to its poll");
        for (Map.Entry<String, Poll> e : p.entrySet())
            line(b, "vyt_poll_lag_seconds", "collector=\"" + escape(e.getKey()) + "\"",
                    BigDecimal.valueOf(e.getValue().lag().toMillis(), 3).stripTrailingZeros().toPlainString());
        family(b, "vyt_last_poll_timestamp_seconds", "gauge", "When the collector was last polled, in Unix time");
        for (Map.Entry<String, Poll> e : p.entrySet())
            line(b, "vyt_last_poll_timestamp_seconds", "collector=\"" + escape(e.getKey()) + "\"",
                    BigDecimal.valueOf(e.getValue().at().toEpochMilli(), 3).stripTrailingZeros().toPlainString());

        if (store != null) {
            long bytes = sizeBytes();
            family(b, "vyt_store_size_bytes", "gauge", "Bytes the history takes in its file or database");
            if (bytes >= 0) line(b, "vyt_store_size_bytes", "", Long.toString(bytes));
            family(b, "vyt_store_read_errors_total", "counter",
                    "Reads of the history that failed while figures were written (the server log says why)");
            line(b, "vyt_store_read_errors_total", "", Long.toString(storeErrors.sum()));
        }
        w.write(b.toString());
    }

    /** The newest interval of every transaction path of the known collectors; a failing read leaves a collector out. */
    private List<IntervalSample> latest() {
        List<IntervalSample> all = new ArrayList<>();
        if (store == null) return all;
        for (String c : collectors) {
            try {
                all.addAll(store.latest(c));
            } catch (RuntimeException e) {
                storeErrors.increment();
                LOG.log(Level.WARNING, "/metrics: the newest intervals of " + c + " could not be read from the history",
                        e);
            }
        }
        return all;
    }

    /** The store's size, read again once {@link #SIZE_CACHE} has passed; -1 when it cannot be read. */
    private long sizeBytes() {
        Size s = size;
        long now = System.nanoTime();
        if (s != null && now - s.readAtNanos() < SIZE_CACHE.toNanos()) return s.bytes();
        long bytes;
        try {
            bytes = store.sizeBytes();
        } catch (RuntimeException e) {
            storeErrors.increment();
            LOG.log(Level.WARNING, "/metrics: the size of the history could not be read", e);
            bytes = -1;
        }
        size = new Size(bytes, now);
        return bytes;
    }

    /** A family with one series per sample and known component; {@code ms} values are converted to seconds. */
    private static <T extends Number> void perComponent(StringBuilder b, List<IntervalSample> samples, String name,
            String help, Function<IntervalSample, Components<T>> of, boolean ms) {
        family(b, name, "gauge", help);
        for (IntervalSample s : samples) {
            Components<T> c = of.apply(s);
            List<T> values = java.util.Arrays.asList(c.network(), c.server(), c.application(), c.waiting(), c.total());
            for (int k = 0; k < COMPONENTS.length; k++) {
                T v = values.get(k);
                if (v == null) continue;  // unknown: no series, never a zero
                String text = ms ? BigDecimal.valueOf(v.doubleValue()).movePointLeft(3).stripTrailingZeros()
                        .toPlainString() : v.toString();
                line(b, name, tranLabels(s) + ",component=\"" + COMPONENTS[k] + "\"", text);
            }
        }
    }

    private static String tranLabels(IntervalSample s) {
        return "collector=\"" + escape(s.collector()) + "\",tran=\"" + escape(s.tran()) + "\",path=\"" + s.path()
                + "\"";
    }

    private static void family(StringBuilder b, String name, String type, String help) {
        b.append("# HELP ").append(name).append(' ').append(help).append('.').append('\n');
        b.append("# TYPE ").append(name).append(' ').append(type).append('\n');
    }

    private static void line(StringBuilder b, String name, String labels, String value) {
        b.append(name);
        if (!labels.isEmpty()) b.append('{').append(labels).append('}');
        b.append(' ').append(value).append('\n');
    }

    /** A label value as the format quotes it: backslash, double quote and line feed escaped. */
    static String escape(String v) {
        StringBuilder b = null;
        for (int i = 0; i < v.length(); i++) {
            char ch = v.charAt(i);
            String r = ch == '\\' ? "\\\\" : ch == '"' ? "\\\"" : ch == '\n' ? "\\n" : null;
            if (r == null) {
                if (b != null) b.append(ch);
                continue;
            }
            if (b == null) b = new StringBuilder(v.length() + 8).append(v, 0, i);
            b.append(r);
        }
        return b == null ? v : b.toString();
    }

    private static String number(double v) {
        if (Double.isNaN(v)) return "NaN";
        if (Double.isInfinite(v)) return v > 0 ? "+Inf" : "-Inf";
        return BigDecimal.valueOf(v).stripTrailingZeros().toPlainString();
    }
}
