package vyt.web;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.net.http.HttpResponse;
import java.time.Duration;
import java.time.LocalDate;
import java.util.ArrayList;
import java.util.List;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.junit.jupiter.api.AfterAll;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;
import vyt.collector.Sample;

/** The pages as people read them: values by role, tables sorted, filtered and downloaded through the query. */
class ReadablePagesTest {
    static {
        WebTestSupport.quiet();
    }

    static WebServer web;
    static WebTestSupport.Browser browser;

    @BeforeAll
    static void start() throws Exception {
        web = WebTestSupport.start("--data-set", "markup");
        browser = new WebTestSupport.Browser(web.url());
    }

    @AfterAll
    static void stop() throws Exception {
        web.stop();
    }

    static String page(String path) throws Exception {
        HttpResponse<String> r = browser.get(path);
        assertEquals(200, r.statusCode(), path + ": " + r.body());
        return r.body();
    }

    /** The rows of the table with that id, each as its cells' (class, text) pairs. */
    static List<List<String[]>> rows(String html, String id) {
        int start = html.indexOf("<table id=\"" + id + "\">");
        assertTrue(start >= 0, "no table " + id);
        String body = html.substring(html.indexOf("<tbody>", start), html.indexOf("</tbody>", start));
        List<List<String[]>> out = new ArrayList<>();
        Matcher row = Pattern.compile("<tr>(.*?)</tr>").matcher(body);
        while (row.find()) {
            List<String[]> cells = new ArrayList<>();
            Matcher c = Pattern.compile("<td(?: class=\"([^\"]*)\")?>(.*?)</td>").matcher(row.group(1));
            while (c.find()) cells.add(new String[] {c.group(1) == null ? "" : c.group(1),
                c.group(2).replaceAll("<[^>]+>", "")});
            out.add(cells);
        }
        return out;
    }

    static int column(String html, String id, String heading) {
        int start = html.indexOf("<table id=\"" + id + "\">");
        String head = html.substring(start, html.indexOf("</thead>", start));
        Matcher th = Pattern.compile("<th[^>]*><a[^>]*>([^<]*)</a></th>").matcher(head);
        for (int i = 0; th.find(); i++) if (th.group(1).startsWith(heading)) return i;
        throw new AssertionError("no column " + heading + " in " + id);
    }

    /** A library time text (12/09/26, 14:05:00<br>12/09) or a raw catalogue name as a label. */
    static final Pattern UNREADABLE = Pattern.compile(
            "\\d\\d/\\d\\d|<br>\\d|>0x[0-9a-f]+<|<dt>[a-z]+[A-Z]\\w*</dt>|<th[^>]*><a[^>]*>[a-z]+[A-Z]\\w*<");

    @Test
    void valuesShowByTheirRoleInOneTimeFormat() throws Exception {
        // page, then texts it shows (a leading ~ makes a pattern): an event's duration, states, flags, ms
        String[][] cases = {
            {"/alerts", "~<td class=\"num\">(\\d+ h )?\\d+ min \\d+ s</td>", "<td class=\"num s2\">critical</td>", " ms</td>"},
            {"/transaction?tran=checkout", "Flags: HTTP transactions, include exclude URL",
                "<td class=\"num s0\">normal</td>"},
            {"/reports/reportability", "<td>no transaction received</td>", "<td>1 d 1 h 50 min 0 s</td>"},
            {"/reports/summary?tran=checkout&path=1", "~<dd data-name=\"pathTotRespTimeDataCt\">\\d{1,3}(,\\d{3})*</dd>",
                "<dt>Path total response time average maximum</dt>"},
            {"/", "<td class=\"s2\">critical</td>", "<li class=\"tile s2\""},
        };
        Pattern time = Pattern.compile("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d(:\\d\\d)?");
        for (String[] c : cases) {
            String html = page(c[0]);
            for (int i = 1; i < c.length; i++)
                assertTrue(c[i].startsWith("~") ? Pattern.compile(c[i].substring(1)).matcher(html).find()
                        : html.contains(c[i]), c[0] + " should show " + c[i]);
            Matcher bad = UNREADABLE.matcher(html);
            assertFalse(bad.find(), c[0] + " shows " + (bad.hitEnd() ? "" : html.substring(bad.start(),
                    Math.min(html.length(), bad.end() + 20))));
            assertTrue(time.matcher(html).find(), c[0] + ": no time in the pages' format");
            assertTrue(html.contains("zone <span class=\"zone\">"), c[0] + ": the footer names the zone");
        }
    }

    @Test
    void libraryTextsReadAsTimesAndDurationsAcrossTheYearEnd() {
        LocalDate newYear = LocalDate.of(2027, 1, 1);
        String[][] cases = {
            {"12/31/26 (23:59:58)", "2026-12-31 23:59:58"},
            {"23:59:00<br>12/31", "2026-12-31 23:59:00"},  // the day before: last year
            {"00:00:05<br>01/02", "2027-01-02 00:00:05"},  // a day ahead of the server: this year
            {"12/31 23:55", "2026-12-31 23:55"},
            {"01 01:50:00", "1 d 1 h 50 min 0 s"},
            {"Last 26 hours 03 mins 04 secs", "last 1 d 2 h 3 min 4 s"},
            {"NO_TRANS_RECV", "no transaction received"},
            {"13/40/26 (10:00:00)", "13/40/26 (10:00:00)"},  // not a date: as sent
            {"Critical - checkout path 2", "Critical - checkout path 2"},
        };
        for (String[] c : cases) assertEquals(c[1], Values.libraryText(c[0], newYear), c[0]);
    }

