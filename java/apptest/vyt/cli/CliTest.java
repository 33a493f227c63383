package vyt.cli;

import vyt.catalog.*;
import vyt.client.*;
import vyt.collector.*;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.util.List;

import org.junit.jupiter.api.AfterAll;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/** The command line: its commands, options, output and exit statuses. */
class CliTest {
    static Collector collector;

    @BeforeAll
    static void start() throws Exception {
        collector = new Collector(new Sample(1114672121), 0);
    }

    @AfterAll
    static void stop() {
        collector.close();
    }

    /** Runs the command line; returns exit status, standard output and standard error. */
    static Object[] run(String... args) {
        ByteArrayOutputStream out = new ByteArrayOutputStream(), err = new ByteArrayOutputStream();
        int status = new Cli(new PrintStream(out, true, StandardCharsets.UTF_8),
                new PrintStream(err, true, StandardCharsets.UTF_8)).run(args);
        return new Object[] {status, out.toString(StandardCharsets.UTF_8), err.toString(StandardCharsets.UTF_8)};
    }

    static String at() {
        return collector.host() + ":" + collector.port();
    }

    @Test
    void reportsListsEveryNameWithItsOptions() {
        Object[] r = run("reports");
        assertEquals(0, r[0]);
        String[] lines = ((String) r[1]).split("\n");
        assertEquals(32, lines.length);
        for (int i = 0; i < 32; i++) {
            Catalog.Kind k = Catalog.byType(i + 1);
            assertTrue(lines[i].startsWith(k.name() + " "), lines[i]);
            assertTrue(lines[i].endsWith(k.title()), lines[i]);
        }
        assertTrue(lines[7].contains("--tran --path --view"), lines[7]);
        assertTrue(lines[23].contains("--tran --continue --continue2 --scroll"), lines[23]);
    }

    @Test
    void aReportPrintsHeaderValuesAndAnAlignedTable() {
        Object[] r = run("report", "all-transactions", "--collector", at());
        assertEquals(0, r[0], (String) r[2]);
        Sample s = collector.sample();
        assertEquals(String.join("\n",
                "== all-transactions (report type 1): All monitored transactions ==",
                "collectorStartupTime: " + s.startup,
                "flags: 0x2400000",
                "4 entries",
                "tranName            flags",
                "checkout        0x2400000",
                "login            0x400000",
                "search           0x400000",
                "nightly-export        0x0", ""), r[1]);
    }

    @Test
    void alertStartTextsShowTheirLineBreakAsABlank() {
        Object[] r = run("report", "current-alerts", "--collector", at());
        assertEquals(0, r[0], (String) r[2]);
        String out = (String) r[1];
        assertTrue(out.contains("\n06:38:11 04/28  checkout  "), out);
        assertTrue(!out.contains("<br>"), out);
    }

    @Test
    void theEmbeddedCollectorFillsTheSampleDefaults() {
        Object[] r = run("report", "transaction-info");
        assertEquals(0, r[0], (String) r[2]);
        assertTrue(((String) r[1]).contains("\ntranName: checkout\n"), (String) r[1]);

        Object[] p = run("report", "path-ports", "--tran", "login");
        assertEquals(0, p[0], (String) p[2]);
        assertTrue(((String) p[1]).contains("\npathId: 1\n"), (String) p[1]);
        assertTrue(((String) p[1]).contains("65535  0x10000"), (String) p[1]);
    }

    @Test
    void optionsReachTheRequest() throws Exception {
        Object[] r = run("report", "sub-transactions", "--collector", at(), "--tran", "checkout", "--continue", "20",
                "--scroll", "0x2");
        assertEquals(0, r[0], (String) r[2]);
        String out = (String) r[1];
        assertTrue(out.contains("\nreportEntryCt: 2\nreportEntryContinueIdx: 22\nreportEntryContinueIdx2: 23\n"), out);
        assertTrue(out.contains(collector.sample().transaction("checkout").urls().get(21)), out);

        Cli.ReportArgs a = Cli.parseReport(new String[] {"add-url-rule", "--tran", "t", "--sub", "/u", "--view",
            "URL_LIST_TYPE_EXCLUDE|URL_SEARCH_TYPE_CONTAINS", "--trace"});
        assertEquals(List.of("t", "/u", 0x8 | 0x400), List.of(a.sel.tran(), a.sel.sub(), a.sel.view()));
        assertTrue(a.trace);
    }

