package vyt.collector;

import vyt.catalog.*;

import java.util.ArrayList;
import java.util.Collections;
import java.util.List;

/**
 * The sample collector's data set: a few transactions with sub-transactions (URLs), the servers
 * they run on, paths from clients through web and application servers to a database, interval
 * measurements with states, current and URL alerts, events, summary intervals, thresholds and
 * URL include/exclude rules. Everything is derived deterministically from the names involved and
 * the clock value the set is made for: the response times, counts and states of every path and
 * interval come from {@link Model}, so the components add up to the total, each state follows its
 * threshold, and the paths in alert are those whose current interval is not normal.
 */
public final class Sample {
    /** Seconds from the collector's start to its clock value. */
    public static final int UPTIME = 93784;
    /** Length of a summary interval unless the collector is given another. */
    public static final int INTERVAL = 300;
    /** Number of intervals in a path summary. */
    public static final int SUMMARY_INTERVALS = 12;

    /** A network node: a group of clients or a server (serverId 0 for client networks). */
    public record Node(String address, String netName, String alias, int serverId, boolean online) {
        /** The address as one number, most significant byte first. */
        public int ipNumber() {
            return ipNumber(address);
        }

        public static int ipNumber(String dotted) {
            int v = 0;
            for (String p : dotted.split("\\.")) v = v << 8 | Integer.parseInt(p);
            return v;
        }
    }

    /** One source address seen on a path. */
    public record Client(String address, int srcPort) {
    }

    /**
     * A monitored path of a transaction, between two nodes; its position is CLIENT_PATH,
     * MIDDLE_PATH, END_PATH or CLIENT_AND_END_PATH.
     */
    public record Path(int id, Node src, Node dst, int srcPort, int dstPort, int position, int tier,
            List<Client> clients, List<Integer> srcPorts, List<Integer> dstPorts) {
    }

    /** A monitored transaction; reportableSecs is -1 when no transaction was received yet. */
    public record Transaction(String name, int flags, int reportableSecs, List<Path> paths, List<String> urls,
            List<Rules.Rule> rules, int precedence) {
        public Path path(int id) {
            for (Path p : paths) if (p.id == id) return p;
            return null;
        }

        /** The last path: the one that reaches the transaction's end. */
        public Path endPath() {
            return paths.isEmpty() ? null : paths.get(paths.size() - 1);
        }

        /** The servers the transaction runs on, in path order, each once. */
        public List<Node> servers() {
            List<Node> out = new ArrayList<>();
            for (Path p : paths) {
                if (p.src.serverId != 0 && !out.contains(p.src)) out.add(p.src);
                if (p.dst.serverId != 0 && !out.contains(p.dst)) out.add(p.dst);
            }
            return out;
        }
    }

    /** A path in alert, for a whole transaction (url null) or for one URL of it. */
    public record Alert(Transaction tran, Path path, String url, int firstAlert) {
    }

    /** An alert event of a path. */
    public record Event(Transaction tran, Path path, int start, int type, int state, int curState) {
    }

    public final int now;
    public final int startup;
    /** The start of the current (last complete) interval. */
    public final int intervalStart;
    /** The length of an interval in seconds. */
    public final int interval;
    /** The incidents in force besides those the model draws by itself: the current alerts' causes. */
    public final List<Model.Incident> incidents = new ArrayList<>();
    public final List<Node> nodes = new ArrayList<>();
    public final List<Transaction> transactions = new ArrayList<>();
    public final List<Alert> alerts = new ArrayList<>();
    public final List<Alert> urlAlerts = new ArrayList<>();
    public final List<Event> events = new ArrayList<>();

    /** The data sets the sample collector can serve. */
    public enum DataSet {
        /** The transactions checkout, login, search and nightly-export. */
        STANDARD,
        /**
         * The standard set and one more transaction, {@link #MARKUP_TRAN}, whose name, URLs and rule
         * hold HTML markup, as monitored traffic can: for checking that front ends show it as text.
         */
        MARKUP;

