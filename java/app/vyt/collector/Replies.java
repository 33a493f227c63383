package vyt.collector;

import vyt.catalog.*;
import org.vytjni.api.CollectorErrorException;

import java.util.ArrayList;
import java.util.List;

/**
 * The sample collector's answers: encodes each report kind's reply from the sample data set in
 * the reply layouts the library decodes (little-endian words, fixed-width texts, fixed offsets).
 */
public final class Replies {
    public static final int ERROR_REPLY_LENGTH = 35;

    /** Default and largest number of entries in one page of a paged list. */
    public static final int DEFAULT_PAGE = 10;
    public static final int MAX_PAGE = 50;

    /** The distribution block of the path detail replies, in reply order. */
    public static final String[] DISTRIBUTION = {"pathTotRespTimeDataCtSum", "Group1", "Group2", "Group3", "Group1Ct",
        "Group2Ct", "Group3Ct", "Group4Ct", "GroupAllCt", "Group1State", "Group2State", "Group3State",
        "Group4State"};

    /** Why a request cannot be answered with a report: the error reply's text. */
    private static final class Refused extends Exception {
        private static final long serialVersionUID = 1L;

        Refused(String text) {
            super(text, null, false, false);
        }
    }

    private final Sample s;
    private final Rules rules;

    public Replies(Sample sample, Rules rules) {
        this.s = sample;
        this.rules = rules;
    }

    /** The 35-byte error reply with a status text. */
    public static byte[] error(int reportId, String text) {
        return new Wire(ERROR_REPLY_LENGTH).i32(0, ERROR_REPLY_LENGTH).i32(4, reportId).text(8, 27, text).bytes();
    }

