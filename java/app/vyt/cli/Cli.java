package vyt.cli;

import vyt.catalog.*;
import vyt.client.*;
import vyt.collector.*;

import java.io.IOException;
import java.io.PrintStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import java.util.Locale;

/**
 * The command line.
 *
 * <pre>
 * vyt demo                          every report kind from an embedded sample collector
 * vyt reports                       the report names and the options each takes
 * vyt report NAME [options]         one report
 * vyt collector [--port N]          the sample collector alone
 * </pre>
 */
public final class Cli {
    public static final int DEFAULT_PORT = 47300;
    public static final Path TRACE_FILE = Paths.get("logs", "VYTjni.trc");

    /** Exit statuses. */
    public static final int OK = 0;
    public static final int FAILED = 1;
    public static final int USAGE = 2;

    private final PrintStream out;
    private final PrintStream err;

    public Cli(PrintStream out, PrintStream err) {
        this.out = out;
        this.err = err;
    }

    public static void main(String[] args) {
        int status = new Cli(System.out, System.err).run(args);
        System.out.flush();
        System.exit(status);
    }

    public static final String USAGE_TEXT = String.join("\n",
            "usage: vyt demo",
            "       vyt reports",
            "       vyt report NAME [--tran T] [--sub URL] [--path N] [--server N] [--view FLAGS]",
            "                       [--continue N] [--continue2 N] [--scroll N] [--trace] [--collector HOST:PORT]",
            "       vyt collector [--port N]");

    public int run(String[] args) {
        if (args.length == 0) {
            err.println(USAGE_TEXT);
            return USAGE;
        }
        String[] rest = java.util.Arrays.copyOfRange(args, 1, args.length);
        try {
            switch (args[0]) {
                case "demo": return demo(rest);
                case "reports": return reports(rest);
                case "report": return report(rest);
                case "collector": return collector(rest);
                case "help": case "--help": case "-h":
                    out.println(USAGE_TEXT);
                    return OK;
                default:
                    throw new UsageException("unknown command: " + args[0]);
            }
        } catch (UsageException e) {
            err.println("vyt: " + e.getMessage());
            err.println(USAGE_TEXT);
            return USAGE;
        }
    }

    /** A command line that cannot be run. */
    public static final class UsageException extends Exception {
        private static final long serialVersionUID = 1L;

        UsageException(String message) {
            super(message);
        }
    }

    // ---- reports -----------------------------------------------------------------------------

    public int reports(String[] args) throws UsageException {
        if (args.length != 0) throw new UsageException("reports takes no arguments");
        for (Catalog.Kind k : Catalog.all()) {
            StringBuilder opts = new StringBuilder();
            for (Catalog.Selection s : k.selections()) opts.append(opts.length() == 0 ? "" : " ").append(s.option);
            out.printf(Locale.ROOT, "%-22s %2d  %-44s %s%n", k.name(), k.type(), opts.length() == 0 ? "-" : opts,
                    k.title());
        }
        return OK;
    }

    // ---- report ------------------------------------------------------------------------------

    /** A parsed "report" command line. */
    public static final class ReportArgs {
        Catalog.Kind kind;
        Client.Selection sel = Client.Selection.NONE;
        boolean trace;
        String collector;
        public final List<Catalog.Selection> given = new ArrayList<>();
    }

