package vyt.cli;

import vyt.catalog.*;
import vyt.client.*;
import vyt.collector.*;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.net.InetAddress;
import java.net.UnknownHostException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.time.Instant;

import com.fasterxml.jackson.databind.JsonNode;
import com.fasterxml.jackson.databind.ObjectMapper;

import org.junit.jupiter.api.AfterAll;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;
import org.vytjni.api.ReportFlags;
import org.vytjni.api.reports.AllTransactions;
import org.vytjni.api.reports.TransactionServers;

/**
 * The command line: command lines with their exit status and the first lines they print, the
 * JSON of each report family, trace, demo and the embedded collector's defaults. Runs in UTC.
 */
class CliTest {
    /** 2005-04-28 07:08:41 UTC; the sample collector started 26 hours, 3 minutes and 4 seconds before. */
    static final int NOW = 1114672121;
    static final String UNKNOWN_HOST = "no-such-collector.invalid";

    static Collector collector;
    /** The collector at the default port, for --collector HOST without a port. */
    static Collector atDefaultPort;

    @BeforeAll
    static void start() throws Exception {
        collector = new Collector(new Sample(NOW), 0);
        try {
            atDefaultPort = new Collector(new Sample(NOW), Cli.DEFAULT_PORT);
        } catch (java.net.BindException e) {
            atDefaultPort = null;  // in use here: the unknown-host case still shows the default port
        }
    }

    @AfterAll
    static void stop() {
        collector.close();
        if (atDefaultPort != null) atDefaultPort.close();
    }

    record Run(int status, String out, String err) {
        List<String> outLines() {
            String s = out.endsWith("\n") ? out.substring(0, out.length() - 1) : out;
            return s.isEmpty() ? List.of() : Arrays.asList(s.split("\n", -1));
        }

        static String first(String s) {
            int nl = s.indexOf('\n');
            return nl < 0 ? s : s.substring(0, nl);
        }
    }

    /** Runs the command line in this JVM; host names resolve without DNS, and one is unknown. */
    static Run run(String... args) {
        ByteArrayOutputStream out = new ByteArrayOutputStream(), err = new ByteArrayOutputStream();
        int status = new Cli(new PrintStream(out, true, StandardCharsets.UTF_8),
                new PrintStream(err, true, StandardCharsets.UTF_8), host -> {
                    if (host.equals(UNKNOWN_HOST)) throw new UnknownHostException(host);
                    return InetAddress.getByName(host.equals("localhost") ? "127.0.0.1" : host);
                }).run(args);
        return new Run(status, out.toString(StandardCharsets.UTF_8), err.toString(StandardCharsets.UTF_8));
    }

    static String at() {
        return collector.host() + ":" + collector.port();
    }

    /**
     * One command line: its exit status, the first line of stdout and of stderr (null: not
     * checked; a trailing "..." compares the beginning only), and a line stdout must hold.
     */
    record Case(int status, String out, String err, String line, String... args) {}

    static Case c(int status, String out, String err, String... args) {
        return new Case(status, out, err, null, args);
    }

    static Case holding(String line, String... args) {
        return new Case(0, null, "", line, args);
    }

    static void assertLine(String expected, String actual, String what) {
        if (expected == null) return;
        if (expected.endsWith("...")) {
            String prefix = expected.substring(0, expected.length() - 3);
            assertTrue(actual.startsWith(prefix),
                    what + ": expected to begin with <" + prefix + "> but was <" + actual + ">");
        } else {
            assertEquals(expected, actual, what);
        }
    }

