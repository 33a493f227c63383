package vyt.cli;

import vyt.collector.Sample;

import vyt.catalog.Catalog;

import java.util.ArrayList;
import java.util.List;
import java.util.Locale;
import java.util.Map;

import picocli.CommandLine;
import picocli.CommandLine.ITypeConverter;
import picocli.CommandLine.Model.CommandSpec;
import picocli.CommandLine.Model.OptionSpec;
import picocli.CommandLine.TypeConversionException;

/**
 * The commands, their options and help texts, built from the report catalogue: "vyt report"
 * has one subcommand per report kind, each with exactly the options that kind takes.
 */
final class Commands {
    private Commands() {}

    static final String DEMO = "demo", REPORTS = "reports", REPORT = "report", COLLECTOR = "collector";

    static CommandLine build() {
        CommandSpec root = CommandSpec.create().name("vyt").mixinStandardHelpOptions(true)
                .versionProvider(() -> new String[] {"vyt " + version()});
        root.usageMessage().description(
                "Fetches reports from a web-transaction response-time monitor's collector and shows them as"
                        + " the VYTjni library decoded them.")
                .footer("", "Exit status: 0 done; 1 a report could not be fetched or decoded; 2 a command line"
                        + " mistake; 3 a URL rule operation the collector refused.");
        CommandLine cl = new CommandLine(root);

        cl.addSubcommand(DEMO, command(DEMO, "Starts the sample collector inside the process and prints every"
                + " report kind as the library decoded it."));
        cl.addSubcommand(REPORTS, command(REPORTS, "Lists the report kinds: name, report type, the options each"
                + " takes and its title; then the flag names --view takes."));

        CommandSpec report = command(REPORT, "Fetches one report and prints it; NAME is one of the commands"
                + " below (vyt reports lists them with their options).",
                "Without --collector, a sample collector started inside the process answers, and a missing --tran"
                        + " means checkout, a missing --path path 1, a missing --server the server of path 1.");
        report.usageMessage().synopsisSubcommandLabel("NAME");
        CommandLine reportCl = new CommandLine(report);
        for (Catalog.Kind k : Catalog.all()) reportCl.addSubcommand(k.name(), kind(k));
        cl.addSubcommand(REPORT, reportCl);

        CommandSpec collector = command(COLLECTOR, "Runs the sample collector alone on loopback until stopped.");
        collector.addOption(OptionSpec.builder("--port").paramLabel("N").type(int.class)
                .converters(new Number("--port", 0, 65535)).defaultValue(String.valueOf(Cli.DEFAULT_PORT))
                .description("TCP port to listen on, 0 for any free port (default: ${DEFAULT-VALUE}).").build());
        collector.addOption(OptionSpec.builder("--interval").paramLabel("SECONDS").type(int.class)
                .converters(new Number("--interval", 1, 86400)).defaultValue(String.valueOf(Sample.INTERVAL))
                .description("Length of the collector's intervals; each brings new values (default: ${DEFAULT-VALUE}).")
                .build());
        cl.addSubcommand(COLLECTOR, collector);
        cl.addSubcommand("help", new CommandLine.HelpCommand());
        cl.setCaseInsensitiveEnumValuesAllowed(true);
        return cl;
    }

    /** The version in vytapp.jar's manifest. */
    static String version() {
        String v = Commands.class.getPackage().getImplementationVersion();
        return v != null ? v : "(version unknown: not run from a vytapp.jar whose manifest names it)";
    }

    private static CommandSpec command(String name, String... description) {
        CommandSpec c = CommandSpec.create().name(name);
        c.usageMessage().description(description);
        c.addOption(OptionSpec.builder("-h", "--help").usageHelp(true).description("Shows this help.").build());
        return c;
    }

    /** The command of one report kind. */
    static CommandSpec kind(Catalog.Kind k) {
        List<String> desc = new ArrayList<>();
        desc.add(k.title() + " (report type " + k.type() + ").");
        desc.add(k.hasSetData() ? "Header values: " + names(k.setData()) + "." : "No header values.");
        if (k.hasAddEntry()) desc.add("Entry columns: " + names(k.addEntry()) + ".");
        CommandSpec c = command(k.name(), desc.toArray(new String[0]));
        c.usageMessage().sortOptions(false);
        boolean rule = Words.isRuleOperation(k);
        for (Catalog.Selection s : k.selections()) {
            OptionSpec.Builder o = OptionSpec.builder(s.option);
            switch (s) {
                case TRAN:
                    o.paramLabel("T").type(String.class).description("Transaction name (at most 64 bytes in UTF-8).");
                    break;
                case SUB:
                    o.paramLabel("URL").type(String.class).description((rule ? "The rule's URL"
                            : "Sub-transaction name or URL") + " (at most 1024 bytes in UTF-8).");
                    break;
                case PATH:
                    o.paramLabel("N").type(int.class).converters(new Number(s.option, 0, Integer.MAX_VALUE))
                            .description("Path number.");
                    break;
                case SERVER:
                    o.paramLabel("N").type(int.class).converters(new Number(s.option, 0, Integer.MAX_VALUE))
                            .description("Server number.");
                    break;
                case VIEW:
                    o.paramLabel("FLAGS").type(int.class).converters(new View(k)).description(
                            (rule ? "Rule flags" : "View flags")
                                    + ": a number (0x10) or flag names joined by , or | (with or without REP_): "
                                    + String.join(", ", Words.viewNames(k)) + ".");
                    break;
                case CONTINUE:
                    o.paramLabel("N").type(int.class).converters(new Number(s.option, 0, Integer.MAX_VALUE))
                            .description(rule ? "Number of the rule." : "Where the page starts: the first"
                                    + " continuation index of the previous page's reply (0 for the first page).");
                    break;
                case CONTINUE2:
                    o.paramLabel("N").type(int.class).converters(new Number(s.option, 0, Integer.MAX_VALUE))
                            .description("The second continuation index of the previous page's reply.");
                    break;
                case SCROLL:
                    o.paramLabel("N").type(int.class).converters(new Number(s.option, 0, Integer.MAX_VALUE))
                            .description("Page size; 0 leaves it to the collector (the sample collector: 10,"
                                    + " at most 50).");
                    break;
                default:
                    throw new IllegalStateException(s.toString());
            }
            c.addOption(o.build());
        }
        c.addOption(OptionSpec.builder("--collector").paramLabel("HOST[:PORT]").type(Address.class)
                .converters(Address::parse).description("Fetch from this collector (port " + Cli.DEFAULT_PORT
                        + " unless given) instead of a sample collector started inside the process.").build());
        c.addOption(OptionSpec.builder("--format").paramLabel("FORMAT").type(Printer.Format.class)
                .defaultValue("table").description("table, json or csv (default: ${DEFAULT-VALUE}).").build());
        c.addOption(OptionSpec.builder("--wide").arity("0").type(boolean.class)
                .description("Tables: one line per entry however long, instead of fitting "
                        + Printer.WIDTH + " columns.").build());
        c.addOption(OptionSpec.builder("--trace").arity("0").type(boolean.class).description(
                "Switch the library's trace on; it goes to " + Cli.TRACE_FILE + " in the working directory"
                        + " (created), with the request and reply dumps.").build());
        return c;
    }

