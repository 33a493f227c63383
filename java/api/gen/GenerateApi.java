import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.Locale;

/**
 * Writes the generated sources of the typed API from the report kinds catalogue
 * (report-kinds.tsv): the ReportKind enum, one record per report kind (package
 * org.vytjni.api.reports), the Reports readers and the Requests records.
 *
 * <p>Catalogue lines, tab-separated: {@code kind type reportId name selections [changes] title},
 * then {@code setData} and/or {@code addEntry} with one field per parameter,
 * {@code TYPE NAME [ROLE UNIT LABEL]} separated by single spaces.
 *
 * <p>Usage: java GenerateApi.java CATALOGUE OUTPUT_DIR
 */
public final class GenerateApi {
    record Param(boolean text, String name, String role, String unit, String label) {
        String javaType() {
            if (text) return "String";
            return switch (role) {
                case "epoch-seconds" -> "Instant";
                case "duration-seconds" -> "Duration";
                case "alert-state" -> "AlertState";
                case "report-flags" -> "ReportFlags";
                case "url-rule-flags" -> "UrlRuleFlags";
                default -> "int";
            };
        }

        String read(String at) {
            if (text) return "t[a.get(" + at + ")]";
            return switch (role) {
                case "epoch-seconds" -> "Instant.ofEpochSecond(a.get(" + at + "))";
                case "duration-seconds" -> "Duration.ofSeconds(a.get(" + at + "))";
                case "alert-state" -> "AlertState.of(a.get(" + at + "))";
                case "report-flags" -> "ReportFlags.of(a.get(" + at + "))";
                case "url-rule-flags" -> "UrlRuleFlags.of(a.get(" + at + "))";
                default -> "a.get(" + at + ")";
            };
        }

        String doc() {
            String what = label.isEmpty() ? name : label;
            String r = role.isEmpty() ? "" : " (" + role + (unit.isEmpty() || unit.equals("-") ? "" : ", " + unit) + ")";
            return what + r;
        }
    }

    static final class Kind {
        int type, reportId;
        String name, title, changes = "-";
        List<String> selections = new ArrayList<>();
        List<Param> set, add;

        String className() {
            StringBuilder b = new StringBuilder();
            for (String w : name.split("-")) b.append(Character.toUpperCase(w.charAt(0))).append(w.substring(1));
            return b.toString();
        }

        String constant() {
            return name.toUpperCase(Locale.ROOT).replace('-', '_');
        }

        String method() {
            String c = className();
            return Character.toLowerCase(c.charAt(0)) + c.substring(1);
        }
    }

    public static void main(String[] args) throws IOException {
        if (args.length != 2) {
            System.err.println("usage: java GenerateApi.java CATALOGUE OUTPUT_DIR");
            System.exit(2);
        }
        List<Kind> kinds = read(Path.of(args[0]));
        if (kinds.size() != 32) throw new IllegalStateException(args[0] + ": " + kinds.size() + " kinds, 32 expected");
        Path out = Path.of(args[1]);
        Path api = out.resolve("org/vytjni/api"), reports = api.resolve("reports");
        Files.createDirectories(reports);
        write(api.resolve("ReportKind.java"), reportKind(kinds));
        write(api.resolve("Reports.java"), readers(kinds));
        write(api.resolve("Requests.java"), requests(kinds));
        List<String> files = new ArrayList<>(List.of(api.resolve("ReportKind.java").toString(),
                api.resolve("Reports.java").toString(), api.resolve("Requests.java").toString()));
        for (Kind k : kinds) {
            Path f = reports.resolve(k.className() + ".java");
            write(f, record(k));
            files.add(f.toString());
        }
        // The list of generated files, for javac's @argfile; always written, so that the build
        // sees it newer than the catalogue it was made from.
        Files.writeString(out.resolve("sources.txt"), String.join("\n", files) + "\n");
    }

