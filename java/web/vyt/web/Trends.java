package vyt.web;

import java.time.DateTimeException;
import java.time.Duration;
import java.time.Instant;
import java.time.LocalDate;
import java.time.LocalDateTime;
import java.time.ZoneId;
import java.time.format.DateTimeFormatter;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.TreeMap;
import javax.servlet.http.HttpServletRequest;
import vyt.catalog.States;
import vyt.history.AlertInterval;
import vyt.history.Components;
import vyt.history.HistoryException;
import vyt.history.HistoryStore;
import vyt.history.IntervalSample;
import vyt.history.Point;
import vyt.history.Series;
import vyt.history.SeriesQuery;

/**
 * The trend page of one transaction or path: {@code /trend?tran=NAME[&path=N][&range=1h|6h|24h|7d|30d]
 * [&from=..&to=..][&compare=day|week]}, drawn from the history the front end keeps: the response
 * time split into its components with the total, the threshold and the worst state per point, an
 * overlay of the same range a day or a week earlier, and the alerts over the range. Each chart is
 * also a table that sorts, filters and downloads as CSV.
 */
final class Trends {
    /** The ranges the page offers as links, by their parameter value. */
    static final Map<String, Long> RANGES = rangeMap();
    static final String DEFAULT_RANGE = "24h";
    /** The longest range asked for with from and to. */
    static final long MAX_SECONDS = 31 * 86_400L;
    static final String DATE_FORMS = "a date (2026-03-01) or a date and time (2026-03-01T14:30 or"
            + " 2026-03-01 14:30:00), in the server's time zone";
    private static final DateTimeFormatter ROW_TIME = DateTimeFormatter.ofPattern("yyyy-MM-dd HH:mm");

    private final HttpServletRequest req;
    private final HistoryStore store;
    private final View view;
    private final Params params;
    private final String ctx;
    private final ZoneId zone = ZoneId.systemDefault();

    Trends(HttpServletRequest req, HistoryStore store, View view) {
        this.req = req;
        this.store = store;
        this.view = view;
        this.params = new Params(req);
        this.ctx = req.getContextPath();
    }

    private static Map<String, Long> rangeMap() {
        Map<String, Long> m = new java.util.LinkedHashMap<>();
        m.put("1h", 3600L);
        m.put("6h", 6 * 3600L);
        m.put("24h", 86_400L);
        m.put("7d", 7 * 86_400L);
        m.put("30d", 30 * 86_400L);
        return java.util.Collections.unmodifiableMap(m);
    }

    /** The time span a request asks for: [from, to) in epoch seconds and how it was asked. */
    record Span(long from, long to, String range) {}

    /** The span of the request: {@code range} back from now, or {@code from}/{@code to}. */
    Span span(long now) throws Params.BadParameter {
        String range = blankToNull(params.value("range"));
        String fromText = blankToNull(params.value("from"));
        String toText = blankToNull(params.value("to"));
        if (range != null && (fromText != null || toText != null))
            throw new Params.BadParameter("range", "give either a range or from and to, not both");
        if (fromText == null && toText == null) {
            String r = range == null ? DEFAULT_RANGE : range;
            Long seconds = RANGES.get(r);
            if (seconds == null)
                throw new Params.BadParameter("range", "one of " + String.join(", ", RANGES.keySet()) + ", not " + r);
            return new Span(now - seconds, now, r);
        }
        if (fromText == null) throw new Params.BadParameter("from", "required with to; give " + DATE_FORMS);
        long from = time("from", fromText, false);
        long to = toText == null ? now : time("to", toText, true);
        if (to <= from) throw new Params.BadParameter("to", "the range ends (" + (toText == null ? "now" : toText) + ") at or before its start ("
                + fromText + "); give a later to");
        if (to - from > MAX_SECONDS)
            throw new Params.BadParameter("to", "the range is longer than " + MAX_SECONDS / 86_400
                    + " days; the history keeps hourly figures for about that long");
        return new Span(from, to, null);
    }

    /** A date or date-time in the server's zone; a date alone as {@code to} means the end of that day. */
    private long time(String name, String text, boolean end) throws Params.BadParameter {
        String t = text.strip().replace(' ', 'T');
        try {
            if (t.length() == 10) {
                LocalDate d = LocalDate.parse(t);
                return (end ? d.plusDays(1) : d).atStartOfDay(zone).toEpochSecond();
            }
            return LocalDateTime.parse(t).atZone(zone).toEpochSecond();
        } catch (DateTimeException e) {
            throw new Params.BadParameter(name, "not a time: " + text + "; give " + DATE_FORMS);
        }
    }