    /** The reply to one request. */
    public byte[] answer(Request q) {
        try {
            switch (q.reportId()) {
                case 1: return allTransactions(q);
                case 2: return transactionPaths(q);
                case 5: return summary(q);
                case 11: return currentPerformance(q);
                case 12: return interval(q, false, 456, new String[] {"pathTotRespTimeDataCtSum",
                    "pathTotRespTimeAvg", "pathNetRespTimeAvg", "pathSrvRespTimeAvg", "pathAppRespTimeAvg",
                    "pathWaitRespTimeAvg", "pathTotRespTimeAlertState", "pathNetRespTimeAlertState",
                    "pathSrvRespTimeAlertState", "pathAppRespTimeAlertState", "pathWaitRespTimeAlertState",
                    "pathMaxRespTimeAlertState", "flags"});
                case 13: return interval(q, false, 460, new String[] {"pathTotRespTimeDataCtSum",
                    "pathNetRespTimeAvg", "pathNetRespTimeOutAvg", "pathNetRespTimeInAvg",
                    "pathNetOutKBytesPerSecAvg", "pathNetInKBytesPerSecAvg", null, "pathNetOutBytesCtAvg",
                    "pathNetInBytesCtAvg", null, "pathNetRespTimeAlertState", "pathNetRespTimeOutAlertState",
                    "pathNetRespTimeInAlertState", "flags"});
                case 14: return interval(q, false, 440, new String[] {"pathTotRespTimeDataCtSum",
                    "pathSrvRespTimeAvg", "pathAppRespTimeAvg", "pathWaitRespTimeAvg", "pathDisRespTimeAvg",
                    "pathSrvRespTimeAlertState", "pathAppRespTimeAlertState", "pathWaitRespTimeAlertState",
                    "flags"});
                case 15: return interval(q, false, 428, new String[] {"pathTotRespTimeDataCtSum",
                    "pathDisRespTimeAvg", "pathRetRespTimeAvg", "pathWaitRespTimeAvg", "pathWaitRespTimeAlertState",
                    "flags"});
                case 29: return interval(q, true, 436, new String[] {"pathTotRespTimeDataCtSum",
                    "pathTotRespTimeAvg", "pathNetRespTimeAvg", "pathAppRespTimeAvg", "pathTotRespTimeAlertState",
                    "pathNetRespTimeAlertState", "pathAppRespTimeAlertState", "flags"});
                case 23: return transactionFlow(q);
                case 17: return detail(q, metrics("pathTotRespTime"), new String[] {"pathTotRespTime",
                    "pathNetRespTime", "pathSrvRespTime", "pathAppRespTime", "pathWaitRespTime",
                    "pathTotRespTimeState", "pathNetRespTimeState", "pathSrvRespTimeState", "pathAppRespTimeState",
                    "pathWaitRespTimeState", "pathClientTranCt"});
                case 30: return detail(q, metrics("pathRespTime"), new String[] {"pathRespTime", "pathNetRespTime",
                    "pathAppRespTime", "pathRespTimeState", "pathNetRespTimeState", "pathAppRespTimeState",
                    "pathClientTranCt"});
                case 19: return detail(q, concat(metrics("pathNetRespTime"), metrics("pathNetRespTimeOut"),
                        metrics("pathNetRespTimeIn"), new String[] {"pathNetOutKBytesPerSecAvg",
                            "pathNetInKBytesPerSecAvg", "pathNetTotKBytesPerSecAvg", "pathNetOutBytesCtAvg",
                            "pathNetInBytesCtAvg", "pathNetTotBytesCtAvg"}),
                        new String[] {"pathNetRespTime", "pathNetRespTimeOut", "pathNetRespTimeIn",
                            "pathNetOutKBytesPerSec", "pathNetInKBytesPerSec", "pathNetTotKBytesPerSec",
                            "pathNetOutBytesCt", "pathNetInBytesCt", "pathNetTotBytesCt", "pathNetRespTimeState",
                            "pathNetRespTimeOutState", "pathNetRespTimeInState", "pathClientTranCt"});
                case 21: return detail(q, concat(metrics("pathSrvRespTime"), new String[] {"appGroup1", "appGroup2",
                            "appGroup3", "appGroup1Ct", "appGroup2Ct", "appGroup3Ct", "appGroup4Ct", "appGroupAllCt",
                            "appGroup1State", "appGroup2State", "appGroup3State", "appGroup4State"},
                        metrics("pathAppRespTime"), metrics("pathWaitRespTime")),
                        new String[] {"pathDisRespTime", "pathTotRespTime", "pathNetRespTimeOut",
                            "pathNetRespTimeIn", "pathSrvRespTime", "pathAppRespTime", "pathWaitRespTime",
                            "pathTotRespTimeState", "pathNetRespTimeOutState", "pathNetRespTimeInState",
                            "pathSrvRespTimeState", "pathAppRespTimeState", "pathWaitRespTimeState",
                            "pathClientTranCt"});
                case 22: return detail(q, concat(metrics("pathSrvRespTime"), metrics("pathAppRespTime"),
                        metrics("pathWaitRespTime"), minMaxAvg("pathDisRespTime"), minMaxAvg("pathDisAppRespTime"),
                        minMaxAvg("pathDisWaitRespTime"), minMaxAvg("pathRetRespTime"),
                        minMaxAvg("pathRetAppRespTime"), minMaxAvg("pathRetWaitRespTime")),
                        new String[] {"pathSrvRespTime", "pathAppRespTime", "pathWaitRespTime",
                            "pathSrvRespTimeState", "pathAppRespTimeState", "pathWaitRespTimeState",
                            "pathClientTranCt"});
                case 24: return currentAlerts(q, false);
                case 37: return currentAlerts(q, true);
                case 26: return eventAlerts(q);
                case 25: return pathPorts(q);
                case 27: return thresholds(q);
                case 31: return transactionServers(q);
                case 32: return serverLoad(q);
                case 33: return reportability(q);
                case 34: return reportabilityDetail(q);
                case 35: return subTransactions(q);
                case 36: return transactionInfo(q);
                case 38: return urlRules(q);
                case 39: case 40: case 41: case 42: case 43: return ruleOperation(q);
                default: return error(q.reportId(), CollectorErrorException.BAD_REPORT_ID);
            }
        } catch (Refused r) {
            return error(q.reportId(), r.getMessage());
        }
    }

    // ---- shared pieces --------------------------------------------------------------------

    private Sample.Transaction tran(Request q) throws Refused {
        Sample.Transaction t = s.transaction(q.tranName());
        if (t == null) throw new Refused(CollectorErrorException.TRAN_NOT_FOUND);
        return t;
    }

    private static Sample.Path path(Sample.Transaction t, Request q) throws Refused {
        Sample.Path p = t.path(q.pathId());
        if (p == null) throw new Refused(CollectorErrorException.PATH_NOT_FOUND);
        return p;
    }

    /** A reply of {@code size} bytes with its length, id and entry count words. */
    private static Wire reply(int size, Request q, int entryCt) {
        return new Wire(size).i32(0, size).i32(4, q.reportId()).i32(8, entryCt);
    }