        /** The data set of a lower-case name ("standard", "markup"), or null. */
        public static DataSet of(String name) {
            for (DataSet d : values()) if (d.name().equalsIgnoreCase(name)) return d;
            return null;
        }
    }

    /** The name of the markup data set's extra transaction (53 bytes). */
    public static final String MARKUP_TRAN = "<script>alert(1)</script><img src=x onerror=alert(2)>";

    /** The standard data set at the clock value {@code now} (UTC seconds). */
    public Sample(int now) {
        this(now, DataSet.STANDARD);
    }

    /** A data set at the clock value {@code now} (UTC seconds), its current interval ending now. */
    public Sample(int now, DataSet set) {
        this(now, set, INTERVAL, now - INTERVAL);
    }

    /**
     * A data set at the clock value {@code now} whose intervals last {@code interval} seconds, the
     * current one starting at {@code intervalStart} (at most {@code now - interval}).
     */
    public Sample(int now, DataSet set, int interval, int intervalStart) {
        this(now, set, interval, intervalStart, now - UPTIME);
    }

    /** As above, for a collector started at the clock value {@code startup}. */
    public Sample(int now, DataSet set, int interval, int intervalStart, int startup) {
        if (interval < 1) throw new IllegalArgumentException("interval " + interval + " s: at least 1");
        if (intervalStart > now - interval) {
            throw new IllegalArgumentException("the current interval (from " + intervalStart + ", " + interval
                    + " s) must have ended by the clock value " + now);
        }
        this.now = now;
        this.startup = startup;
        this.interval = interval;
        this.intervalStart = intervalStart;
        int end = intervalStart + interval;

        Node branch = node("10.20.0.0", "branch-clients.example.test", "BRANCH", 0, true);
        Node remote = node("192.168.7.0", "remote-clients.example.test", "", 0, true);
        Node web = node("10.10.1.11", "web-01.example.test", "WEB01", 11, true);
        Node app1 = node("10.10.2.21", "app-01.example.test", "APP01", 21, true);
        Node app2 = node("10.10.2.22", "app-02.example.test", "APP02", 22, false);
        Node db = node("10.10.3.31", "db-01.example.test", "DB01", 31, true);

        List<Client> branchClients = List.of(new Client("10.20.0.15", 51034), new Client("10.20.0.16", 60211),
                new Client("10.20.0.99", 33333));
        List<Client> remoteClients = List.of(new Client("192.168.7.40", 49876), new Client("192.168.7.41", 65535));

        List<String> checkoutUrls = new ArrayList<>();
        String[] steps = {"cart", "address", "shipping", "payment", "review", "confirm"};
        for (int i = 1; i <= 23; i++) {
            String u = "/shop/checkout/" + steps[(i - 1) % steps.length] + "/" + i;
            if (i % 5 == 0) u += "?promo=spring&ref=mail";
            checkoutUrls.add(u);
        }
        transactions.add(new Transaction("checkout", Flags.HTTP_TRANSACTIONS | Flags.INCLUDE_EXCLUDE_URL, 93000,
                List.of(path(1, branch, web, 51034, 443, Flags.CLIENT_PATH, 1, branchClients),
                        path(2, web, app1, 40112, 8443, Flags.MIDDLE_PATH, 2, null),
                        path(3, app1, db, 50321, 1521, Flags.END_PATH, 3, null)),
                Collections.unmodifiableList(checkoutUrls),
                List.of(new Rules.Rule(1, "/shop/checkout/", Flags.URL_TYPE_INCLUDE
                                | Flags.URL_SEARCH_BEGINS_WITH, 1520),
                        new Rules.Rule(2, ".gif", Flags.URL_TYPE_EXCLUDE | Flags.URL_SEARCH_ENDS_WITH, 310)),
                Flags.URL_PRECEDENCE_INCLUDE_FIRST));
        transactions.add(new Transaction("login", Flags.HTTP_TRANSACTIONS, 90061,
                List.of(path(1, remote, web, 49876, 443, Flags.CLIENT_AND_END_PATH, 1, remoteClients)),
                List.of("/account/login", "/account/logout", "/account/password/reset"),
                List.of(new Rules.Rule(1, "/account/", Flags.URL_TYPE_INCLUDE | Flags.URL_SEARCH_CONTAINS, 77)),
                Flags.URL_PRECEDENCE_EXCLUDE_FIRST));
        transactions.add(new Transaction("search", Flags.HTTP_TRANSACTIONS, 3725,
                List.of(path(1, branch, web, 52000, 80, Flags.CLIENT_PATH, 1, branchClients),
                        path(2, web, app2, 41000, 9080, Flags.END_PATH, 2, null)),
                List.of("/search?q=", "/search/advanced", "/search/suggest"),
                List.of(), Flags.URL_PRECEDENCE_INCLUDE_FIRST));
        transactions.add(new Transaction("nightly-export", 0, -1, List.of(), List.of(), List.of(),
                Flags.URL_PRECEDENCE_INCLUDE_FIRST));

        if (set == DataSet.MARKUP) {
            transactions.add(new Transaction(MARKUP_TRAN, Flags.HTTP_TRANSACTIONS, 4242,
                    List.of(path(1, remote, web, 49877, 443, Flags.CLIENT_AND_END_PATH, 1, remoteClients)),
                    List.of("/<script>alert(3)</script>", "/q?a=\"><img src=x onerror=alert(4)>"),
                    List.of(new Rules.Rule(1, "<b onmouseover=alert(5)>", Flags.URL_TYPE_INCLUDE
                            | Flags.URL_SEARCH_CONTAINS, 9)),
                    Flags.URL_PRECEDENCE_INCLUDE_FIRST));
        }

        Transaction checkout = transaction("checkout"), login = transaction("login"), search = transaction("search");
        // The causes of the current alerts, timed back from the current interval's end: a critical
        // server time on checkout path 3, a warning application time on checkout path 2, a warning
        // network time on login path 1, and a critical wait time on search path 2 a day ago, over since.
        incident(checkout, 3, 1, 2, end - 7265, Long.MAX_VALUE);
        incident(checkout, 2, 2, 1, end - 1830, Long.MAX_VALUE);
        incident(login, 1, 0, 1, end - 95, Long.MAX_VALUE);
        incident(search, 2, 3, 2, end - 86000, end - 86000 + 1800);
        alerts.add(new Alert(checkout, checkout.path(2), null, end - 1830));
        alerts.add(new Alert(checkout, checkout.path(3), null, end - 7265));
        alerts.add(new Alert(login, login.path(1), null, end - 95));
        for (int i = 0; i < 5; i++)
            urlAlerts.add(new Alert(checkout, checkout.path(1 + i % 3), checkout.urls.get(i * 4), end - 600 - 61 * i));
        urlAlerts.add(new Alert(login, login.path(1), login.urls.get(0), end - 4000));
        urlAlerts.add(new Alert(search, search.path(2), search.urls.get(1), end - 125));
        if (set == DataSet.MARKUP) {
            Transaction m = transaction(MARKUP_TRAN);
            incident(m, 1, 3, 1, end - 42, Long.MAX_VALUE);
            alerts.add(new Alert(m, m.path(1), null, end - 42));
            urlAlerts.add(new Alert(m, m.path(1), m.urls.get(1), end - 42));
        }
        events.add(new Event(checkout, checkout.path(3), end - 7265, 1, 2, 2));
        events.add(new Event(checkout, checkout.path(2), end - 1830, 3, 1, 1));
        events.add(new Event(search, search.path(2), end - 86000, 4, 2, 0));
        events.add(new Event(login, login.path(1), end - 95, 5, 1, 1));
        // A path the model puts in an incident of its own in the current interval is in alert too.
        for (Transaction t : transactions) {
            for (Path p : t.paths) {
                int state = current(t, p).worstState();
                boolean listed = false;
                for (Alert a : alerts) listed |= a.path == p;
                if (state == 0 || listed) continue;
                int first = intervalStart;
                for (int k = 0; k < 288 && measure(t, p, first - interval).worstState() > 0; k++) first -= interval;
                alerts.add(new Alert(t, p, null, first));
                events.add(new Event(t, p, first, 1, state, state));
            }
        }
    }