    private static String blankToNull(String s) {
        return s == null || s.isBlank() ? null : s;
    }

    private Duration compare() throws Params.BadParameter {
        String c = blankToNull(params.value("compare"));
        if (c == null) return null;
        switch (c) {
            case "day": return Duration.ofDays(1);
            case "week": return Duration.ofDays(7);
            default: throw new Params.BadParameter("compare", "day or week (or nothing), not " + c);
        }
    }

    String page() throws Params.BadParameter, FrontEndServlet.Failure {
        params.only("tran", "path", "range", "from", "to", "compare");
        String tran = params.tran(true);
        Integer path = params.value("path") == null || params.value("path").isEmpty() ? null
                : params.number("path", 0, Integer.MAX_VALUE, false);
        String refresh = params.value("refresh");
        if (refresh != null && !refresh.equals("off") && !refresh.equals("on"))
            throw new Params.BadParameter("refresh", "on or off, not " + refresh);
        // Ranges end at the collector's last poll: nothing newer is stored, and the page stays the
        // same (and is kept) until the next poll.
        long now = view.updated() != null ? view.updated().getEpochSecond() : Instant.now().getEpochSecond();
        Span span = span(now);
        Duration compare = compare();
        String collector = view.collector();
        String what = path == null ? tran : tran + ", path " + path;

        Html h = new Html();
        Pages.head(h, ctx, "Trend of " + what, false, null, view);
        // Until the next poll the rest of the page is the same for every reader.
        String key = cacheKey();
        String cached = key == null ? null : CACHE.get(key);
        if (cached != null) return h.raw(cached).toString();
        int start = h.length();
        String page = rest(h, tran, path, span, compare, collector, what, now);
        if (key != null) CACHE.put(key, page.substring(start));
        return page;
    }

    /** Rendered trend pages, up to 32 M characters (about 150 pages of 30 days). */
    private static final PageCache CACHE = new PageCache(32L << 20);

    /**
     * The page's key in the cache: the collector, its last poll and the query; null
     * (nothing cached) before the first poll or when the query asks for a table as CSV.
     */
    private String cacheKey() {
        if (view.updated() == null || params.first("csv") != null) return null;
        StringBuilder k = new StringBuilder(ctx).append('\n').append(view.collector()).append('\n')
                .append(view.updated().toEpochMilli());
        for (Map.Entry<String, List<String>> e : new TreeMap<>(params.all()).entrySet()) {
            if (e.getKey().equals("refresh")) continue;
            for (String v : e.getValue()) k.append('\n').append(e.getKey()).append('=').append(v);
        }
        return k.toString();
    }

    private String rest(Html h, String tran, Integer path, Span span, Duration compare, String collector, String what,
            long now) throws Params.BadParameter, FrontEndServlet.Failure {
        links(h, tran, path);
        picker(h, tran, path, span);
        try {
            List<IntervalSample> latest = store.latest(collector);
            if (!hasHistory(latest, tran, path)) {
                h.raw("<p class=\"trend-empty\" role=\"status\">").text("No history is stored for " + what
                        + " of " + collector + " yet. The front end stores each interval as it polls the collector;"
                        + " come back after a few polls.").raw("</p>");
                Pages.foot(h);
                return h.toString();
            }
            SeriesQuery q = new SeriesQuery(collector, tran, path, span.from(), span.to());
            Series series = store.series(q);
            Series earlier = compare == null ? null : store.shifted(q, compare);
            List<AlertInterval> alerts = new ArrayList<>();
            for (AlertInterval a : store.alerts(collector, tran, span.from(), span.to()))
                if (path == null || a.path() == path) alerts.add(a);
            body(h, what, series, earlier, compare, alerts, now);
            if (path == null) paths(h, latest, tran, span);
        } catch (HistoryException e) {
            throw new FrontEndServlet.Failure(503, "the history could not be read: " + e.getMessage());
        }
        Pages.foot(h);
        return h.toString();
    }

    /** Whether anything at all is stored for the transaction (or path) of the collector. */
    private static boolean hasHistory(List<IntervalSample> latest, String tran, Integer path) {
        for (IntervalSample s : latest)
            if (s.tran().equals(tran) && (path == null || s.path() == path)) return true;
        return false;
    }