    /** One endpoint group (address, network name, alias; 160 bytes). */
    private static void endpoint(Wire w, int off, Sample.Node n) {
        w.text(off, 16, n.address()).text(off + 16, 128, n.netName()).text(off + 144, 16, n.alias());
    }

    /** The 404-byte block that opens the path entries of the interval replies. */
    private static void pathEndpoints(Wire w, int off, Sample.Transaction t, Sample.Path p) {
        w.text(off, 64, t.name()).i32(off + 64, p.id()).u16(off + 76, p.srcPort()).u16(off + 78, p.dstPort());
        endpoint(w, off + 80, p.src());
        endpoint(w, off + 240, p.dst());
    }

    /** Page bounds of a paged list: first index and number of entries. */
    private static int[] page(int start, int scroll, int total) {
        int from = Math.max(0, Math.min(start, total));
        int size = scroll <= 0 ? DEFAULT_PAGE : Math.min(scroll, MAX_PAGE);
        return new int[] {from, Math.min(size, total - from)};
    }

    private static String[] metrics(String stem) {
        return new String[] {stem + "Min", stem + "Max", stem + "Avg", stem + "MinState", stem + "MaxState",
            stem + "AvgState"};
    }

    private static String[] minMaxAvg(String stem) {
        return new String[] {stem + "Min", stem + "Max", stem + "Avg"};
    }

    private static String[] concat(String[]... parts) {
        List<String> out = new ArrayList<>();
        for (String[] p : parts) out.addAll(List.of(p));
        return out.toArray(new String[0]);
    }

    // ---- transaction inventory ------------------------------------------------------------

    private byte[] allTransactions(Request q) {
        int n = s.transactions.size();
        Wire w = reply(28 + 68 * n, q, n).i32(20, s.startup).i32(24, s.collectorFlags());
        for (int k = 0; k < n; k++) {
            Sample.Transaction t = s.transactions.get(k);
            w.text(28 + 68 * k, 64, t.name()).i32(28 + 68 * k + 64, t.flags());
        }
        return w.bytes();
    }

    private byte[] transactionInfo(Request q) throws Refused {
        Sample.Transaction t = tran(q);
        return reply(112, q, 0).text(20, 64, t.name()).i32(104, s.startup).i32(108, t.flags()).bytes();
    }

    private byte[] transactionServers(Request q) throws Refused {
        Sample.Transaction t = tran(q);
        List<Sample.Node> servers = t.servers();
        Wire w = reply(92 + 152 * servers.size(), q, servers.size()).text(20, 64, t.name());
        for (int k = 0; k < servers.size(); k++) {
            Sample.Node n = servers.get(k);
            int e = 92 + 152 * k;
            w.i32(e, n.serverId()).text(e + 4, 16, n.address()).text(e + 20, 128, n.netName())
                    .i32(e + 148, n.online() ? 0 : Flags.MSERVER_OFFLINE);
        }
        return w.bytes();
    }

    private byte[] transactionPaths(Request q) throws Refused {
        Sample.Transaction t = tran(q);
        Sample.Path end = t.endPath();
        int n = t.paths().size();
        Wire w = reply(100 + 508 * n, q, 0).text(20, 64, t.name()).i32(88, n);
        for (int k = 0; k < n; k++) {
            Sample.Path p = t.paths().get(k);
            int e = 100 + 508 * k;
            w.i32(e, p.id()).u16(e + 12, p.srcPort()).u16(e + 14, p.dstPort()).i32(e + 16, end.id())
                    .u16(e + 20, end.srcPort()).u16(e + 22, end.dstPort());
            endpoint(w, e + 24, p.src());
            endpoint(w, e + 184, p.dst());
            endpoint(w, e + 344, end.dst());
            w.i32(e + 504, p.position());
        }
        return w.bytes();
    }

    private byte[] pathPorts(Request q) throws Refused {
        Sample.Transaction t = tran(q);
        Sample.Path p = path(t, q);
        int n = p.srcPorts().size() + p.dstPorts().size();
        int flags = p.position() | (p.srcPorts().size() > 1 ? Flags.MULTIPLE_SRC_PORTS : 0)
                | (p.dstPorts().size() > 1 ? Flags.MULTIPLE_DST_PORTS : 0);
        Wire w = reply(424 + 8 * n, q, n).text(20, 64, t.name()).i32(84, p.id()).i32(88, p.srcPorts().size())
                .i32(252, p.dstPorts().size()).i32(416, s.startup).i32(420, flags);
        endpoint(w, 92, p.src());
        endpoint(w, 256, p.dst());
        int e = 424;
        for (int port : p.srcPorts()) {
            w.u16(e, port).i32(e + 4, Flags.SRC_PORT);
            e += 8;
        }
        for (int port : p.dstPorts()) {
            w.u16(e, port).i32(e + 4, Flags.DST_PORT);
            e += 8;
        }
        return w.bytes();
    }

