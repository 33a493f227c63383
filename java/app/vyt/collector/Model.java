package vyt.collector;

import java.util.List;

/**
 * The sample collector's measurements of one transaction path over one interval, as a smooth,
 * deterministic function of (transaction, path, interval start, interval length).
 *
 * <p>Each response-time component (network, server, application, wait) is a share of its warning
 * threshold: a level per path and component, plus a daily cycle (busiest in the early afternoon,
 * UTC), plus bounded noise drawn from a hash of the interval. Without an incident the level stays
 * below 0.8 of the warning threshold, so the component is normal. An incident raises one
 * component above its warning threshold (a warning) or above its critical threshold (critical):
 * incidents come from a hash of the path and hour (about 3 hours in 100) or are given by the
 * caller (the sample's current alerts). The total is the sum of the four components; the path
 * response time the sum of network, server and application. Every state follows its threshold:
 * critical at or above the critical threshold, warning at or above the warning threshold, else
 * normal. The transaction count follows the same daily cycle.
 */
public final class Model {
    private Model() {
    }

    /** The components, in the order of {@link Measure#times()}. */
    public static final String[] COMPONENTS = {"Net", "Srv", "App", "Wait"};
    /** Percent of (path, hour) pairs with an incident. */
    static final int INCIDENT_PERCENT = 3;

    /**
     * A component of a path raised to {@code state} (1 warning, 2 critical) over [from, to) in epoch
     * seconds; {@code to} may be {@link Long#MAX_VALUE} for an incident still going on.
     */
    public record Incident(String tran, int path, int component, int state, long from, long to) {
        boolean covers(String t, int p, long start, int length) {
            return path == p && tran.equals(t) && from < start + length && to > start;
        }
    }

    /**
     * One interval of one path: the four components' mean times in ms (network, server,
     * application, wait), their sum, the number of transactions, and the thresholds.
     */
    public record Measure(String tran, int path, long start, int length, int[] times, int count) {
        public int total() {
            int sum = 0;
            for (int v : times) sum += v;
            return sum;
        }

        /** Network, server and application: the path's own response time. */
        public int pathTime() {
            return times[0] + times[1] + times[2];
        }

        /** The warning threshold of component "Net", "Srv", "App", "Wait", "Tot" or "" (the path time). */
        public int warn(String component) {
            return threshold(tran, path, component, "Warn");
        }

        public int crit(String component) {
            return threshold(tran, path, component, "Crit");
        }

        /** The state of a value against a component's thresholds. */
        public int state(String component, int value) {
            return Model.state(value, warn(component), crit(component));
        }

        /** The state of component {@code k} (0..3). */
        public int state(int k) {
            return state(COMPONENTS[k], times[k]);
        }

        public int totalState() {
            return state("Tot", total());
        }

        /** The worst state of the four components and the total. */
        public int worstState() {
            int w = totalState();
            for (int k = 0; k < times.length; k++) w = Math.max(w, state(k));
            return w;
        }

        /** The same interval seen from one source address: times scaled by {@code percent}, a share of the count. */
        public Measure scaled(int percent, int countShare) {
            int[] t = new int[times.length];
            for (int k = 0; k < t.length; k++) t[k] = Math.max(1, times[k] * percent / 100);
            return new Measure(tran, path, start, length, t, countShare);
        }
    }

    /** The state of {@code value}: 2 at or above {@code crit}, 1 at or above {@code warn}, else 0. */
    public static int state(int value, int warn, int crit) {
        return value >= crit ? 2 : value >= warn ? 1 : 0;
    }

    /**
     * The threshold base of a component: 50 to 349 ms for each of the four components; the total's
     * is their sum and the path time's the sum of network, server and application.
     */
    public static int base(String tran, int path, String component) {
        switch (component) {
            case "Tot": return base(tran, path, "Net") + base(tran, path, "Srv") + base(tran, path, "App")
                    + base(tran, path, "Wait");
            case "": return base(tran, path, "Net") + base(tran, path, "Srv") + base(tran, path, "App");
            default: return 50 + hash(tran + "/" + path, "threshold" + component) % 300;
        }
    }

    /** A threshold: {@code limit} "Group1", "Group2", "Group3" (distribution limits), "Warn" or "Crit". */
    public static int threshold(String tran, int path, String component, String limit) {
        int base = base(tran, path, component);
        switch (limit) {
            case "Group1": return base;
            case "Group2": return base * 2;
            case "Group3": return base * 4;
            case "Warn": return base * 3;
            case "Crit": return base * 6;
            default: throw new IllegalArgumentException(limit);
        }
    }

    /** The interval of a path starting at {@code start} (epoch seconds), with the given incidents in force. */
    public static Measure at(String tran, int path, long start, int length, List<Incident> incidents) {
        String scope = tran + "/" + path;
        // The daily cycle: -1 at 02:00 UTC, +1 at 14:00 UTC, taken at the interval's middle.
        double day = Math.cos(2 * Math.PI * (((start + length / 2) % 86_400) / 86_400.0 - 14 / 24.0));
        long hour = Math.floorDiv(start, 3600);
        int hourHash = hash(scope, "incident@" + hour);
        int[] times = new int[COMPONENTS.length];
        for (int k = 0; k < times.length; k++) {
            String c = COMPONENTS[k];
            double level = 0.30 + 0.25 * unit(hash(scope, "level" + c)) + 0.12 * day
                    + 0.16 * (unit(hash(scope, c + "@" + start)) - 0.5);
            int state = 0;
            if (hourHash % 100 < INCIDENT_PERCENT && (hourHash >>> 8) % COMPONENTS.length == k)
                state = (hourHash >>> 12) % 3 == 0 ? 2 : 1;
            for (Incident i : incidents)
                if (i.component == k && i.covers(tran, path, start, length)) state = Math.max(state, i.state);
            // Warning: 1.1 to 1.6 times the warning threshold; critical: 2.05 to 2.5 times (crit = 2 warn).
            if (state == 1) level = 1.1 + 0.5 * unit(hash(scope, "warn" + c + "@" + start));
            else if (state == 2) level = 2.05 + 0.45 * unit(hash(scope, "crit" + c + "@" + start));
            times[k] = Math.max(1, (int) Math.round(level * threshold(tran, path, c, "Warn")));
        }
        double perSecond = (0.3 + 2.7 * unit(hash(tran, "count"))) * (1 + 0.5 * day)
                * (0.9 + 0.2 * unit(hash(scope, "count@" + start)));
        int count = (int) Math.max(1, Math.round(perSecond * length));
        return new Measure(tran, path, start, length, times, count);
    }

    /** A number in [0, 1) from a hash. */
    private static double unit(int h) {
        return (h % 1_000_000) / 1_000_000.0;
    }

    static int hash(String scope, String name) {
        int h = (scope + ":" + name).hashCode();
        h ^= h >>> 16;
        h *= 0x45d9f3b;
        h ^= h >>> 16;
        return h & 0x7fffffff;
    }
}