    @Test
    void commandLines() throws Exception {
        int free;
        try (java.net.ServerSocket s = new java.net.ServerSocket(0)) {
            free = s.getLocalPort();
        }
        String w = at();
        String title = "== all-transactions (report type 1): All monitored transactions ==";
        String seeTop = "see: vyt --help";
        List<Case> cases = Arrays.asList(
            // help and version
            c(0, "Usage: vyt [-hV] [COMMAND]", "", "--help"),
            c(0, "vyt ...", "", "--version"),
            c(0, "Usage: vyt report current-alerts [-h] [--trace] [--wide] [--collector=HOST[:...", "",
                    "report", "current-alerts", "--help"),
            c(0, "Usage: vyt report [-h] NAME", "", "report", "--help"),
            c(0, "Usage: vyt report [-h] NAME", "", "help", "report"),
            c(0, "Usage: vyt collector [-h] [--interval=SECONDS] [--port=N]", "", "collector", "--help"),
            // names the library would refuse, explained before sending
            c(2, "", "vyt: --tran is 200 bytes long in UTF-8, but the request's transaction name field holds at"
                    + " most 64 bytes", "report", "summary", "--collector", w, "--tran", "x".repeat(200)),
            c(2, "", "vyt: --tran is 66 bytes long in UTF-8, but the request's transaction name field holds at"
                    + " most 64 bytes", "report", "summary", "--collector", w, "--tran", "\u00e9".repeat(33)),
            c(2, "", "vyt: --tran has an unpaired surrogate U+D800 at character 3; a transaction name is sent as UTF-8,"
                    + " which has no encoding for it", "report", "transaction-info", "--tran", "ab\ud800c"),
            c(2, "", "vyt: --sub is 1025 bytes long in UTF-8...", "report", "add-url-rule", "--sub", "/".repeat(1025)),
            // 16 characters of 4 bytes fill the 64-byte field exactly: sent, and the collector has no such name
            c(1, "", "vyt: transaction-info: the collector has no transaction \"" + "\ud83d\ude00".repeat(16)
                    + "\" (vyt report all-transactions lists them)", "report", "transaction-info", "--collector", w,
                    "--tran", "\ud83d\ude00".repeat(16)),
            // numbers out of range name the option
            c(2, "", "vyt: Invalid value for option '--scroll': -5 is out of range: --scroll takes 0 to 2147483647",
                    "report", "sub-transactions", "--scroll", "-5"),
            c(2, "", "vyt: Invalid value for option '--path': 99999999999 is out of range: --path takes 0 to"
                    + " 2147483647",
                    "report", "summary", "--path", "99999999999"),
            c(2, "", "vyt: Invalid value for option '--view': 0x100000000 is out of range: --view takes 0 to"
                    + " 0xffffffff",
                    "report", "wait-detail", "--view", "0x100000000"),
            c(2, "", "vyt: Invalid value for option '--port': 70000 is out of range: --port takes 0 to 65535",
                    "collector", "--port", "70000"),
            c(2, "", "vyt: Invalid value for option '--collector': 0 is out of range: --collector takes 1 to 65535",
                    "report", "summary", "--collector", "127.0.0.1:0"),
            // collector error codes as sentences
            c(1, "", "vyt: summary: transaction \"checkout\" has no path 99 (vyt report transaction-paths --tran"
                    + " checkout lists them)", "report", "summary", "--collector", w, "--path", "99",
                    "--tran", "checkout"),
            c(1, "", "vyt: server-load: transaction \"checkout\" has no server 99 (vyt report transaction-servers"
                    + " --tran checkout lists them)", "report", "server-load", "--collector", w, "--tran", "checkout",
                    "--server", "99"),
            c(1, "", "vyt: summary: the collector has no transaction \"nope\" (vyt report all-transactions lists them)",
                    "report", "summary", "--collector", w, "--tran", "nope", "--path", "1"),
            // hosts and ports
            c(1, "", "vyt: unknown host " + UNKNOWN_HOST + ": it does not resolve to an address (--collector "
                    + UNKNOWN_HOST + ":47300)", "report", "all-transactions", "--collector", UNKNOWN_HOST),
            c(1, "", "vyt: all-transactions: collector unreachable at 127.0.0.1:" + free + "...",
                    "report", "all-transactions", "--collector", "127.0.0.1:" + free),
            atDefaultPort == null ? null : c(0, title, "", "report", "all-transactions", "--collector", "localhost"),
            // misspelt names get the closest matches
            c(2, "", "vyt: Invalid value for option '--view': unknown flag name VIEW_DISTRIBUTOINS (did you mean"
                    + " VIEW_DISTRIBUTIONS?); network-detail takes CLIENT_PATH, MIDDLE_PATH, ...",
                    "report", "network-detail", "--view", "VIEW_DISTRIBUTOINS"),
            c(2, "", "vyt: Invalid value for option '--view': unknown flag name VIEW_DISTRIBUTIONS; add-url-rule takes"
                    + " URL_LIST_TYPE_INCLUDE, URL_LIST_TYPE_EXCLUDE, URL_SEARCH_TYPE_EXACT_MATCH,"
                    + " URL_SEARCH_TYPE_BEGINS_WITH,"
                    + " URL_SEARCH_TYPE_CONTAINS, URL_SEARCH_TYPE_ENDS_WITH", "report", "add-url-rule", "--view",
                    "VIEW_DISTRIBUTIONS"),
            c(2, "", "vyt: unknown report curent-alerts (did you mean current-alerts or event-alerts?); vyt reports"
                    + " lists them", "report", "curent-alerts"),
            c(2, "", "vyt: unknown option --trna (did you mean --tran?)", "report", "summary", "--trna", "x"),
            c(2, "", "vyt: unknown command frobnicate", "frobnicate"),
            c(2, "", "vyt: all-transactions does not take --tran; it takes no selection options",
                    "report", "all-transactions", "--tran", "x"),
            c(2, "", "vyt: summary does not take --scroll; it takes --tran --path",
                    "report", "summary", "--scroll", "3"),
            // other command line mistakes
            c(2, "", "vyt: a command is needed"),
            c(2, "", "vyt: report needs a report name (vyt reports lists them)", "report"),
            c(2, "", "vyt: Invalid value for option '--path': 'one' is not a number",
                    "report", "summary", "--path", "one"),
            c(2, "", "vyt: Missing required parameter for option '--path' (N)", "report", "summary", "--path"),
            c(2, "", "vyt: unexpected argument extra", "reports", "extra"),
            c(2, "", "vyt: Invalid value for option '--format': expected one of [TABLE, JSON, CSV] (case-insensitive)"
                    + " but was 'xml'", "report", "summary", "--format", "xml"),
            // rule operations: refused ones exit 3 and say why
            c(3, "== remove-url-rule (report type 29): Remove a URL rule ==", "vyt: remove-url-rule refused (return"
                    + " code 1): transaction \"checkout\" has no URL rule number 99; vyt report url-rules --tran"
                    + " checkout lists them", "report", "remove-url-rule", "--collector", w, "--tran", "checkout",
                    "--continue", "99"),
            c(3, "== add-url-rule (report type 28): Add a URL rule ==", "vyt: add-url-rule refused (return code 2):"
                    + " another URL rule of transaction \"checkout\" already has the URL \"/shop/checkout/\"",
                    "report", "add-url-rule", "--collector", w, "--tran", "checkout", "--sub", "/shop/checkout/",
                    "--view", "URL_LIST_TYPE_INCLUDE|url_search_type_begins_with"),
            c(0, "== get-url-rule (report type 30): Show a URL rule ==", "", "report", "get-url-rule", "--collector", w,
                    "--tran", "checkout", "--continue", "1"),
            // output: formats, words, times, stderr for notes
            c(0, "{\"report\":\"current-alerts\",\"type\":11,\"title\":\"Current alerts\",\"status\":0,...", "",
                    "report", "current-alerts", "--collector", w, "--format", "json"),
            c(0, "collectorStartupTime,flags,tranName,entry.flags", "", "report", "all-transactions", "--collector", w,
                    "--format", "CSV"),
            c(0, "== current-alerts (report type 11): Current alerts ==", "trace written to "
                    + Cli.TRACE_FILE.toAbsolutePath(), "report", "current-alerts", "--trace", "--collector", w),
            holding("flags: HTTP_TRANSACTIONS|INCLUDE_EXCLUDE_URL", "report", "all-transactions", "--collector", w),
            holding("collectorStartupTime: 1114578337 (2005-04-27T05:05:37Z)", "report", "all-transactions",
                    "--collector", w),
            holding("sumDataUTCStart: 1114668521 (2005-04-28T06:08:41Z)", "report", "summary", "--collector", w,
                    "--tran", "checkout", "--path", "1"),
            holding("allState: critical", "report", "current-performance", "--collector", w),
            holding("1  06:38:11 04/28  checkout  web-01.example.test          app-01.example.test  WEB01"
                    + "           APP01"
                    + "                2", "report", "current-alerts", "--collector", w),
            holding("#  flags                pathIPDstPort  pathTotRespTimeDataCt  pathTotRespTimeAlert"
                    + "  pathNetRespTimeAlert",
                    "report", "current-alerts", "--collector", w),
            holding("branch-clients.example.test  web-01.example.test  BRANCH          WEB01           checkout"
                    + "     login"
                    + "             1          51034            443...", "report", "server-load", "--wide"),
            c(0, "NAME                   TYPE  OPTIONS                                 TITLE", "", "reports"),
            holding("sub-transactions         24  --tran --continue --continue2 --scroll  Sub-transactions (URLs) of a"
                    + " transaction", "reports"),
            holding("    CLIENT_PATH MIDDLE_PATH END_PATH CLIENT_AND_END_PATH VIEW_DISTRIBUTIONS...", "reports"));

        for (Case k : cases) {
            if (k == null) continue;
            String what = String.join(" ", k.args());
            if (what.length() > 200) what = what.substring(0, 200) + "...";
            Run r = run(k.args());
            assertEquals(k.status(), r.status(), what + "\nstdout: " + r.out() + "\nstderr: " + r.err());
            assertLine(k.out(), Run.first(r.out()), what + ": stdout");
            assertLine(k.err(), Run.first(r.err()), what + ": stderr");
            if (k.line() != null) {
                boolean found = false;
                for (String l : r.outLines()) found |= k.line().endsWith("...")
                        ? l.startsWith(k.line().substring(0, k.line().length() - 3)) : l.equals(k.line());
                assertTrue(found, what + ": no line " + k.line() + " in\n" + r.out());
            }
            boolean table = !what.contains("--format") && !what.contains("--help") && !what.contains("--wide");
            if (table) {
                for (String l : r.outLines())
                    assertTrue(l.length() <= Printer.WIDTH, what + ": a line of " + l.length() + " columns: " + l);
                assertTrue(!r.out().contains("<br>"), what + ": " + r.out());
            }
            if (what.contains("--wide"))
                assertTrue(r.outLines().stream().anyMatch(l -> l.length() > Printer.WIDTH), what + ": not wide");
        }
    }