    /** Links to the trend of each path of the transaction, whose thresholds the whole transaction lacks. */
    private void paths(Html h, List<IntervalSample> latest, String tran, Span span) throws Params.BadParameter {
        java.util.TreeSet<Integer> paths = new java.util.TreeSet<>();
        for (IntervalSample s : latest) if (s.tran().equals(tran)) paths.add(s.path());
        String c = params.value("collector") == null ? null : view.collector();
        h.raw("<h2>Paths</h2><p class=\"links\">").text("Thresholds belong to paths; the trend of each path shows"
                + " its own: ");
        for (int p : paths) h.link(Html.url(ctx + "/trend", "tran", tran, "path", p, "range", span.range(),
                "from", span.range() == null ? params.value("from") : null,
                "to", span.range() == null ? params.value("to") : null,
                "compare", blankToNull(params.value("compare")), "collector", c), "path " + p);
        h.raw("</p>");
    }

    private void links(Html h, String tran, Integer path) throws Params.BadParameter {
        String c = params.value("collector") == null ? null : view.collector();
        h.raw("<p class=\"links\">");
        h.link(Html.url(ctx + "/transaction", "tran", tran, "collector", c), "Transaction " + tran);
        if (path != null) h.link(Html.url(ctx + "/path", "tran", tran, "path", path, "collector", c), "Path " + path);
        h.raw("</p>");
    }

    /** The range links and the from/to form, each keeping the collector, transaction and path. */
    private void picker(Html h, String tran, Integer path, Span span) throws Params.BadParameter {
        String c = params.value("collector") == null ? null : view.collector();
        String cmp = blankToNull(params.value("compare"));
        h.raw("<nav class=\"trend-ranges\" aria-label=\"Range\">");
        for (String r : RANGES.keySet()) {
            String label = r.replaceAll("([0-9]+)", "$1 ");
            if (r.equals(span.range())) h.raw("<strong aria-current=\"page\">").text(label).raw("</strong>");
            else h.link(Html.url(ctx + "/trend", "tran", tran, "path", path, "range", r, "compare", cmp,
                    "collector", c), label);
        }
        h.raw("</nav><form class=\"trend-form\" method=\"get\"").attr("action", ctx + "/trend").raw(">");
        hidden(h, "tran", tran);
        if (path != null) hidden(h, "path", String.valueOf(path));
        if (c != null) hidden(h, "collector", c);
        DateTimeFormatter f = DateTimeFormatter.ofPattern("yyyy-MM-dd'T'HH:mm").withZone(zone);
        h.raw("<label>From <input type=\"datetime-local\" name=\"from\"")
                .attr("value", f.format(Instant.ofEpochSecond(span.from()))).raw("></label>");
        h.raw("<label>To <input type=\"datetime-local\" name=\"to\"")
                .attr("value", f.format(Instant.ofEpochSecond(span.to()))).raw("></label>");
        h.raw("<label>Compare with <select name=\"compare\">");
        String[][] options = {{"", "nothing"}, {"day", "a day earlier"}, {"week", "a week earlier"}};
        for (String[] o : options) {
            h.raw("<option").attr("value", o[0]);
            if (o[0].equals(cmp == null ? "" : cmp)) h.raw(" selected");
            h.raw(">").text(o[1]).raw("</option>");
        }
        h.raw("</select></label><button type=\"submit\">Show</button></form>");
    }

    private static void hidden(Html h, String name, String value) {
        h.raw("<input type=\"hidden\"").attr("name", name).attr("value", value).raw(">");
    }