    private static String names(List<Catalog.Param> ps) {
        List<String> n = new ArrayList<>();
        for (Catalog.Param p : ps) n.add(p.name());
        return String.join(", ", n);
    }

    /** A collector's address. */
    record Address(String host, int port) {
        /** "HOST", "HOST:PORT", "[V6]", "[V6]:PORT" or a bare IPv6 address; an empty host is loopback. */
        static Address parse(String s) {
            String host = s, port = null;
            if (s.startsWith("[")) {
                int end = s.indexOf(']');
                if (end < 0) throw new TypeConversionException("'" + s + "' has [ without ]");
                host = s.substring(1, end);
                String rest = s.substring(end + 1);
                if (!rest.isEmpty()) {
                    if (!rest.startsWith(":")) throw new TypeConversionException("'" + s + "' is not HOST[:PORT]");
                    port = rest.substring(1);
                }
            } else if (s.indexOf(':') >= 0 && s.indexOf(':') == s.lastIndexOf(':')) {
                host = s.substring(0, s.indexOf(':'));
                port = s.substring(s.indexOf(':') + 1);
            }
            int p = port == null ? Cli.DEFAULT_PORT : Number.parse("--collector", port, 1, 65535);
            return new Address(host.isEmpty() ? "127.0.0.1" : host, p);
        }
    }

    /** A decimal or 0x-hexadecimal number within a range. */
    static final class Number implements ITypeConverter<Integer> {
        private final String option;
        private final int min, max;

        Number(String option, int min, int max) {
            this.option = option;
            this.min = min;
            this.max = max;
        }

        @Override
        public Integer convert(String v) {
            return parse(option, v, min, max);
        }

        static int parse(String option, String v, int min, int max) {
            long n;
            String t = v.trim();
            if (t.matches("(?i)0x[0-9a-f]{1,8}")) n = (int) Long.parseLong(t.substring(2), 16);
            else if (t.matches("[-+]?[0-9]{1,18}")) n = Long.parseLong(t);
            else if (t.matches("[-+]?[0-9]+")) n = t.startsWith("-") ? Long.MIN_VALUE : Long.MAX_VALUE;
            else throw new TypeConversionException("'" + v + "' is not a number");
            if (n < min || n > max)
                throw new TypeConversionException(v + " is out of range: " + option + " takes " + min + " to " + max);
            return (int) n;
        }
    }

    /** The flags of --view: a number, or the names the kind takes. */
    static final class View implements ITypeConverter<Integer> {
        private final Catalog.Kind kind;

        View(Catalog.Kind kind) {
            this.kind = kind;
        }

        @Override
        public Integer convert(String text) {
            String t = text.trim();
            if (t.isEmpty()) throw new TypeConversionException("no flags given");
            if (t.matches("(?i)0x[0-9a-f]{1,8}")) return (int) Long.parseLong(t.substring(2), 16);
            if (t.matches("[0-9]{1,10}") && Long.parseLong(t) <= 0xFFFFFFFFL) return (int) Long.parseLong(t);
            if (t.matches("(?i)0x[0-9a-f]+|-?[0-9]+"))
                throw new TypeConversionException(text + " is out of range: --view takes 0 to 0xffffffff");
            Map<String, Integer> table = Words.shortNames(Words.urlRuleFlags(kind));
            List<String> allowed = Words.viewNames(kind);
            int v = 0;
            for (String part : t.split("[,|]")) {
                String n = part.trim().toUpperCase(Locale.ROOT);
                for (String prefix : new String[] {"REP_FLAGS_", "REP_"})
                    if (n.startsWith(prefix) && allowed.contains(n.substring(prefix.length())))
                        n = n.substring(prefix.length());
                if (!allowed.contains(n))
                    throw new TypeConversionException("unknown flag name " + part.trim() + Words.didYouMean(n, allowed)
                            + "; " + kind.name() + " takes " + String.join(", ", allowed));
                v |= table.get(n);
            }
            return v;
        }
    }
}