    @Test
    void reportsListsEveryKindWithItsTypeAndTitle() {
        List<String> lines = run("reports").outLines();
        for (Catalog.Kind k : Catalog.all()) {
            String line = lines.get(k.type());
            assertTrue(line.startsWith(k.name() + " ") && line.contains(" " + k.type() + "  ")
                    && line.endsWith(k.title()), line);
        }
    }

    // ---- JSON: one round trip per report family ---------------------------------------------

    @Test
    void jsonOfEachReportFamilyHoldsTheDecodedValuesUnderTheirNames() throws Exception {
        Client client = new Client(collector.host(), collector.port());
        ObjectMapper mapper = new ObjectMapper();
        String[][] families = {
            {"all-transactions"}, {"url-rules", "--tran", "checkout"}, {"response-time", "--tran", "login"},
            {"network-detail", "--tran", "checkout", "--path", "2", "--view", "VIEW_DISTRIBUTIONS"},
            {"current-alerts"}, {"thresholds", "--tran", "search", "--path", "1"},
        };
        for (String[] f : families) {
            List<String> args = new ArrayList<>(List.of("report"));
            args.addAll(List.of(f));
            args.addAll(List.of("--collector", at(), "--format", "json"));
            Run r = run(args.toArray(new String[0]));
            assertEquals(0, r.status(), f[0] + ": " + r.err());
            JsonNode j = mapper.readTree(r.out());

            Catalog.Kind k = Catalog.byName(f[0]);
            Client.Selection sel = Client.Selection.NONE.tran(f.length > 2 ? f[2] : "").path(f.length > 4
                    ? Integer.parseInt(f[4]) : 0).view(f.length > 6 ? Flags.VIEW_DISTRIBUTIONS : 0);
            NamedValues expected = NamedValues.of(client.fetch(k, sel, false));
            assertEquals(k.name(), j.get("report").textValue());
            assertEquals(k.type(), j.get("type").intValue());
            assertEquals(0, j.get("status").intValue());
            assertEquals(k.hasSetData(), !j.get("setData").isNull(), f[0]);
            if (k.hasSetData()) assertObject(f[0] + " setData", k.setData(), expected.headerValues(), j.get("setData"));
            assertEquals(expected.entryCount(), j.get("entries").size(), f[0]);
            assertTrue(k.hasAddEntry() == expected.entryCount() > 0, f[0] + ": the sample has entries");
            for (int i = 0; i < expected.entryCount(); i++)
                assertObject(f[0] + " entry " + i, k.addEntry(), expected.entries().get(i), j.get("entries").get(i));
        }
    }