    public static ReportArgs parseReport(String[] args) throws UsageException {
        if (args.length == 0) throw new UsageException("report needs a report name (see: vyt reports)");
        ReportArgs r = new ReportArgs();
        r.kind = Catalog.byName(args[0]);
        if (r.kind == null) throw new UsageException("unknown report: " + args[0] + " (see: vyt reports)");
        for (int i = 1; i < args.length; i++) {
            String a = args[i];
            if (a.equals("--trace")) {
                r.trace = true;
                continue;
            }
            if (i + 1 >= args.length) throw new UsageException(a + " needs a value");
            String v = args[++i];
            switch (a) {
                case "--collector": r.collector = v; continue;
                case "--tran": r.sel = r.sel.tran(v); break;
                case "--sub": r.sel = r.sel.sub(v); break;
                case "--path": r.sel = r.sel.path(number(a, v)); break;
                case "--server": r.sel = r.sel.server(number(a, v)); break;
                case "--continue": r.sel = r.sel.continueAt(number(a, v), r.sel.continueIdx2()); break;
                case "--continue2": r.sel = r.sel.continueAt(r.sel.continueIdx(), number(a, v)); break;
                case "--scroll": r.sel = r.sel.scroll(number(a, v)); break;
                case "--view":
                    try {
                        r.sel = r.sel.view(Flags.parse(v));
                    } catch (IllegalArgumentException e) {
                        throw new UsageException("--view: " + e.getMessage());
                    }
                    break;
                default: throw new UsageException("unknown option: " + a);
            }
            Catalog.Selection s = selectionOf(a);
            if (!r.kind.takes(s)) throw new UsageException(r.kind.name() + " does not take " + a);
            r.given.add(s);
        }
        return r;
    }

    private static Catalog.Selection selectionOf(String option) {
        for (Catalog.Selection s : Catalog.Selection.values()) if (s.option.equals(option)) return s;
        throw new IllegalArgumentException(option);
    }

    private static int number(String option, String v) throws UsageException {
        try {
            return v.matches("(?i)0x[0-9a-f]{1,8}") ? (int) Long.parseLong(v.substring(2), 16) : Integer.parseInt(v);
        } catch (NumberFormatException e) {
            throw new UsageException(option + " needs a number, got " + v);
        }
    }

    /**
     * Fills what the embedded sample collector needs and the command line left out: its first
     * transaction, path 1, and the first server of that path.
     */
    public static void sampleDefaults(ReportArgs r, Sample sample) {
        Catalog.Kind k = r.kind;
        if (k.takes(Catalog.Selection.TRAN) && !r.given.contains(Catalog.Selection.TRAN))
            r.sel = r.sel.tran(sample.transactions.get(0).name());
        if (k.takes(Catalog.Selection.PATH) && !r.given.contains(Catalog.Selection.PATH)) r.sel = r.sel.path(1);
        if (k.takes(Catalog.Selection.SERVER) && !r.given.contains(Catalog.Selection.SERVER)) {
            Sample.Transaction t = sample.transaction(r.sel.tran());
            Sample.Transaction first = t != null && !t.paths().isEmpty() ? t : sample.transactions.get(0);
            r.sel = r.sel.server(first.paths().get(0).dst().serverId());
        }
    }

    public int report(String[] args) throws UsageException {
        ReportArgs r = parseReport(args);
        Client client;
        if (r.collector != null) {
            try {
                client = Client.forAddress(r.collector);
            } catch (IllegalArgumentException e) {
                throw new UsageException("--collector: " + e.getMessage());
            }
        } else {
            client = null;
        }
        if (r.trace && !prepareTrace()) return FAILED;
        if (client != null) return fetchAndPrint(client, r);
        try (Collector c = Collector.start(0)) {
            sampleDefaults(r, c.sample());
            return fetchAndPrint(new Client(c.host(), c.port()), r);
        } catch (IOException e) {
            err.println("vyt: cannot start the sample collector: " + e.getMessage());
            return FAILED;
        }
    }

    /** The trace file lives in logs/ of the working directory; the library does not create it. */
    private boolean prepareTrace() {
        try {
            Files.createDirectories(TRACE_FILE.getParent());
            return true;
        } catch (IOException e) {
            err.println("vyt: cannot create " + TRACE_FILE.getParent().toAbsolutePath() + ": " + e.getMessage());
            return false;
        }
    }

    private int fetchAndPrint(Client client, ReportArgs r) {
        int status = OK;
        try {
            Printer.print(client.fetch(r.kind, r.sel, r.trace), out);
        } catch (ClientException e) {
            err.println("vyt: " + r.kind.name() + ": " + e.getMessage());
            status = FAILED;
        }
        if (r.trace) out.println("trace written to " + TRACE_FILE.toAbsolutePath());
        return status;
    }

    // ---- collector ---------------------------------------------------------------------------