    private void incident(Transaction t, int path, int component, int state, long from, long to) {
        incidents.add(new Model.Incident(t.name, path, component, state, from, to));
    }

    private Node node(String address, String netName, String alias, int serverId, boolean online) {
        Node n = new Node(address, netName, alias, serverId, online);
        nodes.add(n);
        return n;
    }

    private static Path path(int id, Node src, Node dst, int srcPort, int dstPort, int position, int tier,
            List<Client> clients) {
        List<Client> cl = clients != null ? clients : List.of(new Client(src.address, srcPort));
        List<Integer> srcPorts = new ArrayList<>();
        for (Client c : cl) if (!srcPorts.contains(c.srcPort)) srcPorts.add(c.srcPort);
        return new Path(id, src, dst, srcPort, dstPort, position, tier, cl, Collections.unmodifiableList(srcPorts),
                List.of(dstPort));
    }

    public Transaction transaction(String name) {
        for (Transaction t : transactions) if (t.name.equals(name)) return t;
        return null;
    }

    public Node server(int serverId) {
        for (Node n : nodes) if (n.serverId != 0 && n.serverId == serverId) return n;
        return null;
    }

    // ---- measurements ---------------------------------------------------------------------

    /** The model's interval of a path starting at {@code start}. */
    public Model.Measure measure(Transaction t, Path p, long start) {
        return Model.at(t.name, p.id, start, interval, incidents);
    }

