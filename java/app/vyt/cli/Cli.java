package vyt.cli;

import vyt.catalog.Catalog;
import vyt.catalog.Flags;
import vyt.client.Client;
import vyt.client.ClientException;
import vyt.client.RuleReply;
import org.vytjni.api.Report;
import org.vytjni.api.reports.UrlRules;
import vyt.collector.Collector;
import vyt.collector.Replies;
import vyt.collector.Sample;

import java.io.BufferedOutputStream;
import java.io.FileDescriptor;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.OutputStreamWriter;
import java.io.PrintStream;
import java.io.PrintWriter;
import java.net.InetAddress;
import java.net.UnknownHostException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.time.ZoneId;
import java.util.ArrayList;
import java.util.EnumSet;
import java.util.List;
import java.util.Locale;
import java.util.Set;

import picocli.CommandLine;
import picocli.CommandLine.ParameterException;
import picocli.CommandLine.ParseResult;
import picocli.CommandLine.UnmatchedArgumentException;

/**
 * The command line ({@code vyt --help} tells its commands). Only the report goes to standard
 * output; notes, progress and errors go to standard error.
 */
public final class Cli {
    public static final int DEFAULT_PORT = 47300;
    public static final Path TRACE_FILE = Paths.get("logs", "VYTjni.trc");

    /** Exit statuses. */
    public static final int OK = 0;
    /** A report could not be fetched or decoded. */
    public static final int FAILED = 1;
    /** A command line mistake. */
    public static final int USAGE = 2;
    /** A URL rule operation the collector refused (its return code was not 0). */
    public static final int REFUSED = 3;

    /** Looks a host name up; the tests pass their own. */
    interface Resolver {
        InetAddress resolve(String host) throws UnknownHostException;
    }

    private final PrintStream out;
    private final PrintStream err;
    private final Resolver resolver;
    private final Printer printer = new Printer(ZoneId.systemDefault());

    public Cli(PrintStream out, PrintStream err) {
        this(out, err, InetAddress::getByName);
    }

    Cli(PrintStream out, PrintStream err, Resolver resolver) {
        this.out = out;
        this.err = err;
        this.resolver = resolver;
    }

    /**
     * Runs the command line with UTF-8 on standard output and error, whatever the locale, so that
     * JSON, CSV and names outside ASCII come out whole.
     */
    public static void main(String[] args) {
        PrintStream out = new PrintStream(new BufferedOutputStream(new FileOutputStream(FileDescriptor.out)), false,
                StandardCharsets.UTF_8);
        PrintStream err = new PrintStream(new FileOutputStream(FileDescriptor.err), true, StandardCharsets.UTF_8);
        int status = new Cli(out, err).run(args);
        out.flush();
        err.flush();
        System.exit(status);
    }

    public int run(String... args) {
        CommandLine cl = Commands.build();
        PrintWriter o = new PrintWriter(new OutputStreamWriter(out, StandardCharsets.UTF_8), true);
        PrintWriter e = new PrintWriter(new OutputStreamWriter(err, StandardCharsets.UTF_8), true);
        cl.setOut(o);
        cl.setErr(e);
        cl.setParameterExceptionHandler(this::mistake);
        cl.setExecutionStrategy(this::execute);
        int status = cl.execute(args);
        o.flush();
        e.flush();
        return status;
    }

    /** A command line that cannot be run. */
    static final class Mistake extends Exception {
        private static final long serialVersionUID = 1L;

        Mistake(String message) {
            super(message);
        }
    }

    /** The command whose help a mistake points to. */
    private String helpOf = "vyt";

    private int execute(ParseResult pr) {
        Integer help = CommandLine.executeHelpRequest(pr);
        if (help != null) return help;
        try {
            if (!pr.hasSubcommand()) throw new Mistake("a command is needed");
            ParseResult sub = pr.subcommand();
            switch (sub.commandSpec().name()) {
                case Commands.DEMO: return demo();
                case Commands.REPORTS: return reports();
                case Commands.COLLECTOR: return collector(sub.matchedOptionValue("--port", DEFAULT_PORT),
                        sub.matchedOptionValue("--interval", Sample.INTERVAL));
                case Commands.REPORT:
                    helpOf = sub.commandSpec().qualifiedName();
                    if (!sub.hasSubcommand())
                        throw new Mistake("report needs a report name (vyt reports lists them)");
                    return report(sub.subcommand());
                default: throw new IllegalStateException(sub.commandSpec().name());
            }
        } catch (Mistake m) {
            err.println("vyt: " + m.getMessage());
            err.println("see: " + helpOf + " --help");
            return USAGE;
        }
    }