    private byte[] currentPerformance(Request q) {
        Wire w = reply(512, q, 0);
        for (int b = 0; b < Sample.PERF_BLOCKS.length; b++)
            w.i32(20 + 68 * b, s.perfState(b)).text(24 + 68 * b, 64, s.perfText(b));
        return w.i32(496, s.now).i32(500, s.intervalStart).i32(504, s.startup).i32(508, s.collectorFlags()).bytes();
    }

    private byte[] reportability(Request q) {
        int n = s.transactions.size();
        Wire w = reply(32 + 80 * n, q, n).i32(20, s.now).i32(24, s.startup);
        for (int k = 0; k < n; k++) {
            Sample.Transaction t = s.transactions.get(k);
            List<Sample.Node> servers = t.servers();
            int online = 0;
            for (Sample.Node sv : servers) if (sv.online()) online++;
            int e = 32 + 80 * k;
            w.i32(e, servers.size()).i32(e + 4, online).text(e + 8, 64, t.name()).i32(e + 72, t.reportableSecs())
                    .i32(e + 76, t.flags());
        }
        return w.bytes();
    }

    private byte[] reportabilityDetail(Request q) throws Refused {
        Sample.Transaction t = tran(q);
        List<Sample.Node> servers = t.servers();
        Wire w = reply(96 + 152 * servers.size(), q, servers.size()).text(20, 64, t.name()).i32(84, s.now)
                .i32(88, s.startup);
        for (int k = 0; k < servers.size(); k++) {
            Sample.Node sv = servers.get(k);
            int e = 96 + 152 * k;
            w.text(e, 16, sv.address()).text(e + 16, 128, sv.netName()).i32(e + 144, s.serverReportableSecs(t, sv))
                    .i32(e + 148, sv.online() ? 0 : Flags.MSERVER_OFFLINE);
        }
        return w.bytes();
    }

    // ---- URL lists and rules ----------------------------------------------------------------

    private byte[] subTransactions(Request q) throws Refused {
        Sample.Transaction t = tran(q);
        int total = t.urls().size();
        int[] pg = page(q.continueIdx(), q.scrollAmount(), total);
        int next = pg[0] + pg[1] < total ? pg[0] + pg[1] : 0;
        Wire w = reply(448 + 1032 * pg[1], q, pg[1]).i32(12, next).i32(16, total).text(20, 64, t.name())
                .i32(440, s.startup).i32(444, t.flags());
        for (int k = 0; k < pg[1]; k++) {
            String url = t.urls().get(pg[0] + k);
            int e = 448 + 1032 * k;
            w.text(e, 1024, url).i32(e + 1024, url.length()).i32(e + 1028, urlFlags(url));
        }
        return w.bytes();
    }

    /** The flags of a sub-transaction: an HTTP transaction, with parameters to cut when it has any. */
    public static int urlFlags(String url) {
        return Flags.HTTP_TRANSACTIONS | (url.indexOf('?') >= 0 ? Flags.TRUNCATE_URL_PARMS : 0);
    }

    private byte[] urlRules(Request q) throws Refused {
        Sample.Transaction t = tran(q);
        List<Rules.Rule> list = rules.rules(t.name());
        int flags = rules.listFlags(t.name());
        int[] pg = page(q.continueIdx(), q.scrollAmount(), list.size());
        int next = pg[0] + pg[1] < list.size() ? pg[0] + pg[1] : 0;
        Wire w = reply(92 + 1040 * pg[1], q, pg[1]).i32(12, next).text(20, 64, t.name()).i32(84, s.startup)
                .i32(88, flags);
        for (int k = 0; k < pg[1]; k++) {
            Rules.Rule r = list.get(pg[0] + k);
            int e = 92 + 1040 * k;
            w.text(e, 1024, r.url()).i32(e + 1024, r.url().length()).i32(e + 1028, r.id()).i32(e + 1032, r.hits())
                    .i32(e + 1036, r.flags());
        }
        return w.bytes();
    }