    /** The model's current interval of a path. */
    public Model.Measure current(Transaction t, Path p) {
        return measure(t, p, intervalStart);
    }

    /** The start of summary interval {@code k} (0 = oldest; the last is the current interval). */
    public int summaryStart(int k) {
        return intervalStart - (SUMMARY_INTERVALS - 1 - k) * interval;
    }

    /** A measurement of a path over the current interval, by field name. */
    public int pathValue(Transaction t, Path p, String name) {
        Integer v = modelValue(current(t, p), name);
        return v != null ? v : value(t.name + "/" + p.id, name);
    }

    /**
     * A measurement of one source address of a path: its times are the path's scaled by 85 to
     * 115 %, its count a share of the path's by a weight of 1 to 4 per address.
     */
    public int clientValue(Transaction t, Path p, Client c, String name) {
        Model.Measure m = current(t, p);
        int weights = 0;
        for (Client o : p.clients) weights += clientWeight(o);
        Integer v = modelValue(m.scaled(85 + hash(c.address, "scale") % 31, m.count() * clientWeight(c) / weights),
                name);
        return v != null ? v : value(t.name + "/" + p.id + "/" + c.address, name);
    }

    private static int clientWeight(Client c) {
        return 1 + hash(c.address, "weight") % 4;
    }

    /** A measurement of a path summed over all its source addresses. */
    public int clientSumValue(Transaction t, Path p, String name) {
        Integer v = modelValue(current(t, p), name);
        return v != null ? v : value(t.name + "/" + p.id + "/*", name);
    }

    /** A measurement of a path in summary interval {@code k} (0 = oldest). */
    public int intervalValue(Transaction t, Path p, int k, String name) {
        Integer v = modelValue(measure(t, p, summaryStart(k)), name);
        return v != null ? v : value(t.name + "/" + p.id + "#" + k, name);
    }

