package vyt.catalog;

import java.util.LinkedHashMap;
import java.util.Locale;
import java.util.Map;

/** The named bits of the flags words in requests and replies. */
public final class Flags {
    public static final int CLIENT_PATH = 0x1;
    public static final int MIDDLE_PATH = 0x2;
    public static final int END_PATH = 0x4;
    public static final int CLIENT_AND_END_PATH = 0x8;
    public static final int VIEW_DISTRIBUTIONS = 0x10;
    public static final int CLIENT_SUM = 0x2000;
    public static final int MULTIPLE_SRC_PORTS = 0x4000;
    public static final int MULTIPLE_DST_PORTS = 0x8000;
    public static final int SRC_PORT = 0x10000;
    public static final int DST_PORT = 0x20000;
    public static final int OWNING_TRAN_NAME = 0x40000;
    public static final int IMPACTING_TRAN_NAME = 0x80000;
    public static final int MSERVER_OFFLINE = 0x100000;
    public static final int TRUNCATE_URL_PARMS = 0x1000000;
    public static final int HTTP_TRANSACTIONS = 0x400000;
    public static final int INCLUDE_EXCLUDE_URL = 0x2000000;

    public static final int URL_PRECEDENCE_INCLUDE_FIRST = 0x1;
    public static final int URL_PRECEDENCE_EXCLUDE_FIRST = 0x2;
    public static final int URL_TYPE_INCLUDE = 0x4;
    public static final int URL_TYPE_EXCLUDE = 0x8;
    public static final int URL_HAS_INCLUDE = 0x10;
    public static final int URL_HAS_EXCLUDE = 0x20;
    public static final int URL_SEARCH_EXACT_MATCH = 0x100;
    public static final int URL_SEARCH_BEGINS_WITH = 0x200;
    public static final int URL_SEARCH_CONTAINS = 0x400;
    public static final int URL_SEARCH_ENDS_WITH = 0x800;
    public static final int URL_PRECEDENCE_BITS = URL_PRECEDENCE_INCLUDE_FIRST | URL_PRECEDENCE_EXCLUDE_FIRST;
    public static final int URL_TYPE_BITS = URL_TYPE_INCLUDE | URL_TYPE_EXCLUDE;
    public static final int URL_SEARCH_BITS =
            URL_SEARCH_EXACT_MATCH | URL_SEARCH_BEGINS_WITH | URL_SEARCH_CONTAINS | URL_SEARCH_ENDS_WITH;

    /** Every bit name, in table order (one bit may carry two names). */
    public static final Map<String, Integer> NAMES = new LinkedHashMap<>();

    static {
        String[] report = {"CLIENT_PATH", "MIDDLE_PATH", "END_PATH", "CLIENT_AND_END_PATH", "VIEW_DISTRIBUTIONS",
            "VIEW_COMBINED", "VIEW_TRAFFIC", "VIEW_OVERVIEW", "VIEW_OBSERVATIONS", "VIEW_ALL",
            "LEARN_THRESHOLDS_MODE_ACTIVE", "IP_SRC_ALIAS", "IP_DST_ALIAS", "CLIENT_SUM", "MULTIPLE_SRC_PORTS",
            "MULTIPLE_DST_PORTS", "SRC_PORT", "DST_PORT", "OWNING_TRAN_NAME", "IMPACTING_TRAN_NAME",
            "MSERVER_OFFLINE", "MSERVER_CHAIN_BROKEN", "HTTP_TRANSACTIONS", "HTTP_TRANSACTIONS_PATH_ZERO",
            "TRUNCATE_URL_PARMS", "INCLUDE_EXCLUDE_URL", "PASSTHRU_MODE"};
        int bit = 1;
        for (String n : report) {
            NAMES.put("REP_FLAGS_" + n, bit);
            if (n.equals("VIEW_TRAFFIC")) NAMES.put("REP_FLAGS_VIEW_DISPATCH_RETURN", bit);
            bit <<= 1;
        }
        String[] list = {"PRECEDENCE_INCLUDE_FIRST", "PRECEDENCE_EXCLUDE_FIRST", "TYPE_INCLUDE", "TYPE_EXCLUDE",
            "HAS_INCLUDE", "HAS_EXCLUDE"};
        bit = 1;
        for (String n : list) {
            NAMES.put("REP_URL_LIST_" + n, bit);
            bit <<= 1;
        }
        String[] search = {"EXACT_MATCH", "BEGINS_WITH", "CONTAINS", "ENDS_WITH"};
        bit = 0x100;
        for (String n : search) {
            NAMES.put("REP_URL_SEARCH_TYPE_" + n, bit);
            bit <<= 1;
        }
    }

    private Flags() {}

    /**
     * Parses a flags word: a decimal or 0x-hexadecimal number, or bit names joined by "," or "|"
     * (with or without their REP_ prefix, case-insensitive).
     */
    public static int parse(String text) {
        String t = text.trim();
        if (t.isEmpty()) throw new IllegalArgumentException("empty flags");
        if (t.matches("(?i)0x[0-9a-f]{1,8}")) return (int) Long.parseLong(t.substring(2), 16);
        if (t.matches("-?[0-9]+")) return Integer.parseInt(t);
        int v = 0;
        for (String part : t.split("[,|]")) {
            String n = part.trim().toUpperCase(Locale.ROOT);
            Integer bit = NAMES.get(n);
            if (bit == null) bit = NAMES.get("REP_" + n);
            if (bit == null) bit = NAMES.get("REP_FLAGS_" + n);
            if (bit == null) throw new IllegalArgumentException("unknown flag name: " + part.trim());
            v |= bit;
        }
        return v;
    }
}
