package org.vytjni.api;

import java.util.List;

/**
 * A report flags word ({@code REP_FLAGS_} bits): what a reply's values cover and how they are shown.
 *
 * @param bits the word as the collector sent it
 */
public record ReportFlags(int bits) {
    private static final FlagNames NAMES = new FlagNames(
            new int[] {0x1, 0x2, 0x4, 0x8, 0x10, 0x20, 0x40, 0x40, 0x80, 0x100, 0x200, 0x400, 0x800, 0x1000,
                0x2000, 0x4000, 0x8000, 0x10000, 0x20000, 0x40000, 0x80000, 0x100000, 0x200000, 0x400000,
                0x800000, 0x1000000, 0x2000000, 0x4000000},
            new String[] {"REP_FLAGS_CLIENT_PATH", "REP_FLAGS_MIDDLE_PATH", "REP_FLAGS_END_PATH",
                "REP_FLAGS_CLIENT_AND_END_PATH", "REP_FLAGS_VIEW_DISTRIBUTIONS", "REP_FLAGS_VIEW_COMBINED",
                "REP_FLAGS_VIEW_TRAFFIC", "REP_FLAGS_VIEW_DISPATCH_RETURN", "REP_FLAGS_VIEW_OVERVIEW",
                "REP_FLAGS_VIEW_OBSERVATIONS", "REP_FLAGS_VIEW_ALL", "REP_FLAGS_LEARN_THRESHOLDS_MODE_ACTIVE",
                "REP_FLAGS_IP_SRC_ALIAS", "REP_FLAGS_IP_DST_ALIAS", "REP_FLAGS_CLIENT_SUM",
                "REP_FLAGS_MULTIPLE_SRC_PORTS", "REP_FLAGS_MULTIPLE_DST_PORTS", "REP_FLAGS_SRC_PORT",
                "REP_FLAGS_DST_PORT", "REP_FLAGS_OWNING_TRAN_NAME", "REP_FLAGS_IMPACTING_TRAN_NAME",
                "REP_FLAGS_MSERVER_OFFLINE", "REP_FLAGS_MSERVER_CHAIN_BROKEN", "REP_FLAGS_HTTP_TRANSACTIONS",
                "REP_FLAGS_HTTP_TRANSACTIONS_PATH_ZERO", "REP_FLAGS_TRUNCATE_URL_PARMS",
                "REP_FLAGS_INCLUDE_EXCLUDE_URL", "REP_FLAGS_PASSTHRU_MODE"});

    private static final ReportFlags NONE = new ReportFlags(0);

    public static ReportFlags of(int bits) {
        return bits == 0 ? NONE : new ReportFlags(bits);
    }

    /** Whether the flag of that name (e.g. "REP_FLAGS_HTTP_TRANSACTIONS") is set. */
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