    private byte[] ruleOperation(Request q) throws Refused {
        Sample.Transaction t = tran(q);
        Rules.Result res;
        switch (q.reportId()) {
            case 39: res = rules.add(t.name(), q.subTranName(), q.flags()); break;
            case 40: res = rules.remove(t.name(), q.urlListRuleId()); break;
            case 41: res = rules.get(t.name(), q.urlListRuleId()); break;
            case 42: res = rules.edit(t.name(), q.urlListRuleId(), q.subTranName(), q.flags()); break;
            default: res = rules.precedence(t.name(), q.flags()); break;
        }
        // The answer keeps the request record's layout; the word at 32 carries the return code.
        Wire w = Wire.of(q.raw().clone()).i32(32, res.code());
        if (q.reportId() == 43) {
            w.i32(1128, res.listFlags());
        } else if (res.code() == Rules.OK) {
            w.i32(28, res.rule().id()).text(104, 1024, res.rule().url()).i32(1128, res.rule().flags());
        }
        return w.bytes();
    }

    // ---- interval reports ------------------------------------------------------------------

    /**
     * The interval replies: a 1152-byte header (or 1156 bytes with the transaction's average) and
     * one entry per path: the 404-byte path block, then the named words.
     */
    private byte[] interval(Request q, boolean withAvg, int entrySize, String[] words) throws Refused {
        Sample.Transaction t = tran(q);
        int header = withAvg ? 1156 : 1152;
        int n = t.paths().size();
        Wire w = reply(header + entrySize * n, q, n);
        intervalHeader(w, t, withAvg, q.reportId() == 14);
        for (int k = 0; k < n; k++) {
            Sample.Path p = t.paths().get(k);
            int e = header + entrySize * k;
            pathEndpoints(w, e, t, p);
            for (int i = 0; i < words.length; i++) {
                if (words[i] == null) continue;
                w.i32(e + 404 + 4 * i, words[i].equals("flags") ? p.position() : s.pathValue(t, p, words[i]));
            }
        }
        return w.bytes();
    }

    /**
     * The interval header. In the server time reply the return code comes after the header flags
     * word; elsewhere the return code comes first.
     */
    private void intervalHeader(Wire w, Sample.Transaction t, boolean withAvg, boolean codeLast) {
        int tiers = 0;
        for (Sample.Path p : t.paths()) tiers = Math.max(tiers, p.tier());
        w.text(20, 64, t.name()).i32(1112, tiers).i32(1116, t.paths().size()).i32(1120, s.tranValue(t, "tranTotalCt"))
                .i32(1124, s.tranValue(t, "tranTotalCtSum"));
        int at = 1128;
        if (withAvg) {
            w.i32(at, s.tranValue(t, "tranTotRespTimeAvg"));
            at += 4;
        }
        w.i32(at, s.now).i32(at + 4, s.intervalStart).i32(at + 8, s.interval).i32(at + 12, s.sumIntervalAux());
        if (codeLast) w.i32(at + 16, t.flags()).i32(at + 20, 0);
        else w.i32(at + 16, 0).i32(at + 20, t.flags());
    }

    private byte[] transactionFlow(Request q) throws Refused {
        Sample.Transaction t = tran(q);
        List<Sample.FlowCell> cells = s.flow(t);
        Wire w = reply(1156 + 292 * cells.size(), q, cells.size());
        intervalHeader(w, t, true, false);
        String[] pathWords = {"pathTotRespTimeAvg", "pathRespTimeAvg", "pathNetRespTimeAvg", "pathNetRespTimeOutAvg",
            "pathNetRespTimeInAvg"};
        String[] stateWords = {"pathTotRespTimeAvgState", "pathRespTimeAvgState", "pathNetRespTimeAvgState",
            "pathWorstComponentState"};
        String[] nodeWords = {"nodeSrvRespTimeAvg", "nodeAppRespTimeAvg", "nodeWaitRespTimeAvg",
            "nodeSrvRespTimeAvgState", "nodeAppRespTimeAvgState", "nodeWaitRespTimeAvgState",
            "nodeWorstComponentState"};
        for (int k = 0; k < cells.size(); k++) {
            Sample.FlowCell c = cells.get(k);
            int e = 1156 + 292 * k;
            w.i32(e, c.type());
            for (int i = 0; i < pathWords.length; i++) w.i32(e + 4 + 4 * i, s.pathValue(t, c.path(), pathWords[i]));
            for (int i = 0; i < stateWords.length; i++) w.i32(e + 60 + 4 * i, s.pathValue(t, c.path(), stateWords[i]));
            for (int i = 0; i < nodeWords.length; i++) w.i32(e + 76 + 4 * i, s.nodeValue(t, c.node(), nodeWords[i]));
            w.i32(e + 104, c.path().id()).i32(e + 108, c.path().tier())
                    .i32(e + 112, s.pathValue(t, c.path(), "pathTotRespTimeDataCt"))
                    .i32(e + 116, s.pathValue(t, c.path(), "pathTotRespTimeDataCtSum")).i32(e + 120, c.colNum())
                    .text(e + 124, 144, c.node().netName()).text(e + 268, 16, c.node().alias()).u16(e + 284, c.port())
                    .i32(e + 288, c.path().position());
        }
        return w.bytes();
    }

