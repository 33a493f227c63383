package vyt.cli;

import vyt.catalog.Catalog;
import vyt.catalog.Flags;

import java.time.Instant;
import java.time.ZoneId;
import java.time.format.DateTimeFormatter;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;
import java.util.Locale;
import java.util.LinkedHashMap;
import java.util.Map;
import java.util.Set;

/**
 * The words the command line shows for numbers: flags words by their bit names, alert and
 * threshold states by name, second counts as ISO-8601 times, the meaning of rule operation
 * return codes, and the closest matches of a misspelt name.
 */
public final class Words {
    private Words() {}

    // ---- flags words -------------------------------------------------------------------------

    private static final String REPORT_PREFIX = "REP_FLAGS_";
    private static final String URL_PREFIX = "REP_";

    /** The kinds whose flags words are URL rule list bits rather than report bits. */
    public static boolean urlRuleFlags(Catalog.Kind k) {
        return k.name().equals("url-rules") || isRuleOperation(k);
    }

    /** The five URL rule operations: add, remove, get, edit and change precedence. */
    public static boolean isRuleOperation(Catalog.Kind k) {
        return RULE_OPERATIONS.contains(k.name());
    }

    private static final Set<String> RULE_OPERATIONS =
            Set.of("add-url-rule", "remove-url-rule", "get-url-rule", "edit-url-rule", "url-rule-precedence");

    /**
     * The short bit names of one table (without "REP_FLAGS_" or "REP_") in bit order; two names
     * may share a bit.
     */
    static Map<String, Integer> shortNames(boolean url) {
        Map<String, Integer> out = new LinkedHashMap<>();
        for (Map.Entry<String, Integer> e : Flags.NAMES.entrySet()) {
            String n = e.getKey();
            boolean isUrl = !n.startsWith(REPORT_PREFIX);
            if (isUrl != url) continue;
            out.put(n.substring(url ? URL_PREFIX.length() : REPORT_PREFIX.length()), e.getValue());
        }
        return out;
    }

    /**
     * A flags word as its bit names joined by "|", in bit order, with any bit that has no name in
     * hexadecimal: "HTTP_TRANSACTIONS|INCLUDE_EXCLUDE_URL", "CLIENT_PATH|0x40000000", "0".
     */
    public static String flags(int v, boolean url) {
        if (v == 0) return "0";
        List<String> parts = new ArrayList<>();
        int named = 0;
        for (Map.Entry<String, Integer> e : shortNames(url).entrySet()) {
            if ((v & e.getValue()) != 0 && (named & e.getValue()) == 0) {
                parts.add(e.getKey());
                named |= e.getValue();
            }
        }
        int rest = v & ~named;
        if (rest != 0) parts.add("0x" + Integer.toHexString(rest));
        return String.join("|", parts);
    }

    /**
     * The flag names a kind's --view takes: the URL list and search type names for adding and
     * editing rules, the precedence names for changing the precedence, the report bits for the
     * path detail reports.
     */
    public static List<String> viewNames(Catalog.Kind k) {
        if (!k.takes(Catalog.Selection.VIEW)) return List.of();
        List<String> out = new ArrayList<>();
        if (isRuleOperation(k)) {
            boolean precedence = !k.takes(Catalog.Selection.SUB);
            for (String n : shortNames(true).keySet())
                if (precedence ? n.startsWith("URL_LIST_PRECEDENCE_")
                        : n.startsWith("URL_LIST_TYPE_") || n.startsWith("URL_SEARCH_TYPE_")) out.add(n);
        } else {
            out.addAll(shortNames(false).keySet());
        }
        return out;
    }

    // ---- states ------------------------------------------------------------------------------

    private static final String[] STATES = {"normal", "warning", "critical"};

    /** Alert and threshold states: every parameter whose name ends in "State". */
    public static boolean isState(Catalog.Param p) {
        return !p.text() && p.name().endsWith("State");
    }

    /** A state's word: 0 normal, 1 warning, 2 critical; any other value as "state N". */
    public static String state(int v) {
        return v >= 0 && v < STATES.length ? STATES[v] : "state " + v;
    }

    // ---- times -------------------------------------------------------------------------------

    /** Second counts since 1970 UTC: the collector's start time and the summary's span. */
    public static boolean isEpochSeconds(Catalog.Param p) {
        return !p.text() && (p.name().endsWith("StartupTime") || p.name().startsWith("sumDataUTC"));
    }

    /** A second count as ISO-8601 local time with its offset: "2026-12-08T18:09:42+01:00". */
    public static String iso(int secs, ZoneId zone) {
        return DateTimeFormatter.ISO_OFFSET_DATE_TIME.format(Instant.ofEpochSecond(secs).atZone(zone));
    }

    // ---- rule operations ---------------------------------------------------------------------

    /** What a rule operation's non-zero return code means. */
    public static String ruleRefusal(Catalog.Kind k, int code, String tran, int rule, String url) {
        switch (code) {
            case 1:
                return "transaction \"" + tran + "\" has no URL rule number " + rule
                        + "; vyt report url-rules --tran " + tran + " lists them";
            case 2:
                return "another URL rule of transaction \"" + tran + "\" already has the URL \"" + url + "\"";
            case 3:
                return k.takes(Catalog.Selection.SUB)
                        ? "the URL is empty, or --view does not name exactly one list type and one search type"
                        : "--view does not name exactly one precedence";
            default:
                return "the collector refused the operation with return code " + code;
        }
    }

    // ---- suggestions -------------------------------------------------------------------------

    /**
     * The names closest to a misspelt one, best first: those within an edit distance of a third
     * of the name's length (at least 2), case ignored, at most three.
     */
    public static List<String> closest(String wrong, Iterable<String> names) {
        String w = wrong.toUpperCase(Locale.ROOT);
        int limit = Math.max(2, w.length() / 3);
        List<String> found = new ArrayList<>();
        List<Integer> dist = new ArrayList<>();
        for (String n : names) {
            int d = distance(w, n.toUpperCase(Locale.ROOT));
            if (d <= limit) {
                found.add(n);
                dist.add(d);
            }
        }
        List<Integer> order = new ArrayList<>();
        for (int i = 0; i < found.size(); i++) order.add(i);
        order.sort(Comparator.comparingInt(dist::get));
        List<String> out = new ArrayList<>();
        for (int i = 0; i < Math.min(3, order.size()); i++) out.add(found.get(order.get(i)));
        return out;
    }

    /** Levenshtein distance. */
    static int distance(String a, String b) {
        int[] prev = new int[b.length() + 1], cur = new int[b.length() + 1];
        for (int j = 0; j <= b.length(); j++) prev[j] = j;
        for (int i = 1; i <= a.length(); i++) {
            cur[0] = i;
            for (int j = 1; j <= b.length(); j++)
                cur[j] = Math.min(Math.min(cur[j - 1], prev[j]) + 1,
                        prev[j - 1] + (a.charAt(i - 1) == b.charAt(j - 1) ? 0 : 1));
            int[] t = prev;
            prev = cur;
            cur = t;
        }
        return prev[b.length()];
    }

    /** " (did you mean A or B?)", or "" when nothing is close. */
    public static String didYouMean(String wrong, Iterable<String> names) {
        List<String> c = closest(wrong, names);
        return c.isEmpty() ? "" : " (did you mean " + String.join(" or ", c) + "?)";
    }
}
