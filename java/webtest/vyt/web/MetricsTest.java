package vyt.web;

import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.StringWriter;
import java.nio.file.Path;
import java.time.Instant;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import vyt.history.Components;
import vyt.history.HistoryStore;
import vyt.history.IntervalSample;
import vyt.history.StoreOptions;

/** The /metrics text: the history's newest intervals, requests, exchanges and polls as Prometheus reads them. */
class MetricsTest {
    private static final String HOSTILE = "say \"hi\" \\ C:\\dir\nnext";
    private static final String T = "collector=\"c1\",tran=\"say \\\"hi\\\" \\\\ C:\\\\dir\\nnext\",path=\"0\"";

    @Test
    void exposition(@TempDir Path dir) throws Exception {
        Metrics m;
        String text;
        try (HistoryStore store = HistoryStore.open(StoreOptions.sqlite(dir))) {
            store.writeIntervals(List.of(
                    new IntervalSample("c1", HOSTILE, 0, 1_000_000, 300, new Components<>(12.5, null, 0.4, null, 1500.0),
                            7, new Components<>(0, null, 2, null, 1), new Components<>(null, null, null, null, 2000.0),
                            false),
                    // An older interval of the same path: not the current one.
                    new IntervalSample("c1", HOSTILE, 0, 999_700, 300, new Components<>(1.0, 1.0, 1.0, 1.0, 4.0), 99,
                            Components.none(), Components.none(), false),
                    new IntervalSample("c2", "other", 1, 1_000_000, 300, Components.none(), 0, Components.none(),
                            Components.none(), false)));
            m = new Metrics(store, List.of("c1"));
            for (int s : new int[] {200, 200, 404, 200}) m.request(s);
            for (double s : new double[] {0.003, 0.02, 0.025, 7, 100}) m.exchange("c1", s);
            m.polled("c1", Instant.ofEpochSecond(1_000_300), Instant.ofEpochMilli(1_000_302_500L));
            StringWriter w = new StringWriter();
            m.write(w);
            text = w.toString();
        }
        // {line that must be there, or "!" and the start of a line that must not}
        String[][] cases = {
            {"vyt_response_time_seconds{" + T + ",component=\"network\"} 0.0125"},
            {"vyt_response_time_seconds{" + T + ",component=\"application\"} 0.0004"},
            {"vyt_response_time_seconds{" + T + ",component=\"total\"} 1.5"},
            {"!", "vyt_response_time_seconds{" + T + ",component=\"server\"}"},  // unknown: no line, not 0
            {"vyt_transactions{" + T + "} 7"},
            {"!", "vyt_transactions{" + T + "} 99"},
            {"vyt_alert_state{" + T + ",component=\"application\"} 2"},
            {"!", "vyt_alert_state{" + T + ",component=\"wait\"}"},
            {"vyt_alert_threshold_seconds{" + T + ",component=\"total\"} 2"},
            {"!", "vyt_transactions{collector=\"c2\""},  // not a collector of this front end
            {"vyt_http_requests_total{status=\"200\"} 3"},
            {"vyt_http_requests_total{status=\"404\"} 1"},
            // Buckets count every exchange up to their bound (the bound itself included).
            {"vyt_collector_exchange_seconds_bucket{collector=\"c1\",le=\"0.0025\"} 0"},
            {"vyt_collector_exchange_seconds_bucket{collector=\"c1\",le=\"0.005\"} 1"},
            {"vyt_collector_exchange_seconds_bucket{collector=\"c1\",le=\"0.025\"} 3"},
            {"vyt_collector_exchange_seconds_bucket{collector=\"c1\",le=\"5\"} 3"},
            {"vyt_collector_exchange_seconds_bucket{collector=\"c1\",le=\"10\"} 4"},
            {"vyt_collector_exchange_seconds_bucket{collector=\"c1\",le=\"60\"} 4"},
            {"vyt_collector_exchange_seconds_bucket{collector=\"c1\",le=\"+Inf\"} 5"},
            {"vyt_collector_exchange_seconds_count{collector=\"c1\"} 5"},
            {"vyt_collector_exchange_seconds_sum{collector=\"c1\"} 107.048"},
            {"vyt_poll_lag_seconds{collector=\"c1\"} 2.5"},
            {"vyt_last_poll_timestamp_seconds{collector=\"c1\"} 1000302.5"},
            {"vyt_store_read_errors_total 0"},
        };
        List<String> lines = text.lines().toList();
        for (String[] c : cases) {
            if (c[0].equals("!")) assertTrue(lines.stream().noneMatch(l -> l.startsWith(c[1])), c[1] + " in\n" + text);
            else assertTrue(lines.contains(c[0]), c[0] + " missing in\n" + text);
        }
        assertTrue(lines.stream().anyMatch(l -> l.matches("vyt_store_size_bytes [1-9][0-9]*")), text);
    }
}