    static List<Kind> read(Path file) throws IOException {
        List<Kind> kinds = new ArrayList<>();
        Kind k = null;
        for (String line : Files.readAllLines(file, StandardCharsets.UTF_8)) {
            if (line.isEmpty() || line.startsWith("#")) continue;
            String[] f = line.split("\t", -1);
            switch (f[0]) {
                case "kind" -> {
                    k = new Kind();
                    k.type = Integer.parseInt(f[1]);
                    k.reportId = Integer.parseInt(f[2]);
                    k.name = f[3];
                    if (!f[4].equals("-")) k.selections = List.of(f[4].split(","));
                    if (f.length >= 7) {
                        k.changes = f[5];
                        k.title = f[6];
                    } else {
                        k.title = f[5];
                    }
                    kinds.add(k);
                }
                case "setData", "addEntry" -> {
                    List<Param> ps = new ArrayList<>();
                    for (int i = 1; i < f.length; i++) {
                        String[] p = f[i].split(" ", 5);
                        ps.add(new Param(p[0].equals("String"), p[1], p.length > 2 ? p[2] : "",
                                p.length > 3 ? p[3] : "", p.length > 4 ? p[4] : ""));
                    }
                    if (f[0].equals("setData")) k.set = ps;
                    else k.add = ps;
                }
                default -> throw new IllegalStateException(file + ": unknown line " + line);
            }
        }
        return kinds;
    }

    static void write(Path file, String text) throws IOException {
        if (Files.exists(file) && Files.readString(file).equals(text)) return;  // keeps javac's inputs unchanged
        Files.writeString(file, text);
    }

    static String q(String s) {
        return "\"" + s.replace("\\", "\\\\").replace("\"", "\\\"") + "\"";
    }

    static final String HEADER = "// Generated at build time from the report kinds catalogue; do not edit.\n";

    static String reportKind(List<Kind> kinds) {
        StringBuilder b = new StringBuilder(HEADER);
        b.append("package org.vytjni.api;\n\nimport java.util.List;\n\n");
        b.append("/** The report kinds: report type, the collector's report id, name, title, selections and whether\n"
                + " * the kind changes the collector's rules. */\npublic enum ReportKind {\n");
        for (int i = 0; i < kinds.size(); i++) {
            Kind k = kinds.get(i);
            b.append("    /** ").append(k.title).append(". */\n    ").append(k.constant()).append('(').append(k.type)
                    .append(", ").append(k.reportId).append(", ").append(q(k.name)).append(", ").append(q(k.title))
                    .append(", ").append(k.changes.equals("rules")).append(", List.of(");
            for (int s = 0; s < k.selections.size(); s++) b.append(s > 0 ? ", " : "").append(q(k.selections.get(s)));
            b.append("))").append(i + 1 < kinds.size() ? ",\n" : ";\n\n");
        }
        b.append("""
                    private final int type;
                    private final int reportId;
                    private final String kindName;
                    private final String title;
                    private final boolean changesRules;
                    private final List<String> selections;

                    ReportKind(int type, int reportId, String kindName, String title, boolean changesRules,
                            List<String> selections) {
                        this.type = type;
                        this.reportId = reportId;
                        this.kindName = kindName;
                        this.title = title;
                        this.changesRules = changesRules;
                        this.selections = selections;
                    }

                    /** The report type, 1 to 32. */
                    public int type() {
                        return type;
                    }

                    /** The collector's number for this kind (word 1 of requests and replies). */
                    public int reportId() {
                        return reportId;
                    }

                    /** The kind's name, e.g. "current-alerts". */
                    public String kindName() {
                        return kindName;
                    }

                    public String title() {
                        return title;
                    }

                    /** Whether a request of this kind changes the collector's rules. */
                    public boolean changesRules() {
                        return changesRules;
                    }

                    /** The selections a request of this kind takes, by their catalogue names. */
                    public List<String> selections() {
                        return selections;
                    }

                    /** The kind of report type {@code type}. */
                    public static ReportKind ofType(int type) {
                        if (type < 1 || type > 32) throw new IllegalArgumentException("report type " + type + " is not 1 to 32");
                        return values()[type - 1];
                    }

                    /** The kind named {@code name}, e.g. "current-alerts". */
                    public static ReportKind ofName(String name) {
                        for (ReportKind k : values())
                            if (k.kindName.equals(name)) return k;
                        throw new IllegalArgumentException("no report kind is named \\"" + name + "\\"");
                    }

                    @Override
                    public String toString() {
                        return kindName + " (type " + type + ")";
                    }
                }
                """);
        return b.toString();
    }

    static void components(StringBuilder b, List<Param> ps) {
        for (int i = 0; i < ps.size(); i++)
            b.append(i > 0 ? ", " : "").append(ps.get(i).javaType()).append(' ').append(ps.get(i).name());
    }

    static void params(StringBuilder b, List<Param> ps) {
        for (Param p : ps) b.append(" * @param ").append(p.name()).append(' ').append(p.doc()).append('\n');
    }

