package vyt.web;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.net.InetAddress;
import java.net.InetSocketAddress;
import java.net.http.HttpResponse;
import java.nio.file.Path;
import java.time.LocalDateTime;
import java.time.ZoneId;
import java.time.format.DateTimeFormatter;
import java.util.ArrayList;
import java.util.List;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.eclipse.jetty.server.Server;
import org.eclipse.jetty.server.ServerConnector;
import org.eclipse.jetty.servlet.ServletContextHandler;
import org.eclipse.jetty.servlet.ServletHolder;
import org.junit.jupiter.api.AfterAll;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import vyt.collector.Sample;
import vyt.history.AlertInterval;
import vyt.history.Components;
import vyt.history.HistoryStore;
import vyt.history.IntervalSample;
import vyt.history.StoreOptions;

/** The trend page over a history with known intervals: its tables, gaps, overlay, escaping and refusals. */
class TrendsTest {
    static {
        WebTestSupport.quiet();
    }

    static final String COLLECTOR = "127.0.0.1:47399";
    static final String TRAN = "checkout";
    static final ZoneId ZONE = ZoneId.systemDefault();
    /** 2026-03-10 00:00 in the server's zone; intervals of 5 min from here, the fourth missing. */
    static final long T0 = LocalDateTime.of(2026, 3, 10, 0, 0).atZone(ZONE).toEpochSecond();
    static final long[] OFFSETS = {0, 300, 600, 1200};
    static final long GAP = 900;
    static final String WINDOW = "&from=2026-03-10T00:00&to=2026-03-10T00:25";

    @TempDir
    static Path dir;
    static HistoryStore store;
    static Server server;
    static WebTestSupport.Browser browser;
    static final List<IntervalSample> STORED = new ArrayList<>();
    static final List<IntervalSample> DAY_BEFORE = new ArrayList<>();

    static IntervalSample sample(String tran, long start, double net, double server, int state, boolean seeded) {
        return new IntervalSample(COLLECTOR, tran, 0, start, 300, new Components<>(net, server, 100.0, null,
                net + server + 100), 10, new Components<>(0, state, 0, null, state),
                new Components<>(null, null, null, null, 200.0), seeded);
    }

    @BeforeAll
    static void start() throws Exception {
        store = HistoryStore.open(StoreOptions.sqlite(dir));
        for (int i = 0; i < OFFSETS.length; i++) {
            STORED.add(sample(TRAN, T0 + OFFSETS[i], 1.5 + i, 10 * (i + 1), i % 3, i == 3));
            DAY_BEFORE.add(sample(TRAN, T0 + OFFSETS[i] - 86_400, 0.5, 40 + i, 0, false));
        }
        List<IntervalSample> all = new ArrayList<>(STORED);
        all.addAll(DAY_BEFORE);
        all.add(sample(Sample.MARKUP_TRAN, T0, 1, 2, 1, false));
        store.writeIntervals(all);
        store.writeAlerts(List.of(new AlertInterval(COLLECTOR, TRAN, 0, "total", T0 + 300, T0 + 900L, 2, false),
                new AlertInterval(COLLECTOR, TRAN, 0, "server", T0 + 1200, null, 1, false),
                new AlertInterval(COLLECTOR, Sample.MARKUP_TRAN, 0, "<b>kind</b>", T0, null, 1, false)));

        server = new Server(new InetSocketAddress(InetAddress.getLoopbackAddress(), 0));
        ServletContextHandler context = new ServletContextHandler(ServletContextHandler.NO_SESSIONS);
        context.setContextPath("/");
        context.setInitParameter(FrontEndServlet.COLLECTOR_PARAM, COLLECTOR);
        context.setInitParameter(FrontEndServlet.OPEN_READS_PARAM, "true");
        context.setAttribute(FrontEndServlet.HISTORY_ATTRIBUTE, store);
        context.addServlet(new ServletHolder("vyt", new FrontEndServlet()), "/");
        server.setHandler(context);
        server.start();
        browser = new WebTestSupport.Browser("http://127.0.0.1:" + ((ServerConnector) server.getConnectors()[0])
                .getLocalPort());
    }