    static void assertObject(String what, List<Catalog.Param> params, List<Object> values, JsonNode o) {
        assertEquals(params.size(), o.size(), what);
        for (int i = 0; i < params.size(); i++) {
            JsonNode v = o.get(params.get(i).name());
            assertTrue(v != null, what + ": no " + params.get(i).name());
            if (params.get(i).text()) assertEquals(values.get(i), v.textValue(), what + " " + params.get(i).name());
            else assertEquals(values.get(i), v.intValue(), what + " " + params.get(i).name());
        }
    }

    // ---- whole commands ----------------------------------------------------------------------

    @Test
    void theEmbeddedCollectorFillsTheSampleDefaultsAndOptionsReachTheRequest() {
        Run r = run("report", "transaction-info");
        assertEquals(0, r.status(), r.err());
        assertTrue(r.out().contains("\ntranName: checkout\n"), r.out());

        Run p = run("report", "path-ports", "--tran", "login");
        assertEquals(0, p.status(), p.err());
        assertTrue(p.out().contains("\npathId: 1\n"), p.out());
        assertTrue(p.out().contains("\n     65535  SRC_PORT\n"), p.out());

        Run s = run("report", "sub-transactions", "--collector", at(), "--tran", "checkout", "--continue", "20",
                "--scroll", "0x2");
        assertEquals(0, s.status(), s.err());
        assertTrue(s.out().contains("\nreportEntryCt: 2\nreportEntryContinueIdx: 22\nreportEntryContinueIdx2: 23\n"),
                s.out());
        assertTrue(s.out().contains(collector.sample().transaction("checkout").urls().get(21)), s.out());
    }

