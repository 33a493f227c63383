package vyt.cli;

import vyt.catalog.Catalog;
import vyt.catalog.Flags;
import vyt.catalog.RuleCode;
import vyt.catalog.States;

import java.time.Instant;
import java.time.ZoneId;
import java.time.format.DateTimeFormatter;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;
import java.util.Locale;
import java.util.LinkedHashMap;
import java.util.Map;

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
        for (List<Catalog.Param> call : List.of(k.setData(), k.addEntry()))
            for (Catalog.Param p : call) if (p.role() == Catalog.Role.URL_RULE_FLAGS) return true;
        return false;
    }

    /**
     * The five URL rule operations (add, remove, get, edit and change precedence): the kinds whose
     * only call is a setData that carries a URL rule flags word.
     */
    public static boolean isRuleOperation(Catalog.Kind k) {
        return !k.hasAddEntry() && urlRuleFlags(k);
    }

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

    /** Alert and threshold states: the parameters whose role is an alert state. */
    public static boolean isState(Catalog.Param p) {
        return p.role() == Catalog.Role.ALERT_STATE;
    }

    /** A state's word: 0 normal, 1 warning, 2 critical; any other value as "state N". */
    public static String state(int v) {
        return States.name(v);
    }

    // ---- times -------------------------------------------------------------------------------

    /** Second counts since 1970 UTC, as the catalogue says. */
    public static boolean isEpochSeconds(Catalog.Param p) {
        return p.role() == Catalog.Role.EPOCH_SECONDS;
    }

    /** A second count as ISO-8601 local time with its offset: "2026-12-08T18:09:42+01:00". */
    public static String iso(int secs, ZoneId zone) {
        return DateTimeFormatter.ISO_OFFSET_DATE_TIME.format(Instant.ofEpochSecond(secs).atZone(zone));
    }

    // ---- rule operations ---------------------------------------------------------------------

    /** What a rule operation's non-zero return code means. */
    public static String ruleRefusal(Catalog.Kind k, int code, String tran, int rule, String url) {
        RuleCode c = RuleCode.of(code);
        if (c == null || c == RuleCode.DONE) return "the collector refused the operation with return code " + code;
        switch (c) {
            case NO_SUCH_RULE:
                return "transaction \"" + tran + "\" has no URL rule number " + rule
                        + "; vyt report url-rules --tran " + tran + " lists them";
            case URL_TAKEN:
                return "another URL rule of transaction \"" + tran + "\" already has the URL \"" + url + "\"";
            default:  // REFUSED
                return k.takes(Catalog.Selection.SUB)
                        ? "the URL is empty, or --view does not name exactly one list type and one search type"
                        : "--view does not name exactly one precedence";
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