    @AfterAll
    static void stop() throws Exception {
        server.stop();
        store.close();
    }

    static String page(String query) throws Exception {
        HttpResponse<String> r = browser.get("/trend?" + query);
        assertEquals(200, r.statusCode(), query + ": " + r.body());
        return r.body();
    }

    static String time(long t) {
        return DateTimeFormatter.ofPattern("yyyy-MM-dd HH:mm").withZone(ZONE).format(java.time.Instant.ofEpochSecond(t));
    }

    static String ms(Double v) {
        return v == null ? "" : String.format(java.util.Locale.ROOT, "%.1f", v);
    }

    /** The CSV line a stored interval gives, before the columns that depend on the query. */
    static String values(IntervalSample s) {
        Components<Double> t = s.times();
        return String.join(",", time(s.start()), ms(t.network()), ms(t.server()), ms(t.application()),
                ms(t.waiting()), ms(t.total()), ms(s.thresholds().total()));
    }

    @Test
    void theTableHoldsTheStoredIntervalsAndAGapAsAnEmptyRow() throws Exception {
        String[] states = {"normal", "warning", "critical"};
        for (String path : new String[] {"", "&path=0"}) {
            List<String> want = new ArrayList<>();
            for (int i = 0; i < STORED.size(); i++) {
                if (i == 3) want.add(time(T0 + GAP) + ",,,,,,,no data,");
                String v = values(STORED.get(i));
                // Thresholds belong to a path: the whole transaction has none.
                if (path.isEmpty()) v = v.substring(0, v.lastIndexOf(',') + 1);
                want.add(v + "," + states[i % 3] + "," + (STORED.get(i).seeded() ? "sample" : ""));
            }
            HttpResponse<String> csv = browser.get("/trend?tran=" + TRAN + path + WINDOW + "&csv=trend-points");
            assertEquals(200, csv.statusCode(), csv.body());
            assertTrue(csv.headers().firstValue("Content-Type").orElse("").startsWith("text/csv"), path);
            List<String> lines = List.of(csv.body().split("\r\n"));
            assertTrue(lines.get(0).startsWith("Start (") && lines.get(0).contains("Total (ms)"), lines.get(0));
            assertEquals(want, lines.subList(1, lines.size()), "rows of tran " + TRAN + path);
        }
        // The chart: the gap is drawn as a gap, the total line lifted there, the sample point marked.
        String html = page("tran=" + TRAN + WINDOW);
        assertTrue(html.contains("<rect class=\"gap\""), "gap drawn");
        Matcher total = Pattern.compile("<path class=\"total\" fill=\"none\" d=\"([^\"]*)\"").matcher(html);
        assertTrue(total.find(), "total line");
        assertEquals(2, total.group(1).chars().filter(c -> c == 'M').count(), "the line restarts after the gap");
        assertTrue(html.contains("<rect class=\"seeded\"") && html.contains("generated sample data"), "sample marked");
    }

    @Test
    void rangesOverTwoDaysShowHourlyMeansAndEmptyHours() throws Exception {
        HttpResponse<String> csv = browser.get("/trend?tran=" + TRAN + "&path=0&from=2026-03-08&to=2026-03-10"
                + "&csv=trend-points");
        List<String> lines = List.of(csv.body().split("\r\n"));
        assertEquals(1 + 72, lines.size(), "an hourly row for each of three days");
        for (List<IntervalSample> hour : List.of(STORED, DAY_BEFORE)) {
            long start = hour.get(0).start();
            double mean = hour.stream().mapToDouble(x -> x.times().total()).average().orElseThrow();
            String row = lines.get(1 + (int) ((start - (T0 - 2 * 86_400)) / 3600));
            assertTrue(row.startsWith(time(start) + ",") && row.contains("," + ms(mean) + ","), row);
        }
        assertTrue(lines.get(2).startsWith(time(T0 - 2 * 86_400 + 3600) + ",,,,,,,no data"), lines.get(2));
    }