    /** "2 h 1 min 5 s" in seconds. */
    private static long seconds(String duration) {
        long s = 0;
        Matcher m = Pattern.compile("(\\d+) (d|h|min|s)\\b").matcher(duration);
        while (m.find()) {
            long n = Long.parseLong(m.group(1));
            s += switch (m.group(2)) { case "d" -> n * 86400; case "h" -> n * 3600; case "min" -> n * 60; default -> n; };
        }
        return s;
    }

    @Test
    void tablesSortAndFilterThroughTheQuery() throws Exception {
        String html = page("/alerts?refresh=off&sort=duration&dir=desc");
        int col = column(html, "event-alerts-entries", "Duration");
        List<String> durations = new ArrayList<>();
        for (List<String[]> r : rows(html, "event-alerts-entries")) durations.add(r.get(col)[1]);
        List<Long> seconds = new ArrayList<>();
        for (String d : durations) seconds.add(seconds(d));
        List<Long> descending = new ArrayList<>(seconds);
        descending.sort(java.util.Comparator.reverseOrder());
        assertTrue(seconds.size() > 1, "the sample has several events");
        assertEquals(descending, seconds, "sorted by duration, longest first: " + durations);

        String filtered = page("/?refresh=off&q=LOGIN");
        List<String> trans = new ArrayList<>();
        for (List<String[]> r : rows(filtered, "transactions")) trans.add(r.get(0)[1]);
        assertEquals(List.of("login"), trans);
        assertTrue(filtered.contains("<input type=\"hidden\" name=\"refresh\" value=\"off\">"),
                "the filter form keeps the page's other parameters");
        assertTrue(page("/?q=no-such-text").contains("No path of any transaction is in alert."));
    }

    @Test
    void aTableDownloadsAsCsvWithCollectorTextsQuotedNotEscaped() throws Exception {
        HttpResponse<String> r = browser.get("/alerts?csv=current-url-alerts-entries&sort=tranName");
        assertEquals(200, r.statusCode(), r.body());
        assertTrue(r.headers().firstValue("Content-Type").orElse("").startsWith("text/csv"));
        String[] lines = r.body().split("\r\n");
        assertTrue(lines[0].startsWith("Alert start,Transaction name,Sub-transaction name,"), lines[0]);
        String markup = lines[1];  // "<" sorts before the letters
        assertTrue(markup.contains("," + Sample.MARKUP_TRAN + ",\"/q?a=\"\"><img src=x onerror=alert(4)>\","),
                markup);
        assertFalse(r.body().contains("&lt;"), "CSV is not HTML");

        // The URL rules: sorted like any table, their forms neither sort nor go into the CSV.
        String rules = browser.get("/rules?tran=checkout&sort=url&dir=desc&csv=rules").body();
        String[] rows = rules.split("\r\n");
        assertEquals("No.,URL,Type,Match,Hits", rows[0]);
        List<String> urls = new ArrayList<>();
        for (int i = 1; i < rows.length; i++) urls.add(rows[i].split(",")[1]);
        List<String> descending = new ArrayList<>(urls);
        descending.sort(java.util.Comparator.reverseOrder());
        assertTrue(urls.size() > 1, rules);
        assertEquals(descending, urls);
        assertTrue(page("/rules?tran=checkout").contains("<button>Save</button>"), "the rows keep their forms");
    }

    @Test
    void aFlowNodeHasTheColourOfItsRowsNodeState() throws Exception {
        String html = page("/flow?tran=checkout");
        int name = column(html, "transaction-flow-entries", "Node name");
        int state = column(html, "transaction-flow-entries", "Node worst component state");
        List<List<String[]>> rows = rows(html, "transaction-flow-entries");
        assertFalse(rows.isEmpty());
        for (List<String[]> r : rows) {
            Matcher box = Pattern.compile("<div class=\"node (s[0-9x])\" data-node=\"" + Pattern.quote(r.get(name)[1])
                    + "\">.*?<span class=\"word\">([^<]*)</span>").matcher(html);
            assertTrue(box.find(), r.get(name)[1]);
            assertEquals("num " + box.group(1), r.get(state)[0], r.get(name)[1]);
            assertEquals(box.group(2), r.get(state)[1], r.get(name)[1]);
        }
    }

    @Test
    void linksKeepACollectorOtherThanTheFirst() {
        String[][] cases = {{"b", "collector=b"}, {"a", null}};
        for (String[] c : cases) {
            View v = new View(c[0], List.of("a", "b"), null, Duration.ofSeconds(60), false, false);
            Html h = new Html();
            Pages.head(h, "", "T", false, null, v);
            assertEquals(c[1] == null ? List.of() : List.of("collector", c[0]), Pages.collectorPair(v));
            assertEquals(c[1] != null, h.toString().contains("href=\"/alerts?collector=b\""), h.toString());
        }
    }
}