    /** A command line the parser refused: say what is wrong, suggest, exit with {@link #USAGE}. */
    private int mistake(ParameterException e, String[] args) {
        CommandLine cmd = e.getCommandLine();
        String name = cmd.getCommandName();
        String message = e.getMessage();
        if (e instanceof UnmatchedArgumentException) {
            List<String> unmatched = ((UnmatchedArgumentException) e).getUnmatched();
            String first = unmatched.isEmpty() ? "" : unmatched.get(0);
            Catalog.Kind kind = Catalog.byName(name);
            if (cmd.getParent() == null && !first.startsWith("-")) {
                message = "unknown command " + first + Words.didYouMean(first, cmd.getSubcommands().keySet());
            } else if (name.equals(Commands.REPORT) && !first.startsWith("-")) {
                List<String> names = new ArrayList<>();
                for (Catalog.Kind k : Catalog.all()) names.add(k.name());
                message = "unknown report " + first + Words.didYouMean(first, names) + "; vyt reports lists them";
            } else if (kind != null && first.startsWith("-")) {
                String option = first.contains("=") ? first.substring(0, first.indexOf('=')) : first;
                List<String> takes = new ArrayList<>(cmd.getCommandSpec().optionsMap().keySet());
                boolean other = false;
                for (Catalog.Selection s : Catalog.Selection.values()) other |= s.option.equals(option);
                message = other
                        ? kind.name() + " does not take " + option + "; it takes " + String.join(" ", options(kind))
                        : "unknown option " + option + Words.didYouMean(option, takes);
            } else if (!first.isEmpty()) {
                message = "unexpected argument " + first;
            }
        }
        err.println("vyt: " + message);
        err.println("see: " + cmd.getCommandSpec().qualifiedName() + " --help");
        return USAGE;
    }

    private static List<String> options(Catalog.Kind k) {
        List<String> o = new ArrayList<>();
        for (Catalog.Selection s : k.selections()) o.add(s.option);
        if (o.isEmpty()) o.add("no selection options");
        return o;
    }

    // ---- reports -----------------------------------------------------------------------------

    private int reports() {
        out.printf(Locale.ROOT, "%-22s %4s  %-38s  %s%n", "NAME", "TYPE", "OPTIONS", "TITLE");
        for (Catalog.Kind k : Catalog.all()) {
            List<String> o = new ArrayList<>();
            for (Catalog.Selection s : k.selections()) o.add(s.option);
            out.printf(Locale.ROOT, "%-22s %4d  %-38s  %s%n", k.name(), k.type(),
                    o.isEmpty() ? "-" : String.join(" ", o), k.title());
        }
        out.println();
        out.println("Every report also takes --collector HOST[:PORT], --format table|json|csv, --wide and --trace.");
        out.println("The flag names --view takes (joined by , or |; or a number such as 0x10):");
        List<List<String>> done = new ArrayList<>();
        for (Catalog.Kind k : Catalog.all()) {
            List<String> names = Words.viewNames(k);
            if (names.isEmpty() || done.contains(names)) continue;
            done.add(names);
            List<String> kinds = new ArrayList<>();
            for (Catalog.Kind o : Catalog.all()) if (Words.viewNames(o).equals(names)) kinds.add(o.name());
            String head = "  " + String.join(", ", kinds) + ": ";
            out.println(head.stripTrailing());
            for (String line : Printer.wrap(String.join(" ", names), Printer.WIDTH - 4)) out.println("    " + line);
        }
        return OK;
    }

    // ---- report ------------------------------------------------------------------------------

    /** A parsed report command line. */
    record ReportArgs(Catalog.Kind kind, Client.Selection sel, Set<Catalog.Selection> given, boolean trace,
            Commands.Address collector, Printer.Format format, boolean wide) {
        ReportArgs with(Client.Selection s) {
            return new ReportArgs(kind, s, given, trace, collector, format, wide);
        }
    }

    static ReportArgs parse(ParseResult pr) {
        Catalog.Kind k = Catalog.byName(pr.commandSpec().name());
        Client.Selection sel = Client.Selection.NONE;
        Set<Catalog.Selection> given = EnumSet.noneOf(Catalog.Selection.class);
        for (Catalog.Selection s : k.selections()) {
            if (!pr.hasMatchedOption(s.option)) continue;
            given.add(s);
            Object v = pr.matchedOptionValue(s.option, null);
            switch (s) {
                case TRAN: sel = sel.tran((String) v); break;
                case SUB: sel = sel.sub((String) v); break;
                case PATH: sel = sel.path((Integer) v); break;
                case SERVER: sel = sel.server((Integer) v); break;
                case VIEW: sel = sel.view((Integer) v); break;
                case CONTINUE: sel = sel.continueAt((Integer) v, sel.continueIdx2()); break;
                case CONTINUE2: sel = sel.continueAt(sel.continueIdx(), (Integer) v); break;
                case SCROLL: sel = sel.scroll((Integer) v); break;
                default: throw new IllegalStateException(s.toString());
            }
        }
        return new ReportArgs(k, sel, given, pr.matchedOptionValue("--trace", false),
                pr.matchedOptionValue("--collector", null), pr.matchedOptionValue("--format", Printer.Format.TABLE),
                pr.matchedOptionValue("--wide", false));
    }