    private void body(Html h, String what, Series series, Series earlier, Duration compare,
            List<AlertInterval> alerts, long now) throws Params.BadParameter {
        long from = series.query().from(), to = series.query().to();
        String zoneName = FrontEndServlet.zone();
        String earlierName = compare == null ? null : compare.toDays() == 1 ? "a day earlier" : "a week earlier";
        boolean seeded = view.sample();
        boolean any = false, thresholds = false;
        for (Point p : series.points()) {
            seeded |= p.seeded();
            thresholds |= !p.gap() && p.thresholds().total() != null;
            any |= !p.gap();
        }
        if (earlier != null) for (Point p : earlier.points()) seeded |= p.seeded();
        for (AlertInterval a : alerts) seeded |= a.seeded();
        DateTimeFormatter rowTime = ROW_TIME.withZone(zone);
        String fromText = rowTime.format(Instant.ofEpochSecond(from)), toText = rowTime.format(Instant.ofEpochSecond(to));
        h.raw("<p class=\"trend-about\">").text(fromText + " to " + toText + " " + zoneName + ", a point every "
                + duration(series.step()) + (series.hourly() ? " (hourly figures)" : "") + ".").raw("</p>");
        if (seeded) h.raw("<p class=\"trend-sample\" role=\"note\">").text("Some of the data shown is generated"
                + " sample data, not measured; its points are marked.").raw("</p>");
        if (!any) h.raw("<p class=\"trend-none\" role=\"status\">").text("Nothing is stored for this range: the"
                + " collector was not reached, or the front end was not polling. Pick a longer range.").raw("</p>");

        h.raw("<h2>Response time</h2>");
        StringBuilder svg = new StringBuilder(64 * 1024);
        TrendChart chart = new TrendChart(svg, from, to, zone, zoneName);
        chart.responseTime("trend-rt", "Response time of " + what,
                "Network, server, application and wait time stacked per point, in ms, with the total as a line"
                        + (earlier != null ? ", the total " + earlierName + " dashed" : "")
                        + ", the threshold, and a band of the worst alert state above; gaps are times without data.",
                series.points(), earlier == null ? null : earlier.points());
        h.raw("<figure class=\"trend-chart\">").raw(svg.toString());
        legend(h, earlierName, seeded, thresholds);
        h.raw("</figure>");
        Table.filterForm(h, params, ctx + "/trend");
        tableBox(h, "The response time as a table (" + rows(series.points().size()) + ")");
        pointsTable(earlier, zoneName, earlierName).fill(series.points(), earlier, rowTime)
                .write(h, params, ctx + "/trend", here());
        h.raw("</details>");

        h.raw("<h2>Alerts</h2>");
        if (!alerts.isEmpty()) {
            svg.setLength(0);
            chart.alerts("trend-alerts", "Alerts of " + what, "One bar per alert from its start to its end,"
                    + " coloured by its state; open alerts run to now.", alerts, series.query().path() == null, now);
            h.raw("<figure class=\"trend-chart\">").raw(svg.toString()).raw("</figure>");
        }
        Table t = new Table("trend-alerts", "Alerts of " + what, List.of(
                new Table.Column("kind", "Kind", "", false), new Table.Column("path", "Path", "", true),
                new Table.Column("state", "State", "", false), new Table.Column("start", "Start", zoneName, false),
                new Table.Column("end", "End", zoneName, false), new Table.Column("duration", "Duration", "", true),
                new Table.Column("sample", "Sample", "", false))).empty("No alerts in this range.");
        for (AlertInterval a : alerts) {
            long end = a.end() == null ? now : a.end();
            t.row(List.of(Table.Cell.of(a.kind()), Table.Cell.number(String.valueOf(a.path()), a.path()),
                    new Table.Cell(States.name(a.state()), States.name(a.state()), null, Charts.stateClass(a.state())),
                    new Table.Cell(rowTime.format(Instant.ofEpochSecond(a.start())), a.start(), null, null),
                    a.end() == null ? new Table.Cell("open", Long.MAX_VALUE, null, null)
                            : new Table.Cell(rowTime.format(Instant.ofEpochSecond(a.end())), a.end(), null, null),
                    Table.Cell.number(Values.duration(end - a.start()), end - a.start()),
                    Table.Cell.of(a.seeded() ? "sample" : "")));
        }
        tableBox(h, "The alerts as a table (" + rows(alerts.size()) + ")");
        t.write(h, params, ctx + "/trend", here());
        h.raw("</details>");
    }

    /**
     * Opens the box of a chart's table: closed at first, so the charts come first, and open when
     * the query sorts or filters (the reader is working with the tables).
     */
    private void tableBox(Html h, String summary) {
        boolean open = params.first("sort") != null || params.first("q") != null;
        h.raw(open ? "<details class=\"trend-table\" open><summary>" : "<details class=\"trend-table\"><summary>")
                .text(summary).raw("</summary>");
    }