    /** A measurement of a node of a transaction flow: the times of the path that reaches it. */
    public int nodeValue(Transaction t, Node n, String name) {
        for (Path p : t.paths) {
            if (p.dst != n || !name.startsWith("node")) continue;
            Integer v = modelValue(current(t, p), "path" + name.substring(4));
            if (v != null) return v;
        }
        return value(t.name + "@" + n.netName, name);
    }

    /** A measurement of the whole transaction: its client path's count and total time. */
    public int tranValue(Transaction t, String name) {
        if (!t.paths.isEmpty()) {
            Model.Measure m = current(t, t.paths.get(0));
            if (name.equals("tranTotalCt") || name.equals("tranTotalCtSum")) return m.count();
            if (name.equals("tranTotRespTimeAvg")) return m.total();
        }
        return value(t.name, name);
    }

    private static final java.util.regex.Pattern TIME = java.util.regex.Pattern.compile(
            "path(Tot|Net|Srv|App|Wait|)RespTime(Out|In)?(Avg|Min|Max)?(AlertState|State)?");
    private static final java.util.regex.Pattern GROUP = java.util.regex.Pattern.compile(
            "(app|)Group([1-4]|All)(Ct|State)?");

    /**
     * A measurement the model gives, or null for one it leaves to {@link #value}: the component
     * times (network split 2:3 into out and in; minimum 2/5 and maximum 5/2 of the mean) and their
     * states against the thresholds, the worst state, counts, and the distribution block.
     */
    static Integer modelValue(Model.Measure m, String name) {
        java.util.regex.Matcher t = TIME.matcher(name);
        if (t.matches()) {
            String c = t.group(1);
            int v = c.equals("Tot") ? m.total() : c.isEmpty() ? m.pathTime()
                    : m.times()[List.of(Model.COMPONENTS).indexOf(c)];
            int num = 1, den = 1;
            if (t.group(2) != null) {
                if (!c.equals("Net")) return null;
                num = t.group(2).equals("Out") ? 2 : 3;
                den = 5;
            }
            if ("Min".equals(t.group(3))) {
                num *= 2;
                den *= 5;
            } else if ("Max".equals(t.group(3))) {
                num *= 5;
                den *= 2;
            }
            int x = (int) ((long) v * num / den);
            if (t.group(4) == null) return x;
            return Model.state(x, (int) ((long) m.warn(c) * num / den), (int) ((long) m.crit(c) * num / den));
        }
        switch (name) {
            case "pathMaxRespTimeAlertState": case "pathWorstComponentState": case "worstComponentState":
                return m.worstState();
            case "pathTotRespTimeDataCt": case "pathTotRespTimeDataCtSum": case "pathClientTranCt":
            case "pathTranCtMax":
                return m.count();
            case "pathTranPerMinute":
                return (int) ((long) m.count() * 60 / m.length());
            default:
                break;
        }
        java.util.regex.Matcher g = GROUP.matcher(name);
        if (g.matches()) {
            String c = g.group(1).isEmpty() ? "Tot" : "App";
            boolean all = g.group(2).equals("All");
            int n = all ? 0 : Integer.parseInt(g.group(2));
            if (g.group(3) == null) return n == 4 || all ? null : Model.threshold(m.tran(), m.path(), c, "Group" + n);
            if (g.group(3).equals("State")) return all ? null : n <= 2 ? 0 : n - 2;
            // The count in each group: 55, 25 and 12 % of the transactions, the rest above the third limit.
            int[] share = {55, 25, 12};
            int rest = m.count();
            for (int k = 0; k < 3; k++) {
                int part = m.count() * share[k] / 100;
                if (k + 1 == n) return part;
                rest -= part;
            }
            return all ? m.count() : rest;
        }
        return null;
    }