    private byte[] serverLoad(Request q) throws Refused {
        Sample.Node server = s.server(q.ipAddr());
        if (server == null) throw new Refused(CollectorErrorException.SERVER_NOT_FOUND);
        if (!q.tranName().isEmpty()) tran(q);
        List<Sample.Path> paths = new ArrayList<>();
        for (Sample.Transaction t : s.transactions)
            for (Sample.Path p : t.paths()) if (p.dst() == server) paths.add(p);
        int total = 0;
        for (Sample.Path p : paths) total += s.pathValue(s.owner(p), p, "pathTotRespTimeDataCtSum");
        Wire w = reply(112 + 496 * paths.size(), q, paths.size()).text(20, 64, q.tranName()).i32(84, server.serverId())
                .i32(88, total).i32(92, s.intervalStart).i32(96, s.now).i32(100, s.interval)
                .i32(104, s.startup).i32(108, server.online() ? 0 : Flags.MSERVER_OFFLINE);
        for (int k = 0; k < paths.size(); k++) {
            Sample.Path p = paths.get(k);
            Sample.Transaction own = s.owner(p);
            Sample.Path shared = s.sharedPath(own, server);
            int e = 112 + 496 * k;
            w.text(e, 64, own.name()).text(e + 64, 64, shared == null ? "" : s.owner(shared).name()).i32(e + 128, p.id())
                    .u16(e + 132, p.srcPort()).u16(e + 134, p.dstPort());
            endpoint(w, e + 136, p.src());
            endpoint(w, e + 296, p.dst());
            String[] words = {"pathTotRespTimeDataCtSum", "pathTranPerMinute", "pathKBytesPerMinute",
                "pathTranImpactPct", "pathTotRespTimeAvg", "pathWaitRespTimeAvg", "pathTotRespTimeAlertState",
                "pathWaitRespTimeAlertState", "pathWorstComponentState"};
            for (int i = 0; i < words.length; i++) w.i32(e + 456 + 4 * i, s.pathValue(own, p, words[i]));
            w.i32(e + 492, p.position() | Flags.OWNING_TRAN_NAME
                    | (shared == null ? 0 : Flags.IMPACTING_TRAN_NAME));
        }
        return w.bytes();
    }

    // ---- path detail reports -----------------------------------------------------------------

    /**
     * The path detail replies: header and path block, distribution block, the report's metric
     * words, one unread word, the interval block, then one entry per source address (or a single
     * entry summed over all sources when the request's view asks for the client sum).
     */
    private byte[] detail(Request q, String[] metricWords, String[] entryWords) throws Refused {
        Sample.Transaction t = tran(q);
        Sample.Path p = path(t, q);
        boolean sum = (q.flags() & Flags.CLIENT_SUM) != 0;
        int n = sum ? 1 : p.clients().size();
        int m = metricWords.length;
        int intervalAt = 1516 + 4 * m;
        int entriesAt = intervalAt + 28;
        int entrySize = 4 * entryWords.length + 28;
        Wire w = reply(entriesAt + entrySize * n, q, n).text(20, 64, t.name()).text(84, 1048, q.subTranName())
                .u16(1132, p.srcPort()).u16(1134, p.dstPort());
        endpoint(w, 1136, p.src());
        endpoint(w, 1296, p.dst());
        for (int i = 0; i < DISTRIBUTION.length; i++) w.i32(1460 + 4 * i, s.pathValue(t, p, DISTRIBUTION[i]));
        for (int i = 0; i < m; i++) w.i32(1512 + 4 * i, s.pathValue(t, p, metricWords[i]));
        w.i32(intervalAt, s.tranValue(t, "tranTotalCtSum")).i32(intervalAt + 4, s.now)
                .i32(intervalAt + 8, s.intervalStart).i32(intervalAt + 12, s.interval)
                .i32(intervalAt + 16, s.sumIntervalAux()).i32(intervalAt + 20, 0)
                .i32(intervalAt + 24, detailFlags(p, q.flags()));
        for (int k = 0; k < n; k++) {
            int e = entriesAt + entrySize * k;
            Sample.Client c = sum ? null : p.clients().get(k);
            for (int i = 0; i < entryWords.length; i++)
                w.i32(e + 4 * i, sum ? s.clientSumValue(t, p, entryWords[i]) : s.clientValue(t, p, c, entryWords[i]));
            int tail = e + 4 * entryWords.length;
            String address = sum ? p.src().address() : c.address();
            w.text(tail, 16, address).i32(tail + 16, Sample.Node.ipNumber(address))
                    .u16(tail + 20, sum ? 0 : c.srcPort()).u16(tail + 22, p.dstPort())
                    .i32(tail + 24, sum ? Flags.CLIENT_SUM : 0);
        }
        return w.bytes();
    }