    /**
     * Fills what the embedded sample collector needs and the command line left out: its first
     * transaction, path 1, and the first server of that path.
     */
    static ReportArgs sampleDefaults(ReportArgs r, Sample sample) {
        Catalog.Kind k = r.kind();
        Client.Selection sel = r.sel();
        if (k.takes(Catalog.Selection.TRAN) && !r.given().contains(Catalog.Selection.TRAN))
            sel = sel.tran(sample.transactions.get(0).name());
        if (k.takes(Catalog.Selection.PATH) && !r.given().contains(Catalog.Selection.PATH)) sel = sel.path(1);
        if (k.takes(Catalog.Selection.SERVER) && !r.given().contains(Catalog.Selection.SERVER)) {
            Sample.Transaction t = sample.transaction(sel.tran());
            Sample.Transaction first = t != null && !t.paths().isEmpty() ? t : sample.transactions.get(0);
            sel = sel.server(first.paths().get(0).dst().serverId());
        }
        return r.with(sel);
    }

    private int report(ParseResult pr) throws Mistake {
        ReportArgs r = parse(pr);
        helpOf = pr.commandSpec().qualifiedName();
        Requests.check(r.kind(), r.sel());
        if (r.trace() && !prepareTrace()) return FAILED;
        if (r.collector() != null) {
            String host = r.collector().host();
            try {
                resolver.resolve(host);
            } catch (UnknownHostException e) {
                err.println("vyt: unknown host " + host + ": it does not resolve to an address (--collector "
                        + r.collector().host() + ":" + r.collector().port() + ")");
                return FAILED;
            }
            return fetchAndPrint(new Client(host, r.collector().port()), r);
        }
        try (Collector c = Collector.start(0)) {
            return fetchAndPrint(new Client(c.host(), c.port()), sampleDefaults(r, c.sample()));
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
            Report report = client.fetch(r.kind(), r.sel(), r.trace());
            printer.print(report, r.format(), r.wide(), out);
            out.flush();
            if (Words.isRuleOperation(r.kind())) {
                int code = RuleReply.returnCode(report);
                if (code != 0) {
                    err.println("vyt: " + r.kind().name() + " refused (return code " + code + "): "
                            + Words.ruleRefusal(r.kind(), code, r.sel().tran(), r.sel().continueIdx(), r.sel().sub()));
                    status = REFUSED;
                }
            }
        } catch (ClientException e) {
            err.println("vyt: " + r.kind().name() + ": " + Requests.say(e, r.kind(), r.sel()));
            status = FAILED;
        }
        if (r.trace()) err.println("trace written to " + TRACE_FILE.toAbsolutePath());
        return status;
    }

    // ---- collector ---------------------------------------------------------------------------

    private int collector(int port, int intervalSeconds) {
        try {
            Collector c = Collector.start(port, Sample.DataSet.STANDARD, intervalSeconds);
            err.println("sample collector listening on " + c.host() + ":" + c.port() + " (intervals of "
                    + intervalSeconds + " s; Ctrl-C stops it)");
            err.flush();
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

    private int demo() {
        try (Collector c = Collector.start(0)) {
            Client client = new Client(c.host(), c.port());
            err.println("sample collector on " + c.host() + ":" + c.port() + "; every report kind, decoded by the"
                    + " library:");
            int decoded = 0;
            List<String> failed = new ArrayList<>();
            for (Catalog.Kind k : Catalog.all()) {
                if (decoded + failed.size() > 0) out.println();
                Client.Selection sel = null;
                try {
                    sel = demoSelection(k, client);
                    printer.table(client.fetch(k, sel, false), false, out);
                    decoded++;
                } catch (ClientException e) {
                    err.println("vyt: " + k.name() + ": " + (sel == null ? e.getMessage() : Requests.say(e, k, sel)));
                    failed.add(k.name());
                }
            }
            out.flush();
            err.println("decoded " + decoded + " of " + Catalog.all().size() + " report kinds"
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
                return s.sub(DEMO_RULE_URL).view(Flags.URL_TYPE_EXCLUDE
                        | Flags.URL_SEARCH_BEGINS_WITH);
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
        UrlRules rules = client.fetch(new org.vytjni.api.Requests.UrlRules(DEMO_TRAN, 0, Replies.MAX_PAGE));
        for (UrlRules.Entry e : rules.entries())
            if (e.urlName().equals(url)) return e.urlRuleId();
        return 0;
    }
}