    @Test
    void commandLineMistakesExitWithUsage() {
        String[][] bad = {
            {}, {"frobnicate"}, {"report"}, {"report", "no-such-report"}, {"report", "all-transactions", "--tran", "x"},
            {"report", "summary", "--path", "one"}, {"report", "summary", "--path"}, {"report", "summary", "--bogus", "1"},
            {"report", "wait-detail", "--view", "NOT_A_FLAG"}, {"report", "summary", "--collector", "nohost"},
            {"reports", "extra"}, {"collector", "--port", "70000"},
        };
        for (String[] args : bad) {
            Object[] r = run(args);
            assertEquals(2, r[0], String.join(" ", args));
            assertTrue(((String) r[2]).contains("usage: vyt demo"), (String) r[2]);
        }
        assertTrue(((String) run("report", "all-transactions", "--tran", "x")[2])
                .contains("all-transactions does not take --tran"));
    }

    @Test
    void failuresExitWithOneAndSayWhy() throws Exception {
        Object[] r = run("report", "summary", "--collector", at(), "--tran", "nope", "--path", "1");
        assertEquals(1, r[0]);
        assertEquals("vyt: summary: transaction not found: \"nope\"\n", r[2]);

        int port;
        try (java.net.ServerSocket s = new java.net.ServerSocket(0)) {
            port = s.getLocalPort();
        }
        Object[] u = run("report", "all-transactions", "--collector", "127.0.0.1:" + port);
        assertEquals(1, u[0]);
        assertTrue(((String) u[2]).startsWith("vyt: all-transactions: collector unreachable at 127.0.0.1:" + port),
                (String) u[2]);
    }

    @Test
    void traceLeavesTheRequestAndReplyDumpsInLogs() throws Exception {
        int mark = Files.exists(Cli.TRACE_FILE) ? (int) Files.size(Cli.TRACE_FILE) : 0;
        Object[] r = run("report", "current-alerts", "--trace", "--collector", at());
        assertEquals(0, r[0], (String) r[2]);
        assertTrue(((String) r[1]).endsWith("trace written to " + Cli.TRACE_FILE.toAbsolutePath() + "\n"));
        String trace = new String(Files.readAllBytes(Cli.TRACE_FILE), StandardCharsets.ISO_8859_1).substring(mark);
        int request = trace.indexOf("buildVYTRequest Entry: type<11>");
        int reply = trace.indexOf("Java_VYTreport_mapData Entry: rep_type<11>");
        assertTrue(request >= 0 && reply > request, trace);
        assertTrue(trace.indexOf("PrintDump Entry:", request) < reply, "request dump");
        assertTrue(trace.indexOf("PrintDump Entry:", reply) > reply, "reply dump");
        assertTrue(trace.contains("\nProcessCurrentAlertData Exit: status=0\n"), trace);
    }

    @Test
    void demoDecodesEveryReportKind() {
        Object[] r = run("demo");
        String out = (String) r[1];
        assertEquals(0, r[0], out + r[2]);
        for (Catalog.Kind k : Catalog.all())
            assertTrue(out.contains("\n== " + k.name() + " (report type " + k.type() + "): "), k.name());
        assertTrue(out.endsWith("\ndecoded 32 of 32 report kinds\n"), out);
        assertTrue(!out.contains("failed:"), out);
        // The rule operations of the demo succeed: remove, get and edit find the rules they name.
        for (int type = 28; type <= 32; type++) {
            Catalog.Kind k = Catalog.byType(type);
            int from = out.indexOf("\n== " + k.name() + " ");
            int to = out.indexOf("\n== ", from + 1);
            String section = out.substring(from, to < 0 ? out.length() : to);
            assertTrue(section.contains("\nreportReturnCode: 0\n"), section);
        }
    }

    @Test
    void thePrinterShowsEmptyReportsAndMissingCallsPlainly() {
        Target t = new Target();
        t.addEntry("checkout", "db-01", 31, 0x100000);
        t.addEntry("checkout", "web-01.example.test", 7, 0);
        ByteArrayOutputStream b = new ByteArrayOutputStream();
        Printer.print(Report.of(Catalog.byType(20), t.calls()), new PrintStream(b, true,
                StandardCharsets.UTF_8));
        assertEquals(String.join("\n",
                "== transaction-servers (report type 20): Servers of a transaction ==",
                "2 entries",
                "tranName  serverIPNetName      serverId     flags",
                "checkout  db-01                      31  0x100000",
                "checkout  web-01.example.test         7       0x0", ""), b.toString(StandardCharsets.UTF_8));

        Target none = new Target();
        none.setData(5, 6);
        ByteArrayOutputStream e = new ByteArrayOutputStream();
        Printer.print(Report.of(Catalog.byType(1), none.calls()), new PrintStream(e, true,
                StandardCharsets.UTF_8));
        assertTrue(e.toString(StandardCharsets.UTF_8).endsWith("flags: 0x6\n0 entries\n"));
        assertThrows(IllegalStateException.class, () -> Report.of(Catalog.byType(1), new Target().calls()));
    }
}
