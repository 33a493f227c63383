package vyt.web;

import java.io.IOException;
import java.io.Writer;
import java.time.Instant;
import java.util.List;
import vyt.history.HistoryStore;

/**
 * The front end's figures for Prometheus, served at /metrics in the text exposition format: per
 * collector, transaction and path the current interval's values (from the history's newest
 * intervals), and the front end's own requests, collector exchange times, poll lag and store size.
 */
final class Metrics {
    static final String ATTRIBUTE = "vyt.metrics";

    /** {@code store} may be null (a front end that keeps no history). */
    Metrics(HistoryStore store, List<String> collectors) {
    }

    /** One answered request with its status (every response, the container's own included). */
    void request(int status) {
    }

    /** One exchange with a collector and how long it took. */
    void exchange(String collector, double seconds) {
    }

    /** A poll of a collector ended at {@code at}, for the interval that ended at {@code intervalEnd}. */
    void polled(String collector, Instant intervalEnd, Instant at) {
    }

    /** The exposition text. */
    void write(Writer w) throws IOException {
    }
}