    @Test
    void traceLeavesTheRequestAndReplyDumpsInLogs() throws Exception {
        int mark = Files.exists(Cli.TRACE_FILE) ? (int) Files.size(Cli.TRACE_FILE) : 0;
        Run r = run("report", "current-alerts", "--trace", "--collector", at());
        assertEquals(0, r.status(), r.err());
        assertTrue(!r.out().contains("trace written"), r.out());
        String trace = new String(Files.readAllBytes(Cli.TRACE_FILE), StandardCharsets.ISO_8859_1).substring(mark);
        int request = trace.indexOf("buildVYTRequest Entry: type<11>");
        int reply = trace.indexOf("decodeTyped Entry: rep_type<11>");
        assertTrue(request >= 0 && reply > request, trace);
        assertTrue(trace.indexOf("PrintDump Entry:", request) < reply, "request dump");
        assertTrue(trace.indexOf("PrintDump Entry:", reply) > reply, "reply dump");
        assertTrue(trace.contains("\nProcessCurrentAlertData Exit: status=0\n"), trace);
    }

    @Test
    void demoDecodesEveryReportKindWithinTheWidth() {
        Run r = run("demo");
        assertEquals(0, r.status(), r.err());
        for (Catalog.Kind k : Catalog.all())
            assertTrue(r.out().contains("== " + k.name() + " (report type " + k.type() + "): "), k.name());
        for (String l : r.outLines()) assertTrue(l.length() <= Printer.WIDTH, l);
        assertTrue(r.err().startsWith("sample collector on 127.0.0.1:"), r.err());
        assertTrue(r.err().endsWith("\ndecoded 32 of 32 report kinds\n"), r.err());
        // The rule operations of the demo succeed: remove, get and edit find the rules they name.
        for (int type = 28; type <= 32; type++) {
            Catalog.Kind k = Catalog.byType(type);
            int from = r.out().indexOf("== " + k.name() + " ");
            int to = r.out().indexOf("\n== ", from + 1);
            String section = r.out().substring(from, to < 0 ? r.out().length() : to);
            assertTrue(section.contains("\nreportReturnCode: 0\n"), section);
        }
    }

    @Test
    void thePrinterShowsEmptyReportsAndWrapsLongTexts() {
        Printer printer = new Printer(java.time.ZoneOffset.UTC);
        ByteArrayOutputStream b = new ByteArrayOutputStream();
        printer.table(new TransactionServers(List.of(
                new TransactionServers.Entry("checkout", "db-01", 31, ReportFlags.of(0x100000)),
                new TransactionServers.Entry("checkout", "x".repeat(150), 7, ReportFlags.of(0)))), false,
                new PrintStream(b, true, StandardCharsets.UTF_8));
        assertEquals(String.join("\n",
                "== transaction-servers (report type 20): Servers of a transaction ==",
                "2 entries",
                "#  tranName  serverIPNetName",
                "1  checkout  db-01",
                "2  checkout  " + "x".repeat(107),
                "             " + "x".repeat(43),
                "",
                "#  serverId  flags",
                "1        31  MSERVER_OFFLINE",
                "2         7  0", ""), b.toString(StandardCharsets.UTF_8));

        ByteArrayOutputStream e = new ByteArrayOutputStream();
        printer.table(new AllTransactions(Instant.ofEpochSecond(5), ReportFlags.of(6), List.of()), false,
                new PrintStream(e, true, StandardCharsets.UTF_8));
        assertTrue(e.toString(StandardCharsets.UTF_8).endsWith("flags: MIDDLE_PATH|END_PATH\n0 entries\n"));
    }
}