    private static void legend(Html h, String earlierName, boolean seeded, boolean thresholds) {
        h.raw("<figcaption><ul class=\"trend-legend\">");
        for (int i = 0; i < 4; i++)
            h.raw("<li><span class=\"sw c").text(i).raw("\"></span>").text(TrendChart.COMPONENTS[i]).raw("</li>");
        h.raw("<li><span class=\"sw total\"></span>Total</li>");
        if (thresholds) h.raw("<li><span class=\"sw threshold\"></span>Threshold</li>");
        if (earlierName != null) h.raw("<li><span class=\"sw compare\"></span>").text("Total " + earlierName)
                .raw("</li>");
        h.raw("<li><span class=\"sw gap\"></span>No data</li>");
        for (int s = 0; s <= 2; s++)
            h.raw("<li><span class=\"sw ").raw(Charts.stateClass(s)).raw("\"></span>").text("State " + States.name(s))
                    .raw("</li>");
        if (seeded) h.raw("<li><span class=\"sw seeded\"></span>Sample data</li>");
        h.raw("</ul></figcaption>");
    }

    /** The points of the chart as table rows: a gap is a row of empty cells, never zeros. */
    private static final class PointsTable {
        final Table table;
        final boolean compare;

        PointsTable(Table table, boolean compare) {
            this.table = table;
            this.compare = compare;
        }

        PointsTable fill(List<Point> points, Series earlier, DateTimeFormatter rowTime) {
            Map<Long, Point> before = new HashMap<>();
            if (earlier != null) for (Point p : earlier.points()) before.put(p.start(), p);
            for (Point p : points) {
                List<Table.Cell> r = new ArrayList<>(compare ? 10 : 9);
                r.add(new Table.Cell(rowTime.format(Instant.ofEpochSecond(p.start())), p.start(), null, null));
                Components<Double> t = p.times();
                for (Double v : new Double[] {t.network(), t.server(), t.application(), t.waiting(), t.total()})
                    r.add(ms(v));
                r.add(ms(p.thresholds().total()));
                if (compare) {
                    Point e = before.get(p.start());
                    r.add(ms(e == null || e.gap() ? null : e.times().total()));
                }
                int s = TrendChart.worst(p.states());
                r.add(p.gap() ? new Table.Cell("no data", "", null, "gap")
                        : s < 0 ? Table.Cell.of("") : new Table.Cell(States.name(s), States.name(s), null,
                                Charts.stateClass(s)));
                r.add(Table.Cell.of(p.seeded() ? "sample" : ""));
                table.row(r);
            }
            return this;
        }

        void write(Html h, Params p, String path, List<Object> here) {
            table.write(h, p, path, here);
        }
    }

    private static PointsTable pointsTable(Series earlier, String zoneName, String earlierName) {
        List<Table.Column> cols = new ArrayList<>(List.of(new Table.Column("time", "Start", zoneName, false),
                new Table.Column("network", "Network", "ms", true), new Table.Column("server", "Server", "ms", true),
                new Table.Column("application", "Application", "ms", true),
                new Table.Column("wait", "Wait", "ms", true), new Table.Column("total", "Total", "ms", true),
                new Table.Column("threshold", "Threshold", "ms", true)));
        if (earlier != null) cols.add(new Table.Column("earlier", "Total " + earlierName, "ms", true));
        cols.add(new Table.Column("state", "Worst state", "", false));
        cols.add(new Table.Column("sample", "Sample", "", false));
        return new PointsTable(new Table("trend-points", "Response time per point", cols), earlier != null);
    }

    private static Table.Cell ms(Double v) {
        if (v == null) return new Table.Cell("", null, null, null);
        return Table.Cell.number(oneDecimal(v), v);
    }

    /** A value with one decimal, as String.format("%.1f") writes it but without its cost per cell. */
    static String oneDecimal(double v) {
        long tenths = Math.round(Math.abs(v) * 10);
        return (v < 0 && tenths != 0 ? "-" : "") + tenths / 10 + "." + tenths % 10;
    }

    /** This page's parameters other than sort, dir and csv, for the tables' links. */
    private List<Object> here() {
        List<Object> pairs = new ArrayList<>();
        for (Map.Entry<String, List<String>> e : new TreeMap<>(params.all()).entrySet()) {
            if (e.getKey().equals("sort") || e.getKey().equals("dir") || e.getKey().equals("csv")) continue;
            for (String v : e.getValue()) {
                pairs.add(e.getKey());
                pairs.add(v);
            }
        }
        return pairs;
    }

    private static String rows(int n) {
        return n == 1 ? "1 row" : n + " rows";
    }

    private static String duration(int seconds) {
        if (seconds % 3600 == 0) return seconds / 3600 + " h";
        if (seconds % 60 == 0) return seconds / 60 + " min";
        return seconds + " s";
    }
}