    /** The flags of a detail reply: the path's position and the request's view bits. */
    public static int detailFlags(Sample.Path p, int view) {
        int position = Flags.CLIENT_PATH | Flags.MIDDLE_PATH | Flags.END_PATH | Flags.CLIENT_AND_END_PATH;
        return p.position() | (view & ~position);
    }

    // ---- alerts, events, summary, thresholds ---------------------------------------------------

    private static final String[] ALERT_VALUES = {"pathTotRespTimeAlert", "pathNetRespTimeAlert",
        "pathSrvRespTimeAlert", "pathAppRespTimeAlert", "pathWaitRespTimeAlert", "pathRespTimeAlert"};
    private static final String[] ALERT_STATES = {"pathTotRespTimeAlertState", "pathNetRespTimeAlertState",
        "pathSrvRespTimeAlertState", "pathAppRespTimeAlertState", "pathWaitRespTimeAlertState",
        "pathRespTimeAlertState", "pathMaxRespTimeAlertState", "worstComponentState"};

    private byte[] currentAlerts(Request q, boolean urls) {
        List<Sample.Alert> list = urls ? s.urlAlerts : s.alerts;
        int from = 0, count = list.size(), next1 = 0, next2 = 0;
        if (urls) {
            // The cursor is (transaction number, alert number within that transaction's URL alerts).
            from = list.size();
            for (int i = 0; i < list.size(); i++) {
                int[] c = cursor(list, i);
                if (c[0] > q.continueIdx() || (c[0] == q.continueIdx() && c[1] >= q.continueIdx2())) {
                    from = i;
                    break;
                }
            }
            count = page(from, q.scrollAmount(), list.size())[1];
            if (from + count < list.size()) {
                int[] c = cursor(list, from + count);
                next1 = c[0];
                next2 = c[1];
            }
        }
        int stride = urls ? 1496 : 468;
        int shift = urls ? 1028 : 0;
        java.util.Set<String> trans = new java.util.HashSet<>();
        for (Sample.Alert a : list) trans.add(a.tran().name());
        int monitored = 0;
        for (Sample.Transaction t : s.transactions) monitored += t.paths().size();
        Wire w = reply(36 + stride * count, q, count).i32(20, s.now).i32(24, s.intervalStart)
                .i32(28, trans.size()).i32(32, monitored);
        if (urls) w.i32(12, next1).i32(16, next2);
        for (int k = 0; k < count; k++) {
            Sample.Alert a = list.get(from + k);
            int e = 36 + stride * k;
            w.text(e, 64, a.tran().name());
            if (urls) w.text(e + 64, 1028, a.url());
            int f = e + shift;
            w.i32(f + 64, a.path().id()).u16(f + 76, a.path().srcPort()).u16(f + 78, a.path().dstPort());
            endpoint(w, f + 80, a.path().src());
            endpoint(w, f + 240, a.path().dst());
            w.i32(f + 400, s.alertValue(a, "pathTotRespTimeDataCt"));
            for (int i = 0; i < ALERT_VALUES.length; i++) w.i32(f + 404 + 4 * i, s.alertValue(a, ALERT_VALUES[i]));
            w.i32(f + 428, a.firstAlert());
            for (int i = 0; i < ALERT_STATES.length; i++) w.i32(f + 432 + 4 * i, s.alertValue(a, ALERT_STATES[i]));
            w.i32(f + 464, a.path().position());
        }
        return w.bytes();
    }

    /** The paging cursor of URL alert {@code i}: its transaction's number and its number within it. */
    private int[] cursor(List<Sample.Alert> list, int i) {
        Sample.Alert a = list.get(i);
        int within = 0;
        for (int j = 0; j < i; j++) if (list.get(j).tran() == a.tran()) within++;
        return new int[] {s.transactions.indexOf(a.tran()), within};
    }