    @Test
    void compareDayOverlaysTheTotalsOfTheDayBefore() throws Exception {
        HttpResponse<String> csv = browser.get("/trend?tran=" + TRAN + WINDOW + "&compare=day&csv=trend-points");
        List<String> lines = List.of(csv.body().split("\r\n"));
        int col = List.of(lines.get(0).split(",")).indexOf("Total a day earlier (ms)");
        assertTrue(col > 0, lines.get(0));
        List<String> want = new ArrayList<>(), got = new ArrayList<>();
        for (IntervalSample s : DAY_BEFORE) want.add(time(s.start() + 86_400) + "=" + ms(s.times().total()));
        for (String l : lines.subList(1, lines.size())) {
            String[] f = l.split(",", -1);
            if (!f[col].isEmpty()) got.add(f[0] + "=" + f[col]);
        }
        assertEquals(want, got);
        String html = page("tran=" + TRAN + WINDOW + "&compare=day");
        assertTrue(html.contains("<path class=\"compare\"") && html.contains("Total a day earlier</li>"), "overlay");
    }

    @Test
    void theAlertTimelineHasABarPerAlertAndItsTableNamesKindAndState() throws Exception {
        String html = page("tran=" + TRAN + WINDOW);
        int at = html.indexOf("aria-labelledby=\"trend-alerts-t");
        String timeline = html.substring(at, html.indexOf("</svg>", at));
        assertEquals(2, timeline.split("<rect class=\"s", -1).length - 1, "one bar per alert");
        HttpResponse<String> csv = browser.get("/trend?tran=" + TRAN + WINDOW + "&csv=trend-alerts");
        List<String> lines = List.of(csv.body().split("\r\n"));
        assertEquals(3, lines.size(), csv.body());
        assertEquals("total,0,critical," + time(T0 + 300) + "," + time(T0 + 900) + ",10 min 0 s,", lines.get(1));
        assertTrue(lines.get(2).startsWith("server,0,warning," + time(T0 + 1200) + ",open,"), lines.get(2));
    }

    @Test
    void markupInNamesIsShownAsText() throws Exception {
        String html = page("tran=" + java.net.URLEncoder.encode(Sample.MARKUP_TRAN, "UTF-8") + "&path=0" + WINDOW);
        assertFalse(html.contains("<script>") || html.contains("<img") || html.contains("<b>kind"), "raw markup");
        String escaped = Html.escape(Sample.MARKUP_TRAN);
        for (String where : new String[] {"<title id=\"trend-rt-t\">Response time of " + escaped,
            "<caption>Alerts of " + escaped, "&lt;b&gt;kind&lt;/b&gt; (warning, open)</text>"})
            assertTrue(html.contains(where), where);
    }

    @Test
    void badRangesAreRefusedWithWhatToGive() throws Exception {
        String[][] cases = {
            {"range=2d", "parameter range: one of 1h, 6h, 24h, 7d, 30d, not 2d"},
            {"from=yesterday", "parameter from: not a time: yesterday; give a date (2026-03-01) or a date and time"},
            {"from=2026-03-10T00:00&to=2026-13-01", "parameter to: not a time: 2026-13-01"},
            {"to=2026-03-10", "parameter from: required with to"},
            {"from=2026-03-10T01:00&to=2026-03-10T00:00", "parameter to: the range ends (2026-03-10T00:00) at or before"},
            {"from=2026-01-01&to=2026-03-01", "parameter to: the range is longer than 31 days"},
            {"range=1h&from=2026-03-10", "parameter range: give either a range or from and to, not both"},
            {"compare=month", "parameter compare: day or week (or nothing), not month"},
            {"path=x", "parameter path: not a number: x"},
            {"bogus=1", "parameter bogus: unknown"},
        };
        for (String[] c : cases) {
            HttpResponse<String> r = browser.get("/trend?tran=" + TRAN + "&" + c[0]);
            assertEquals(400, r.statusCode(), c[0]);
            assertTrue(r.body().contains(c[1]), c[0] + " should say " + c[1] + ": " + r.body());
        }
    }

    @Test
    void aTransactionWithoutHistorySaysSoInsteadOfAnEmptyChart() throws Exception {
        String html = page("tran=nothing-kept&range=7d");
        assertTrue(html.contains("No history is stored for nothing-kept"), html);
        assertFalse(html.contains("<svg"), "no chart");
    }
}
