package vyt.collector;

import vyt.catalog.*;

import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/**
 * The sample collector's URL include/exclude rule lists, one per transaction, changed by the
 * five rule operations. Safe for concurrent use.
 */
public final class Rules {
    /** The operation succeeded. */
    public static final int OK = 0;
    /** No rule has the given number. */
    public static final int UNKNOWN_RULE = 1;
    /** Another rule of the list already has this URL. */
    public static final int DUPLICATE_URL = 2;
    /** The URL is empty or the flags do not name exactly one list type / search type / precedence. */
    public static final int INVALID = 3;

    /** One rule: its number, URL text, type and search flags, and hit count. */
    public record Rule(int id, String url, int flags, int hits) {
    }

    /** The outcome of an operation: the return code and the rule it concerned (or null). */
    public record Result(int code, Rule rule, int listFlags) {
    }

    private static final class RuleList {
        public final List<Rule> rules = new ArrayList<>();
        int precedence;
        int nextId = 1;
    }

    private final Map<String, RuleList> lists = new LinkedHashMap<>();

    /** The initial lists of the sample data set. */
    public Rules(Sample sample) {
        for (Sample.Transaction t : sample.transactions) {
            RuleList l = new RuleList();
            l.rules.addAll(t.rules());
            l.precedence = t.precedence();
            for (Rule r : t.rules()) l.nextId = Math.max(l.nextId, r.id + 1);
            lists.put(t.name(), l);
        }
    }

    /** A copy of a transaction's rules in list order. */
    public synchronized List<Rule> rules(String tran) {
        return new ArrayList<>(list(tran).rules);
    }

    /** The list's flags word: its precedence and whether it holds include and exclude rules. */
    public synchronized int listFlags(String tran) {
        RuleList l = list(tran);
        int f = l.precedence;
        for (Rule r : l.rules) {
            if ((r.flags & Flags.URL_TYPE_INCLUDE) != 0) f |= Flags.URL_HAS_INCLUDE;
            if ((r.flags & Flags.URL_TYPE_EXCLUDE) != 0) f |= Flags.URL_HAS_EXCLUDE;
        }
        return f;
    }

    public synchronized Result add(String tran, String url, int flags) {
        RuleList l = list(tran);
        if (url.isEmpty() || !validRuleFlags(flags)) return new Result(INVALID, null, 0);
        if (find(l, url) != null) return new Result(DUPLICATE_URL, find(l, url), 0);
        Rule r = new Rule(l.nextId++, url, flags & (Flags.URL_TYPE_BITS | Flags.URL_SEARCH_BITS), 0);
        l.rules.add(r);
        return new Result(OK, r, 0);
    }

    public synchronized Result remove(String tran, int id) {
        RuleList l = list(tran);
        Rule r = find(l, id);
        if (r == null) return new Result(UNKNOWN_RULE, null, 0);
        l.rules.remove(r);
        return new Result(OK, r, 0);
    }

    public synchronized Result get(String tran, int id) {
        Rule r = find(list(tran), id);
        return new Result(r == null ? UNKNOWN_RULE : OK, r, 0);
    }

    /** Replaces a rule's URL and flags, keeping its number, place and hit count. */
    public synchronized Result edit(String tran, int id, String url, int flags) {
        RuleList l = list(tran);
        Rule old = find(l, id);
        if (old == null) return new Result(UNKNOWN_RULE, null, 0);
        if (url.isEmpty() || !validRuleFlags(flags)) return new Result(INVALID, old, 0);
        Rule same = find(l, url);
        if (same != null && same != old) return new Result(DUPLICATE_URL, same, 0);
        Rule r = new Rule(id, url, flags & (Flags.URL_TYPE_BITS | Flags.URL_SEARCH_BITS), old.hits);
        l.rules.set(l.rules.indexOf(old), r);
        return new Result(OK, r, 0);
    }

    public synchronized Result precedence(String tran, int flags) {
        RuleList l = list(tran);
        int p = flags & Flags.URL_PRECEDENCE_BITS;
        if (Integer.bitCount(p) != 1) return new Result(INVALID, null, listFlags(tran));
        l.precedence = p;
        return new Result(OK, null, listFlags(tran));
    }

    private static boolean validRuleFlags(int flags) {
        return Integer.bitCount(flags & Flags.URL_TYPE_BITS) == 1
                && Integer.bitCount(flags & Flags.URL_SEARCH_BITS) == 1;
    }

    private RuleList list(String tran) {
        RuleList l = lists.get(tran);
        if (l == null) throw new IllegalArgumentException("no rule list for " + tran);
        return l;
    }

    private static Rule find(RuleList l, int id) {
        for (Rule r : l.rules) if (r.id == id) return r;
        return null;
    }

    private static Rule find(RuleList l, String url) {
        for (Rule r : l.rules) if (r.url.equals(url)) return r;
        return null;
    }
}