    static String record(Kind k) {
        StringBuilder b = new StringBuilder(HEADER);
        b.append("package org.vytjni.api.reports;\n\n");
        b.append("import java.time.Duration;\nimport java.time.Instant;\nimport java.util.List;\n\n");
        b.append("import org.vytjni.api.*;\n\n");
        b.append("/**\n * ").append(k.title).append(" (").append(k.name).append(", report type ").append(k.type)
                .append("): the values of one reply.\n *\n");
        if (k.set != null) params(b, k.set);
        if (k.add != null) b.append(" * @param entries the entries in reply order\n");
        b.append(" */\npublic record ").append(k.className()).append('(');
        if (k.set != null) components(b, k.set);
        if (k.add != null) b.append(k.set != null ? ", " : "").append("List<Entry> entries");
        b.append(") implements Report {\n");
        if (k.add != null) {
            b.append("    /**\n     * One entry.\n     *\n");
            for (Param p : k.add) b.append("     * @param ").append(p.name()).append(' ').append(p.doc()).append('\n');
            b.append("     */\n    public record Entry(");
            components(b, k.add);
            b.append(") {}\n\n");
            b.append("    public ").append(k.className()).append(" {\n        entries = List.copyOf(entries);\n    }\n\n");
        }
        b.append("    @Override\n    public ReportKind kind() {\n        return ReportKind.").append(k.constant())
                .append(";\n    }\n\n");
        b.append("    /** Decodes a complete reply of this kind. */\n    public static ").append(k.className())
                .append(" decode(byte[] reply) {\n        return Reports.").append(k.method())
                .append("(reply);\n    }\n}\n");
        return b.toString();
    }

    static String readers(List<Kind> kinds) {
        StringBuilder b = new StringBuilder(HEADER);
        b.append("package org.vytjni.api;\n\n");
        b.append("import java.time.Duration;\nimport java.time.Instant;\nimport java.util.List;\n\n");
        b.append("import org.vytjni.api.reports.*;\n\n");
        b.append("/** Decodes replies into the report records: one native call per reply. */\n");
        b.append("public final class Reports {\n    private Reports() {}\n\n");
        b.append("    /** Decodes a complete reply of kind {@code kind} into its record. */\n");
        b.append("    public static Report decode(ReportKind kind, byte[] reply) {\n        return switch (kind) {\n");
        for (Kind k : kinds)
            b.append("            case ").append(k.constant()).append(" -> ").append(k.method()).append("(reply);\n");
        b.append("        };\n    }\n");
        for (Kind k : kinds) {
            int set = k.set == null ? -1 : k.set.size(), add = k.add == null ? -1 : k.add.size();
            b.append("\n    /** Decodes a complete ").append(k.name).append(" reply. */\n");
            b.append("    public static ").append(k.className()).append(' ').append(k.method())
                    .append("(byte[] reply) {\n");
            b.append("        DecodedReply r = DecodedReply.of(ReportKind.").append(k.constant()).append(", reply);\n");
            b.append("        java.nio.IntBuffer a = r.calls();\n        String[] t = r.texts();\n");
            b.append("        int h = -1, end = r.callsEnd();\n");
            // Entries go straight into an array of their exact count, which List.of takes without
            // a further copy (and the record's List.copyOf keeps as it is).
            if (k.add != null)
                b.append("        ").append(k.className()).append(".Entry[] entries = new ").append(k.className())
                        .append(".Entry[r.entries()];\n        int e = 0;\n");
            b.append("        for (int p = DecodedReply.FIRST_CALL; p < end; ) {\n");
            b.append("            if (a.get(p) == DecodedReply.SET_DATA) {\n");
            if (k.set != null) b.append("                h = p + 1;\n                p += ").append(1 + set).append(";\n");
            else b.append("                throw r.unexpected(\"setData\");\n");
            b.append("            } else {\n");
            if (k.add != null) {
                b.append("                entries[e++] = new ").append(k.className()).append(".Entry(");
                for (int i = 0; i < add; i++) b.append(i > 0 ? ", " : "").append(k.add.get(i).read("p + " + (i + 1)));
                b.append(");\n                p += ").append(1 + add).append(";\n");
            } else {
                b.append("                throw r.unexpected(\"addEntry\");\n");
            }
            b.append("            }\n        }\n");
            if (k.set != null) b.append("        if (h < 0) throw r.unexpected(null);\n");
            if (k.add != null)
                b.append("        List<").append(k.className()).append(".Entry> list = List.of(entries);\n")
                        .append("        DecodedReply.release(entries);\n");
            b.append("        ").append(k.className()).append(" out = new ").append(k.className()).append('(');
            if (k.set != null)
                for (int i = 0; i < set; i++) b.append(i > 0 ? ", " : "").append(k.set.get(i).read("h + " + i));
            if (k.add != null) b.append(k.set != null ? ", " : "").append("list");
            b.append(");\n        r.release();\n        return out;\n    }\n");
        }
        b.append("}\n");
        return b.toString();
    }

