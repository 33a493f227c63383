package vyt.catalog;

import java.io.BufferedReader;
import java.io.IOException;
import java.io.InputStream;
import java.io.InputStreamReader;
import java.io.UncheckedIOException;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.Collections;
import java.util.EnumSet;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.Set;

/**
 * The report kinds: for each report type its name, the collector's report id, the selection
 * arguments it takes, whether it changes the collector's rules, and the parameters of its
 * {@code setData} and {@code addEntry} callbacks in call order, each with what it means (a role,
 * a unit and a label). The table is read once from the classpath resource {@value #RESOURCE}.
 */
public final class Catalog {
    /** The table's resource on the classpath. */
    public static final String RESOURCE = "/vyt/catalog/report-kinds.tsv";

    /** A selection argument of a request, with the command-line option that sets it. */
    public enum Selection {
        TRAN("--tran"),        // transaction name
        SUB("--sub"),          // sub-transaction name or URL
        PATH("--path"),        // path number
        SERVER("--server"),    // server number
        VIEW("--view"),        // view or rule flags
        CONTINUE("--continue"),    // continuation index, or the rule number of a rule operation
        CONTINUE2("--continue2"),  // second continuation index
        SCROLL("--scroll");    // page size

        public final String option;

        Selection(String option) {
            this.option = option;
        }

        /** The name in the table and in query strings: "tran", "continue2". */
        public String key() {
            return option.substring(2);
        }

        /** The selection of a key, or null. */
        public static Selection ofKey(String key) {
            for (Selection s : values()) if (s.key().equals(key)) return s;
            return null;
        }
    }

    /** What a callback parameter means; {@link #key()} is its name in the table. */
    public enum Role {
        TEXT,              // display text
        EPOCH_SECONDS,     // UTC seconds since 1970
        DURATION_SECONDS,  // a span of seconds
        MILLISECONDS,
        COUNT,
        ALERT_STATE,       // a state as the collector defines it
        REPORT_FLAGS,      // a flags word of the report bits
        URL_RULE_FLAGS,    // a flags word of the URL rule bits
        PORT,
        ID,                // the collector's number for a path, server or rule
        NAME,              // a name or an address
        VALUE;             // a word whose meaning the collector does not state

        /** The name in the table: "epoch-seconds". */
        public String key() {
            return name().toLowerCase(Locale.ROOT).replace('_', '-');
        }

        /** The role of a key, or null. */
        public static Role ofKey(String key) {
            for (Role r : values()) if (r.key().equals(key)) return r;
            return null;
        }
    }

    /**
     * One callback parameter: its name, whether it is a String (else an int), its role, its unit
     * ("ms", "KB/s"; null when it has none) and a label for people ("path total response time
     * average").
     */
    public record Param(String name, boolean text, Role role, String unit, String label) {
        /** Whether the value is a flags word, of either table. */
        public boolean isFlags() {
            return role == Role.REPORT_FLAGS || role == Role.URL_RULE_FLAGS;
        }

        @Override
        public String toString() {
            return (text ? "String " : "int ") + name;
        }
    }

    /**
     * One report kind. An empty {@code setData} or {@code addEntry} list means the report makes
     * no such call. {@code changesRules}: the request changes the collector's URL rules.
     */
    public record Kind(int type, int reportId, String name, String title, Set<Selection> selections,
            boolean changesRules, List<Param> setData, List<Param> addEntry) {
        public Kind {
            selections = Collections.unmodifiableSet(EnumSet.copyOf(selections.isEmpty()
                    ? EnumSet.noneOf(Selection.class) : selections));
            setData = List.copyOf(setData);
            addEntry = List.copyOf(addEntry);
        }

        public boolean hasSetData() {
            return !setData.isEmpty();
        }

        public boolean hasAddEntry() {
            return !addEntry.isEmpty();
        }

        public boolean takes(Selection s) {
            return selections.contains(s);
        }

        /** The JNI method descriptor of a parameter list, e.g. "(Ljava/lang/String;I)V". */
        public static String signature(List<Param> params) {
            StringBuilder sb = new StringBuilder("(");
            for (Param p : params) sb.append(p.text() ? "Ljava/lang/String;" : "I");
            return sb.append(")V").toString();
        }

        public String setDataSignature() {
            return signature(setData);
        }

        public String addEntrySignature() {
            return signature(addEntry);
        }

        @Override
        public String toString() {
            return name;
        }
    }

    private static final List<Kind> ALL;
    private static final Map<String, Kind> BY_NAME = new LinkedHashMap<>();

