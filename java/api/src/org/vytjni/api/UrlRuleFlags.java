package org.vytjni.api;

import java.util.List;

/**
 * A URL rule flags word ({@code REP_URL_LIST_} and {@code REP_URL_SEARCH_TYPE_} bits): a rule's list,
 * its match and the list's precedence.
 *
 * @param bits the word as the collector sent it
 */
public record UrlRuleFlags(int bits) {
    private static final FlagNames NAMES = new FlagNames(
            new int[] {0x1, 0x2, 0x4, 0x8, 0x10, 0x20, 0x100, 0x200, 0x400, 0x800},
            new String[] {"REP_URL_LIST_PRECEDENCE_INCLUDE_FIRST", "REP_URL_LIST_PRECEDENCE_EXCLUDE_FIRST",
                "REP_URL_LIST_TYPE_INCLUDE", "REP_URL_LIST_TYPE_EXCLUDE", "REP_URL_LIST_HAS_INCLUDE",
                "REP_URL_LIST_HAS_EXCLUDE", "REP_URL_SEARCH_TYPE_EXACT_MATCH", "REP_URL_SEARCH_TYPE_BEGINS_WITH",
                "REP_URL_SEARCH_TYPE_CONTAINS", "REP_URL_SEARCH_TYPE_ENDS_WITH"});

    public static UrlRuleFlags of(int bits) {
        return new UrlRuleFlags(bits);
    }

    /** Whether the flag of that name (e.g. "REP_URL_LIST_TYPE_INCLUDE") is set. */
    public boolean has(String name) {
        int bit = NAMES.bit(name);
        return (bits & bit) == bit;
    }

    /** The names of the flags set (bits without a name are left out). */
    public List<String> names() {
        return NAMES.of(bits);
    }

    @Override
    public String toString() {
        return NAMES.text(bits);
    }
}