    static final String[][] SELECTIONS = {
        {"tran", "String", "tran", "the transaction name (at most 64 bytes of UTF-8)"},
        {"sub", "String", "sub", "the sub-transaction name or URL (at most 1024 bytes of UTF-8)"},
        {"path", "int", "path", "the path number"},
        {"server", "int", "server", "the server number"},
        {"view", "int", "view", "the view or rule flags word"},
        {"continue", "int", "continueIdx", "the continuation index, or the rule number of a rule operation"},
        {"continue2", "int", "continueIdx2", "the second continuation index"},
        {"scroll", "int", "scroll", "the page size"},
    };

    static String[] selection(String name) {
        for (String[] s : SELECTIONS)
            if (s[0].equals(name)) return s;
        throw new IllegalStateException("unknown selection " + name);
    }

    static String requests(List<Kind> kinds) {
        StringBuilder b = new StringBuilder(HEADER);
        b.append("package org.vytjni.api;\n\nimport org.vytjni.api.reports.*;\n\n");
        b.append("/**\n * The requests, one record per report kind, each taking only the selections of its kind. The\n"
                + " * selections are checked when the record is made ({@link IllegalArgumentException} with the\n"
                + " * reason); {@link Request#toBytes()} gives the 1132-byte record the collector reads.\n */\n");
        b.append("public final class Requests {\n    private Requests() {}\n");
        for (Kind k : kinds) {
            b.append("\n    /**\n     * Asks for: ").append(k.title).append(".\n");
            if (!k.selections.isEmpty()) b.append("     *\n");
            for (String s : k.selections) {
                String[] sel = selection(s);
                b.append("     * @param ").append(sel[2]).append(' ').append(sel[3]).append('\n');
            }
            b.append("     */\n    public record ").append(k.className()).append('(');
            for (int i = 0; i < k.selections.size(); i++) {
                String[] sel = selection(k.selections.get(i));
                b.append(i > 0 ? ", " : "").append(sel[1]).append(' ').append(sel[2]);
            }
            b.append(") implements Request<org.vytjni.api.reports.").append(k.className()).append("> {\n");
            if (k.selections.contains("tran") || k.selections.contains("sub")) {
                b.append("        public ").append(k.className()).append(" {\n");
                if (k.selections.contains("tran")) b.append("            RequestChecks.name(\"tran\", tran, RequestChecks.TRAN_BYTES);\n");
                if (k.selections.contains("sub")) b.append("            RequestChecks.name(\"sub\", sub, RequestChecks.SUB_BYTES);\n");
                b.append("        }\n\n");
            }
            b.append("        @Override\n        public ReportKind kind() {\n            return ReportKind.")
                    .append(k.constant()).append(";\n        }\n\n");
            String view = k.selections.contains("view") ? "view" : "0";
            String cont = k.selections.contains("continue") ? "continueIdx" : "0";
            String scroll = k.selections.contains("scroll") ? "scroll" : "0";
            String tran = k.selections.contains("tran") ? "tran" : "\"\"";
            String sub = k.selections.contains("sub") ? "sub" : "\"\"";
            String path = k.selections.contains("path") ? "path" : "0";
            String ip = k.selections.contains("server") ? "server" : k.selections.contains("continue2") ? "continueIdx2" : "0";
            b.append("        @Override\n        public byte[] toBytes() {\n            return NativeCalls.request(")
                    .append(k.type).append(", ").append(view).append(", ").append(cont).append(", ").append(scroll)
                    .append(", ").append(tran).append(", ").append(sub).append(", ").append(path).append(", ")
                    .append(ip).append(");\n        }\n\n");
            b.append("        @Override\n        public org.vytjni.api.reports.").append(k.className())
                    .append(" decode(byte[] reply) {\n            return Reports.").append(k.method())
                    .append("(reply);\n        }\n    }\n");
        }
        b.append("}\n");
        return b.toString();
    }
}