    static {
        try (InputStream in = Catalog.class.getResourceAsStream(RESOURCE)) {
            if (in == null)
                throw new IllegalStateException("the report catalogue " + RESOURCE
                        + " is not on the classpath; rebuild vytapp.jar");
            ALL = parse(new BufferedReader(new InputStreamReader(in, StandardCharsets.UTF_8)));
        } catch (IOException e) {
            throw new UncheckedIOException("cannot read the report catalogue " + RESOURCE, e);
        }
        for (Kind k : ALL) BY_NAME.put(k.name(), k);
    }

    private Catalog() {}

    /** All kinds in report type order. */
    public static List<Kind> all() {
        return ALL;
    }

    /** The kind of a report type 1..32, or null. */
    public static Kind byType(int type) {
        return type >= 1 && type <= ALL.size() ? ALL.get(type - 1) : null;
    }

    /** The kind of a report name, or null. */
    public static Kind byName(String name) {
        return BY_NAME.get(name);
    }

    /**
     * Reads a table: comment lines start with '#'; each kind is a "kind" line (type, report id,
     * name, selections, "rules" or "-", title) followed by its "setData" and "addEntry" lines when
     * it makes such calls, each parameter "TYPE NAME ROLE UNIT LABEL". Kinds come in report type
     * order.
     */
    static List<Kind> parse(BufferedReader r) throws IOException {
        List<Kind> out = new ArrayList<>();
        String[] kind = null;
        List<Param> setData = List.of(), addEntry = List.of();
        int lineNo = 0;
        for (String line; (line = r.readLine()) != null; ) {
            lineNo++;
            if (line.startsWith("#")) continue;
            String[] f = line.split("\t", -1);
            switch (f[0]) {
                case "kind":
                    if (kind != null) out.add(kind(kind, setData, addEntry, out.size() + 1));
                    if (f.length != 7) throw bad(lineNo, "a kind line has 7 fields");
                    kind = f;
                    setData = List.of();
                    addEntry = List.of();
                    break;
                case "setData":
                case "addEntry":
                    if (kind == null) throw bad(lineNo, f[0] + " before the first kind");
                    List<Param> ps = new ArrayList<>();
                    for (int i = 1; i < f.length; i++) ps.add(param(f[i], lineNo));
                    if (ps.isEmpty()) throw bad(lineNo, "no parameters");
                    if (f[0].equals("setData")) {
                        if (!addEntry.isEmpty()) throw bad(lineNo, "setData after addEntry");
                        setData = ps;
                    } else {
                        addEntry = ps;
                    }
                    break;
                default:
                    throw bad(lineNo, "unknown line " + f[0]);
            }
        }
        if (kind != null) out.add(kind(kind, setData, addEntry, out.size() + 1));
        return List.copyOf(out);
    }

    private static Kind kind(String[] f, List<Param> setData, List<Param> addEntry, int expectedType) {
        int type = Integer.parseInt(f[1]);
        if (type != expectedType)
            throw new IllegalStateException(RESOURCE + ": kind " + f[3] + " has type " + type + ", expected "
                    + expectedType);
        Set<Selection> sel = EnumSet.noneOf(Selection.class);
        if (!f[4].equals("-")) {
            for (String key : f[4].split(",")) {
                Selection s = Selection.ofKey(key);
                if (s == null) throw new IllegalStateException(RESOURCE + ": unknown selection " + key);
                sel.add(s);
            }
        }
        boolean changes = switch (f[5]) {
            case "rules" -> true;
            case "-" -> false;
            default -> throw new IllegalStateException(RESOURCE + ": kind " + f[3] + " has changes \"" + f[5]
                    + "\"; expected \"rules\" or \"-\"");
        };
        return new Kind(type, Integer.parseInt(f[2]), f[3], f[6], sel, changes, setData, addEntry);
    }

    private static Param param(String s, int lineNo) {
        String[] p = s.split(" ", 5);
        if (p.length != 5 || !(p[0].equals("String") || p[0].equals("int")) || p[1].isEmpty() || p[4].isBlank())
            throw bad(lineNo, "bad parameter \"" + s + "\"; expected \"TYPE NAME ROLE UNIT LABEL\"");
        Role role = Role.ofKey(p[2]);
        if (role == null) throw bad(lineNo, "unknown role " + p[2] + " of parameter " + p[1]);
        return new Param(p[1], p[0].equals("String"), role, p[3].equals("-") ? null : p[3], p[4]);
    }

    private static IllegalStateException bad(int lineNo, String what) {
        return new IllegalStateException(RESOURCE + " line " + lineNo + ": " + what);
    }
}