    /**
     * The value of a named measurement in a scope. States are 0 (normal), 1 (warning) or
     * 2 (critical), mostly 0; minimum, average and maximum of one quantity keep their order;
     * distribution group limits grow; counts, byte counts and times fall in plausible ranges.
     */
    public static int value(String scope, String name) {
        if (name.endsWith("State")) {
            int h = hash(scope, name) % 10;
            return h < 6 ? 0 : h < 9 ? 1 : 2;
        }
        java.util.regex.Matcher g = java.util.regex.Pattern.compile("(.*Group)([123])$").matcher(name);
        if (g.matches()) return (40 + hash(scope, g.group(1)) % 200) << (Integer.parseInt(g.group(2)) - 1);
        if (name.endsWith("GroupAllCt")) {
            String stem = name.substring(0, name.length() - "AllCt".length());
            int sum = 0;
            for (int i = 1; i <= 4; i++) sum += value(scope, stem + i + "Ct");
            return sum;
        }
        for (String suffix : new String[] {"Min", "Max", "Avg"}) {
            if (name.endsWith(suffix) && !name.endsWith("AvgMax")) {
                int base = base(scope, name.substring(0, name.length() - 3));
                return suffix.equals("Min") ? base * 2 / 5 : suffix.equals("Max") ? base * 5 / 2 + 7 : base;
            }
        }
        if (name.endsWith("AvgMax")) return base(scope, name.substring(0, name.length() - 6)) * 3 / 2 + 11;
        return base(scope, name);
    }

    private static int base(String scope, String stem) {
        int h = hash(scope, stem);
        if (stem.contains("KBytesPerSec")) return 5 + h % 900;
        if (stem.contains("BytesCt")) return 500 + h % 60000;
        if (stem.contains("Pct")) return 1 + h % 99;
        if (stem.endsWith("Ct") || stem.endsWith("CtSum") || stem.endsWith("PerMinute") || stem.endsWith("Ctt")
                || stem.endsWith("CtSumt") || stem.endsWith("CtMax"))
            return 20 + h % 4000;
        return 15 + h % 2400;  // a time in milliseconds
    }

    private static int hash(String scope, String name) {
        int h = (scope + ":" + name).hashCode();
        h ^= h >>> 16;
        h *= 0x45d9f3b;
        h ^= h >>> 16;
        return h & 0x7fffffff;
    }

    /** One cell of a transaction flow: a node in a column, with the path that reaches it. */
    public record FlowCell(Node node, Path path, int colNum, int type, int port) {
    }

    /** The flow of a transaction: its clients, then each server its paths reach, column by column. */
    public List<FlowCell> flow(Transaction t) {
        List<FlowCell> out = new ArrayList<>();
        for (int i = 0; i < t.paths.size(); i++) {
            Path p = t.paths.get(i);
            if (i == 0) out.add(new FlowCell(p.src, p, 0, 1, p.srcPort));
            out.add(new FlowCell(p.dst, p, i + 1, 2, p.dstPort));
        }
        return out;
    }

    /** A path of another transaction that reaches the same server, or null. */
    public Path sharedPath(Transaction own, Node server) {
        for (Transaction t : transactions) {
            if (t == own) continue;
            for (Path p : t.paths) if (p.dst == server) return p;
        }
        return null;
    }

    /** The transaction that owns a path object. */
    public Transaction owner(Path p) {
        for (Transaction t : transactions) if (t.paths.contains(p)) return t;
        return null;
    }

    /**
     * The value of an alert: a component time or state of the path's current interval (for an
     * alert of a whole path), or a generated value (for a URL's alert, at least a warning).
     */
    public int alertValue(Alert a, String name) {
        if (a.url == null) {
            String n = name.endsWith("RespTimeAlert") ? name.substring(0, name.length() - 5) + "Avg" : name;
            Integer v = modelValue(current(a.tran, a.path), n);
            if (v != null) return v;
        }
        String scope = "alert:" + a.tran.name + "/" + a.path.id + (a.url == null ? "" : "/" + a.url);
        if (name.equals("pathMaxRespTimeAlertState") || name.equals("worstComponentState")) {
            int max = 1;
            for (String c : new String[] {"Tot", "Net", "Srv", "App", "Wait", ""})
                max = Math.max(max, value(scope, "path" + c + "RespTimeAlertState"));
            return max;
        }
        return value(scope, name);
    }