    public int collector(String[] args) throws UsageException {
        int port = DEFAULT_PORT;
        for (int i = 0; i < args.length; i++) {
            if (args[i].equals("--port") && i + 1 < args.length) port = number("--port", args[++i]);
            else throw new UsageException("collector takes only --port N");
        }
        if (port < 0 || port > 65535) throw new UsageException("--port out of range: " + port);
        try {
            Collector c = Collector.start(port);
            out.println("sample collector listening on " + c.host() + ":" + c.port() + " (Ctrl-C stops it)");
            out.flush();
            Runtime.getRuntime().addShutdownHook(new Thread(c::close));
            new java.util.concurrent.CountDownLatch(1).await();  // serves until the process is stopped
            return OK;
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
            return OK;
        } catch (IOException e) {
            err.println("vyt: cannot listen on port " + port + ": " + e.getMessage());
            return FAILED;
        }
    }

    // ---- demo --------------------------------------------------------------------------------

    public int demo(String[] args) throws UsageException {
        if (args.length != 0) throw new UsageException("demo takes no arguments");
        try (Collector c = Collector.start(0)) {
            Client client = new Client(c.host(), c.port());
            out.println("sample collector on " + c.host() + ":" + c.port() + "; every report kind, decoded by the"
                    + " library:");
            int decoded = 0;
            List<String> failed = new ArrayList<>();
            for (Catalog.Kind k : Catalog.all()) {
                out.println();
                try {
                    Printer.print(client.fetch(k, demoSelection(k, client), false), out);
                    decoded++;
                } catch (ClientException e) {
                    out.println("== " + k.name() + " (report type " + k.type() + "): " + k.title() + " ==");
                    out.println("failed: " + e.getMessage());
                    failed.add(k.name());
                }
            }
            out.println();
            out.println("decoded " + decoded + " of " + Catalog.all().size() + " report kinds"
                    + (failed.isEmpty() ? "" : "; failed: " + String.join(", ", failed)));
            return failed.isEmpty() ? OK : FAILED;
        } catch (IOException e) {
            err.println("vyt: cannot start the sample collector: " + e.getMessage());
            return FAILED;
        }
    }

    public static final String DEMO_TRAN = "checkout";
    public static final String DEMO_RULE_URL = "/shop/checkout/static/";

    /** The demo's selection for a kind, from the sample data set's first transaction. */
    public static Client.Selection demoSelection(Catalog.Kind k, Client client) throws ClientException {
        Client.Selection s = Client.Selection.NONE.tran(DEMO_TRAN).path(1);
        switch (k.name()) {
            case "server-load": return s.server(11);
            case "sub-transactions": return s.scroll(8);
            case "network-detail": case "server-detail": case "response-time-detail": case "wait-detail":
            case "path-time-detail":
                return s.view(Flags.VIEW_DISTRIBUTIONS);
            case "add-url-rule":
                return s.sub(DEMO_RULE_URL).view(Flags.URL_TYPE_EXCLUDE | Flags.URL_SEARCH_BEGINS_WITH);
            case "remove-url-rule": return s.continueAt(ruleId(client, ".gif"), 0);
            case "get-url-rule": return s.continueAt(ruleId(client, DEMO_RULE_URL), 0);
            case "edit-url-rule":
                return s.continueAt(ruleId(client, DEMO_RULE_URL), 0).sub("/shop/checkout/assets/")
                        .view(Flags.URL_TYPE_EXCLUDE | Flags.URL_SEARCH_BEGINS_WITH);
            case "url-rule-precedence": return s.view(Flags.URL_PRECEDENCE_EXCLUDE_FIRST);
            default: return s;
        }
    }

    /** The number of the demo transaction's rule with this URL, from the collector's rule list. */
    public static int ruleId(Client client, String url) throws ClientException {
        Report rules = client.fetch(Catalog.byName("url-rules"),
                Client.Selection.NONE.tran(DEMO_TRAN).scroll(Replies.MAX_PAGE), false);
        for (int i = 0; i < rules.entryCount(); i++)
            if (rules.entryText(i, "urlName").equals(url)) return rules.entryInt(i, "urlRuleId");
        return 0;
    }
}