    private byte[] eventAlerts(Request q) {
        int n = s.events.size();
        int critical = 0;
        for (Sample.Event ev : s.events) if (ev.state() == 2) critical++;
        Wire w = reply(32 + 432 * n, q, n).i32(20, s.now).i32(24, critical).i32(28, 86400);
        for (int k = 0; k < n; k++) {
            Sample.Event ev = s.events.get(k);
            Sample.Path p = ev.path();
            int e = 32 + 432 * k;
            w.text(e, 64, ev.tran().name()).i32(e + 64, p.id()).i32(e + 72, s.eventValue(ev, "pathTranCtMax"))
                    .u16(e + 76, p.srcPort()).u16(e + 78, p.dstPort());
            endpoint(w, e + 80, p.src());
            endpoint(w, e + 240, p.dst());
            w.i32(e + 400, s.eventValue(ev, "pathTotRespTimeDataCt")).i32(e + 404, ev.type())
                    .i32(e + 408, s.eventValue(ev, "pathEventTime")).i32(e + 412, ev.start()).i32(e + 416, ev.state())
                    .i32(e + 420, ev.curState()).i32(e + 424, ev.type() << 4 | ev.state()).i32(e + 428, p.position());
        }
        return w.bytes();
    }

    private byte[] summary(Request q) throws Refused {
        Sample.Transaction t = tran(q);
        Sample.Path p = path(t, q);
        int n = Sample.SUMMARY_INTERVALS;
        int start = s.summaryStart(0);
        Wire w = reply(1512 + 68 * n, q, n).text(20, 64, t.name()).i32(1120, s.tranValue(t, "tranTotalCt"))
                .i32(1136, s.summaryDataCt(t, p)).i32(1140, s.summaryMax(t, p, "Tot"))
                .i32(1148, s.summaryMax(t, p, "Net")).i32(1152, s.summaryMax(t, p, "Srv"))
                .i32(1156, s.summaryMax(t, p, "App")).i32(1160, s.summaryMax(t, p, "Wait"))
                .u16(1164, p.srcPort()).u16(1166, p.dstPort());
        endpoint(w, 1168, p.src());
        endpoint(w, 1328, p.dst());
        w.i32(1488, n).i32(1492, start).i32(1496, s.intervalStart + s.interval).i32(1500, s.interval).i32(1504, 0)
                .i32(1508, p.position());
        String[] words = {"pathTotRespTimeDataCtSum", "pathTotRespTimeAvg", "pathTotRespTimeAvgState",
            "pathRespTimeAvg", "pathRespTimeAvgState", "pathNetRespTimeAvg", "pathNetRespTimeAvgState",
            "pathSrvRespTimeAvg", "pathSrvRespTimeAvgState", "pathAppRespTimeAvg", "pathAppRespTimeAvgState",
            "pathWaitRespTimeAvg", "pathWaitRespTimeAvgState"};
        for (int k = 0; k < n; k++) {
            int e = 1512 + 68 * k;
            int from = start + k * s.interval;
            w.i32(e, p.position()).i32(e + 4, from).i32(e + 8, from + s.interval).i32(e + 12, s.interval);
            for (int i = 0; i < words.length; i++) w.i32(e + 16 + 4 * i, s.intervalValue(t, p, k, words[i]));
        }
        return w.bytes();
    }

    private byte[] thresholds(Request q) throws Refused {
        Sample.Transaction t = tran(q);
        Sample.Path p = path(t, q);
        Wire w = reply(560, q, 0).text(20, 64, t.name()).i32(92, p.id()).u16(104, p.srcPort()).u16(106, p.dstPort());
        endpoint(w, 108, p.src());
        endpoint(w, 268, p.dst());
        String[] components = {"Net", "Srv", "App", "Wait", "Tot", ""};
        for (int c = 0; c < components.length; c++) {
            for (int g = 1; g <= 3; g++) w.i32(428 + 12 * c + 4 * (g - 1), s.threshold(t, p, components[c], "Group" + g));
            w.i32(504 + 8 * c, s.threshold(t, p, components[c], "Warn"));
            w.i32(508 + 8 * c, s.threshold(t, p, components[c], "Crit"));
        }
        return w.i32(500, s.pathValue(t, p, "pathTotRespTimeDataCt")).i32(556, p.position()).bytes();
    }
}