    /** A value of an event. */
    public int eventValue(Event e, String name) {
        return value("event:" + e.tran.name + "/" + e.path.id + "@" + (now - e.start), name);
    }

    /** The largest interval average of a summary: component "Tot", "Net", "Srv", "App" or "Wait". */
    public int summaryMax(Transaction t, Path p, String component) {
        int max = Integer.MIN_VALUE;
        for (int k = 0; k < SUMMARY_INTERVALS; k++)
            max = Math.max(max, intervalValue(t, p, k, "path" + component + "RespTimeAvg"));
        return max;
    }

    /** The number of samples over all summary intervals. */
    public int summaryDataCt(Transaction t, Path p) {
        int sum = 0;
        for (int k = 0; k < SUMMARY_INTERVALS; k++) sum += intervalValue(t, p, k, "pathTotRespTimeDataCtSum");
        return sum;
    }

    /** The interval number of the current interval since the collector started. */
    public int sumIntervalAux() {
        return (intervalStart + interval - startup) / interval;
    }

    /** The collector's own flags word. */
    public int collectorFlags() {
        return Flags.HTTP_TRANSACTIONS | Flags.INCLUDE_EXCLUDE_URL;
    }

    /** The seven blocks of the current performance overview, in reply order. */
    public static final String[] PERF_BLOCKS = {"all", "nodeRespTime", "pathRespTime", "network", "server", "sixth", "wait"};
    private static final String[] PERF_FIELDS = {null, "pathSrvRespTimeAlertState", "pathTotRespTimeAlertState",
        "pathNetRespTimeAlertState", "pathAppRespTimeAlertState", null, "pathWaitRespTimeAlertState"};
    public static final String[] STATE_NAMES = {"Normal", "Warning", "Critical"};

    /** The state of block {@code b} (0..6) of the current performance overview. */
    public int perfState(int b) {
        if (b == 0) {
            int max = 0;
            for (int i = 1; i < PERF_BLOCKS.length; i++) max = Math.max(max, perfState(i));
            return max;
        }
        if (PERF_FIELDS[b] == null) return 0;
        int max = 0;
        for (Transaction t : transactions)
            for (Path p : t.paths) max = Math.max(max, pathValue(t, p, PERF_FIELDS[b]));
        return max;
    }

    /** The text of block {@code b}: the state's name and the first path in that state. */
    public String perfText(int b) {
        if (PERF_FIELDS[b] == null && b != 0) return "Not monitored";
        int state = perfState(b);
        String text = STATE_NAMES[state];
        if (state == 0) return text;
        for (Transaction t : transactions) {
            for (Path p : t.paths) {
                for (int i = b == 0 ? 1 : b; i <= (b == 0 ? PERF_FIELDS.length - 1 : b); i++) {
                    if (PERF_FIELDS[i] != null && pathValue(t, p, PERF_FIELDS[i]) == state)
                        return text + " - " + t.name + " path " + p.id;
                }
            }
        }
        return text;
    }

    // ---- thresholds -------------------------------------------------------------------------

    /**
     * A threshold of a path: {@code component} is "Net", "Srv", "App", "Wait", "Tot" or "" (the
     * path response time), {@code limit} "Group1", "Group2", "Group3", "Warn" or "Crit".
     */
    public int threshold(Transaction t, Path p, String component, String limit) {
        return Model.threshold(t.name, p.id, component, limit);
    }

    /** Seconds a server of a transaction has been reportable; 0 for a server that is offline. */
    public int serverReportableSecs(Transaction t, Node n) {
        return n.online ? 3600 + hash(t.name, n.netName) % 200000 : 0;
    }
}
