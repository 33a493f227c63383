import java.util.ArrayList;
import java.util.Collections;
import java.util.EnumSet;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;

/**
 * The report kinds: for each report type its name, the collector's report id, the selection
 * arguments it takes and the parameters of its {@code setData} and {@code addEntry} callbacks in
 * call order.
 */
final class VytCatalog {
    /** A selection argument of a request, with the command-line option that sets it. */
    enum Selection {
        TRAN("--tran"),        // transaction name
        SUB("--sub"),          // sub-transaction name or URL
        PATH("--path"),        // path number
        SERVER("--server"),    // server number
        VIEW("--view"),        // view or rule flags
        CONTINUE("--continue"),    // continuation index, or the rule number of a rule operation
        CONTINUE2("--continue2"),  // second continuation index
        SCROLL("--scroll");    // page size

        final String option;

        Selection(String option) {
            this.option = option;
        }
    }

    /** One callback parameter. */
    static final class Param {
        final String name;
        final boolean text;

        Param(String name, boolean text) {
            this.name = name;
            this.text = text;
        }

        @Override
        public String toString() {
            return (text ? "String " : "int ") + name;
        }
    }

    /** One report kind. */
    static final class Kind {
        final int type;
        final int reportId;
        final String name;
        final String title;
        final Set<Selection> selections;
        final List<Param> setData;   // empty: the report makes no setData call
        final List<Param> addEntry;  // empty: the report makes no addEntry call

        Kind(int type, int reportId, String name, String title, Set<Selection> selections, List<Param> setData,
                List<Param> addEntry) {
            this.type = type;
            this.reportId = reportId;
            this.name = name;
            this.title = title;
            this.selections = Collections.unmodifiableSet(selections);
            this.setData = setData;
            this.addEntry = addEntry;
        }

        boolean hasSetData() {
            return !setData.isEmpty();
        }

        boolean hasAddEntry() {
            return !addEntry.isEmpty();
        }

        boolean takes(Selection s) {
            return selections.contains(s);
        }

        /** The JNI method descriptor of a parameter list, e.g. "(Ljava/lang/String;I)V". */
        static String signature(List<Param> params) {
            StringBuilder sb = new StringBuilder("(");
            for (Param p : params) sb.append(p.text ? "Ljava/lang/String;" : "I");
            return sb.append(")V").toString();
        }

        String setDataSignature() {
            return signature(setData);
        }

        String addEntrySignature() {
            return signature(addEntry);
        }

        @Override
        public String toString() {
            return name;
        }
    }

    private static final Map<String, Kind> BY_NAME = new LinkedHashMap<>();
    private static final Kind[] BY_TYPE = new Kind[33];

    private VytCatalog() {}

    /** All kinds in report type order. */
    static List<Kind> all() {
        return new ArrayList<>(BY_NAME.values());
    }

    /** The kind of a report type 1..32, or null. */
    static Kind byType(int type) {
        return type >= 1 && type <= 32 ? BY_TYPE[type] : null;
    }

    /** The kind of a report name, or null. */
    static Kind byName(String name) {
        return BY_NAME.get(name);
    }

    /** Parses a parameter list written as in Java: "String tranName, int flags". */
    static List<Param> params(String list) {
        List<Param> out = new ArrayList<>();
        if (list.isBlank()) return Collections.unmodifiableList(out);
        for (String item : list.split(",")) {
            String[] p = item.trim().split("\\s+");
            if (p.length != 2 || !(p[0].equals("String") || p[0].equals("int")))
                throw new IllegalArgumentException("bad parameter: " + item);
            out.add(new Param(p[1], p[0].equals("String")));
        }
        return Collections.unmodifiableList(out);
    }

    private static void add(int type, int reportId, String name, String title, Set<Selection> sel, String setData,
            String addEntry) {
        Kind k = new Kind(type, reportId, name, title, sel, params(setData), params(addEntry));
        BY_NAME.put(name, k);
        BY_TYPE[type] = k;
    }

    private static Set<Selection> none() {
        return EnumSet.noneOf(Selection.class);
    }

    private static Set<Selection> sel(Selection first, Selection... rest) {
        return EnumSet.of(first, rest);
    }

    // Parameter groups that several kinds share.
    private static final String SPAN = "String currentTime, String startTime, String duration";
    private static final String PATH_TEXTS =
            "String pathIPSrcNetName, String pathIPDstNetName, String pathIPSrcAlias, String pathIPDstAlias";
    private static final String DETAIL_TEXTS = SPAN
            + ", String pathIPSrcAddress, String pathIPDstNetName, String pathIPSrcAlias, String pathIPDstAlias";
    private static final String DISTRIBUTION = "int pathTotRespTimeDataCtSum, int Group1, int Group2, int Group3,"
            + " int Group1Ct, int Group2Ct, int Group3Ct, int Group4Ct, int GroupAllCt,"
            + " int Group1State, int Group2State, int Group3State, int Group4State";
    private static final String ALERT_VALUES = "int pathId, int flags, int pathIPDstPort, int pathTotRespTimeDataCt,"
            + " int pathTotRespTimeAlert, int pathNetRespTimeAlert, int pathSrvRespTimeAlert,"
            + " int pathAppRespTimeAlert, int pathWaitRespTimeAlert, int worstComponentState,"
            + " int pathTotRespTimeAlertState, int pathNetRespTimeAlertState, int pathSrvRespTimeAlertState,"
            + " int pathAppRespTimeAlertState, int pathWaitRespTimeAlertState, int pathMaxRespTimeAlertState,"
            + " int pathRespTimeAlert, int pathRespTimeAlertState";
    private static final String RULE_OPERATION = "String tranName, String subTranName, int reportReturnCode, int flags";

    static {
        Selection T = Selection.TRAN, S = Selection.SUB, P = Selection.PATH, V = Selection.VIEW;
        Selection C = Selection.CONTINUE, C2 = Selection.CONTINUE2, N = Selection.SCROLL;

        add(1, 1, "all-transactions", "All monitored transactions", none(),
                "int collectorStartupTime, int flags",
                "String tranName, int flags");
        add(2, 2, "transaction-paths", "Paths of a transaction", sel(T), "",
                "String tranName, " + PATH_TEXTS + ", String pathEndIPDstNetName, String pathEndIPDstAlias"
                        + ", int pathIPSrcPort, int pathIPDstPort, int pathId, int pathEndId,"
                        + " int pathEndIPSrcPort, int pathEndIPDstPort, int flags");
        add(3, 11, "current-performance", "Current performance overview", none(),
                SPAN + ", String allStateText, String nodeRespTimeStateText, String pathRespTimeStateText,"
                        + " String networkStateText, String serverStateText, String sixthStateText,"
                        + " String waitStateText, int allState, int nodeRespTimeState, int waitState,"
                        + " int networkState, int serverState, int pathRespTimeState, int collectorStartupTime,"
                        + " int flags",
                "");
        add(4, 12, "response-time", "Response time per path", sel(T),
                SPAN + ", int tranTotalCtSum, int sumIntervalAux, int flags, int reportReturnCode",
                PATH_TEXTS + ", int pathId, int pathIPDstPort, int pathIPSrcPort, int pathTotRespTimeDataCtSum,"
                        + " int pathTotRespTimeAvg, int pathNetRespTimeAvg, int pathSrvRespTimeAvg,"
                        + " int pathAppRespTimeAvg, int pathWaitRespTimeAvg, int flags,"
                        + " int pathTotRespTimeAlertState, int pathNetRespTimeAlertState,"
                        + " int pathSrvRespTimeAlertState, int pathAppRespTimeAlertState,"
                        + " int pathWaitRespTimeAlertState, int pathMaxRespTimeAlertState");
        add(5, 13, "network-time", "Network time per path", sel(T),
                SPAN + ", int tranTotalCtSum, int sumIntervalAux, int flags, int reportReturnCode",
                PATH_TEXTS + ", int pathId, int pathIPDstPort, int pathTotRespTimeDataCtSum,"
                        + " int pathNetInKBytesPerSecAvg, int pathNetOutKBytesPerSecAvg, int pathNetInBytesCtAvg,"
                        + " int pathNetOutBytesCtAvg, int pathNetRespTimeAvg, int pathNetRespTimeOutAvg,"
                        + " int pathNetRespTimeInAvg, int flags, int pathNetRespTimeAlertState,"
                        + " int pathNetRespTimeOutAlertState, int pathNetRespTimeInAlertState");
        add(6, 14, "server-time", "Server time per path", sel(T),
                SPAN + ", int tranTotalCtSum, int sumIntervalAux, int headerValue, int reportReturnCode",
                PATH_TEXTS + ", int pathId, int pathIPDstPort, int pathTotRespTimeDataCtSum,"
                        + " int pathSrvRespTimeAvg, int pathAppRespTimeAvg, int pathWaitRespTimeAvg,"
                        + " int pathDisRespTimeAvg, int pathSrvRespTimeAlertState, int pathAppRespTimeAlertState,"
                        + " int pathWaitRespTimeAlertState, int flags");
        add(7, 23, "transaction-flow", "Transaction flow", sel(T),
                SPAN + ", int tranTotalCtSum, int sumIntervalAux, int tranTotRespTimeAvg, int flags,"
                        + " int reportReturnCode",
                "String nodeName, String nodeAlias, int nodePort, int colNum, int type, int flags,"
                        + " int nodeSrvRespTimeAvg, int nodeAppRespTimeAvg, int nodeWaitRespTimeAvg,"
                        + " int nodeSrvRespTimeAvgState, int nodeAppRespTimeAvgState, int nodeWaitRespTimeAvgState,"
                        + " int nodeWorstComponentState, int pathTotRespTimeAvg, int pathNetRespTimeAvg,"
                        + " int pathNetRespTimeOutAvg, int pathNetRespTimeInAvg, int pathTotRespTimeAvgState,"
                        + " int pathNetRespTimeAvgState, int pathWorstComponentState, int pathId, int pathTier,"
                        + " int pathRespTimeAvg, int pathRespTimeAvgState");
        add(8, 19, "network-detail", "Network detail of a path", sel(T, P, V),
                DETAIL_TEXTS + ", int pathIPDstPort, int tranTotalCtSum, int type, " + DISTRIBUTION
                        + ", int pathNetRespTimeMin, int pathNetRespTimeMax, int pathNetRespTimeAvg,"
                        + " int pathNetRespTimeMinState, int pathNetRespTimeMaxState, int pathNetRespTimeAvgState,"
                        + " int pathNetRespTimeOutMin, int pathNetRespTimeOutMax, int pathNetRespTimeOutAvg,"
                        + " int pathNetRespTimeOutMinState, int pathNetRespTimeOutMaxState,"
                        + " int pathNetRespTimeOutAvgState, int pathNetRespTimeInMin, int pathNetRespTimeInMax,"
                        + " int pathNetRespTimeInAvg, int pathNetRespTimeInMinState, int pathNetRespTimeInMaxState,"
                        + " int pathNetRespTimeInAvgState, int pathNetOutKBytesPerSecAvg,"
                        + " int pathNetInKBytesPerSecAvg, int pathNetTotKBytesPerSecAvg, int pathNetOutBytesCtAvg,"
                        + " int pathNetInBytesCtAvg, int pathNetTotBytesCtAvg,"
                        + " int sumIntervalAux, int flags, int reportReturnCode",
                "String pathIPSrcAddress, int usePort, int pathIPSrcPort, int pathIPDstPort, int pathIPSrc,"
                        + " int pathNetRespTime, int pathNetRespTimeOut, int pathNetRespTimeIn,"
                        + " int pathNetOutKBytesPerSec, int pathNetInKBytesPerSec, int pathNetTotKBytesPerSec,"
                        + " int pathNetOutBytesCt, int pathNetInBytesCt, int pathNetTotBytesCt,"
                        + " int pathNetRespTimeState, int pathNetRespTimeOutState, int pathNetRespTimeInState,"
                        + " int pathClientTranCt");
        add(9, 21, "server-detail", "Server detail of a path", sel(T, P, V),
                DETAIL_TEXTS + ", int pathIPDstPort, int tranTotalCtSum, int type, " + DISTRIBUTION
                        + ", int pathSrvRespTimeMin, int pathSrvRespTimeMax, int pathSrvRespTimeAvg,"
                        + " int pathSrvRespTimeMinState, int pathSrvRespTimeMaxState, int pathSrvRespTimeAvgState,"
                        + " int pathAppRespTimeMin, int pathAppRespTimeMax, int pathAppRespTimeAvg,"
                        + " int pathAppRespTimeMinState, int pathAppRespTimeMaxState, int pathAppRespTimeAvgState,"
                        + " int pathWaitRespTimeMin, int pathWaitRespTimeMax, int pathWaitRespTimeAvg,"
                        + " int pathWaitRespTimeMinState, int pathWaitRespTimeMaxState,"
                        + " int pathWaitRespTimeAvgState, int sumIntervalAux, int flags, int reportReturnCode,"
                        + " int appGroup1, int appGroup2, int appGroup3, int appGroup1Ct, int appGroup2Ct,"
                        + " int appGroup3Ct, int appGroup4Ct, int appGroupAllCt, int appGroup1State,"
                        + " int appGroup2State, int appGroup3State, int appGroup4State",
                "String pathIPSrcAddress, int usePort, int pathIPSrcPort, int pathIPDstPort, int pathIPSrc,"
                        + " int pathDisRespTime, int pathTotRespTime, int pathNetRespTimeOut, int pathNetRespTimeIn,"
                        + " int pathSrvRespTime, int pathAppRespTime, int pathWaitRespTime,"
                        + " int pathTotRespTimeState, int pathSrvRespTimeState, int pathAppRespTimeState,"
                        + " int pathWaitRespTimeState, int pathClientTranCt, int pathNetRespTimeOutState,"
                        + " int pathNetRespTimeInState");
        add(10, 17, "response-time-detail", "Response time detail of a path", sel(T, S, P, V),
                "String subTranName, " + DETAIL_TEXTS + ", int pathIPDstPort, int tranTotalCtSum, int type, "
                        + DISTRIBUTION
                        + ", int pathTotRespTimeMin, int pathTotRespTimeMax, int pathTotRespTimeAvg,"
                        + " int pathTotRespTimeMinState, int pathTotRespTimeMaxState, int pathTotRespTimeAvgState,"
                        + " int sumIntervalAux, int flags, int reportReturnCode",
                "String pathIPSrcAddress, int pathIPSrc, int usePort, int pathIPSrcPort, int pathIPDstPort,"
                        + " int pathTotRespTime, int pathNetRespTime, int pathSrvRespTime, int pathAppRespTime,"
                        + " int pathWaitRespTime, int pathTotRespTimeState, int pathNetRespTimeState,"
                        + " int pathSrvRespTimeState, int pathAppRespTimeState, int pathWaitRespTimeState,"
                        + " int pathClientTranCt");
        add(11, 24, "current-alerts", "Current alerts", none(),
                SPAN + ", int alertHeaderValue1, int alertHeaderValue2",
                "String alertStart, String tranName, " + PATH_TEXTS + ", " + ALERT_VALUES);
        add(12, 15, "wait-time", "Wait time per path", sel(T),
                SPAN + ", int tranTotalCtSum, int sumIntervalAux, int flags, int reportReturnCode",
                PATH_TEXTS + ", int pathIPDstPort, int pathId, int pathTotRespTimeDataCtSum,"
                        + " int pathDisRespTimeAvg, int pathRetRespTimeAvg, int pathWaitRespTimeAvg,"
                        + " int pathWaitRespTimeAlertState, int flags");
        add(13, 22, "wait-detail", "Wait detail of a path", sel(T, P, V),
                DETAIL_TEXTS + ", int pathIPDstPort, int tranTotalCtSum, int type, int flags, " + DISTRIBUTION
                        + ", int pathSrvRespTimeMin, int pathSrvRespTimeMax, int pathSrvRespTimeAvg,"
                        + " int pathSrvRespTimeMinState, int pathSrvRespTimeMaxState, int pathSrvRespTimeAvgState,"
                        + " int pathAppRespTimeMin, int pathAppRespTimeMax, int pathAppRespTimeAvg,"
                        + " int pathAppRespTimeMinState, int pathAppRespTimeMaxState, int pathAppRespTimeAvgState,"
                        + " int pathWaitRespTimeMin, int pathWaitRespTimeMax, int pathWaitRespTimeAvg,"
                        + " int pathWaitRespTimeMinState, int pathWaitRespTimeMaxState,"
                        + " int pathWaitRespTimeAvgState, int pathDisRespTimeMin, int pathDisRespTimeMax,"
                        + " int pathDisRespTimeAvg, int pathDisAppRespTimeMin, int pathDisAppRespTimeMax,"
                        + " int pathDisAppRespTimeAvg, int pathDisWaitRespTimeMin, int pathDisWaitRespTimeMax,"
                        + " int pathDisWaitRespTimeAvg, int pathRetRespTimeMin, int pathRetRespTimeMax,"
                        + " int pathRetRespTimeAvg, int pathRetAppRespTimeMin, int pathRetAppRespTimeMax,"
                        + " int pathRetAppRespTimeAvg, int pathRetWaitRespTimeMin, int pathRetWaitRespTimeMax,"
                        + " int pathRetWaitRespTimeAvg, int sumIntervalAux, int reportReturnCode",
                "String pathIPSrcAddress, int usePort, int pathIPSrc, int pathIPSrcPort, int pathSrvRespTime,"
                        + " int pathAppRespTime, int pathWaitRespTime, int pathSrvRespTimeState,"
                        + " int pathAppRespTimeState, int pathWaitRespTimeState, int pathClientTranCt, int flags");
        add(14, 5, "summary", "Interval summary of a path", sel(T, P),
                SPAN + ", int pathIPSrcPort, int pathIPDstPort, int pathTotRespTimeDataCt, int pathTotRespTimeAvgMax,"
                        + " int pathNetRespTimeAvgMax, int pathSrvRespTimeAvgMax, int pathAppRespTimeAvgMax,"
                        + " int pathWaitRespTimeAvgMax, int pathSumIntervalCtMax, int sumDataUTCStart,"
                        + " int sumDataUTCNow, int tranTotalCt, int flags, int summaryHeaderValue,"
                        + " int reportReturnCode",
                "String intervalStart, String intervalEnd, int sumIntervalSecs, int pathTotRespTimeDataCtSum,"
                        + " int pathTotRespTimeAvg, int pathTotRespTimeAvgState, int pathNetRespTimeAvg,"
                        + " int pathNetRespTimeAvgState, int pathSrvRespTimeAvg, int pathSrvRespTimeAvgState,"
                        + " int pathAppRespTimeAvg, int pathAppRespTimeAvgState, int pathWaitRespTimeAvg,"
                        + " int pathWaitRespTimeAvgState, int pathRespTimeAvg, int pathRespTimeAvgState, int flags");
        add(15, 26, "event-alerts", "Alert events", none(),
                "String currentTime, int eventHeaderValue1, int eventHeaderValue2",
                "String eventStart, String tranName, " + PATH_TEXTS + ", int duration, int pathIPSrcPort,"
                        + " int pathIPDstPort, int pathId, int pathTranCtMax, int pathTotRespTimeDataCt,"
                        + " int pathEventType, int pathEventTime, int pathEventState, int pathEventTypeAndState,"
                        + " int pathEventCurState, int flags");
        add(16, 25, "path-ports", "Ports of a path", sel(T, P),
                "String tranName, String pathIPSrcAddress, String pathIPSrcNetName, String pathIPSrcAlias,"
                        + " String pathIPDstAddress, String pathIPDstNetName, String pathIPDstAlias, int pathId,"
                        + " int pathIPSrcPortCt, int pathIPDstPortCt, int collectorStartupTime, int flags",
                "int pathIPPort, int flags");
        add(17, 27, "thresholds", "Thresholds of a path", sel(T, P),
                "String tranName, String pathIPSrcNetName, String pathIPSrcAlias, String pathIPDstNetName,"
                        + " String pathIPDstAlias, int pathNetRespTimeGroup1, int pathNetRespTimeGroup2,"
                        + " int pathNetRespTimeGroup3, int pathSrvRespTimeGroup1, int pathSrvRespTimeGroup2,"
                        + " int pathSrvRespTimeGroup3, int pathAppRespTimeGroup1, int pathAppRespTimeGroup2,"
                        + " int pathAppRespTimeGroup3, int pathWaitRespTimeGroup1, int pathWaitRespTimeGroup2,"
                        + " int pathWaitRespTimeGroup3, int pathTotRespTimeGroup1, int pathTotRespTimeGroup2,"
                        + " int pathTotRespTimeGroup3, int pathTotRespTimeDataCt, int pathNetRespTimeWarn,"
                        + " int pathNetRespTimeCrit, int pathSrvRespTimeWarn, int pathSrvRespTimeCrit,"
                        + " int pathAppRespTimeWarn, int pathAppRespTimeCrit, int pathWaitRespTimeWarn,"
                        + " int pathWaitRespTimeCrit, int pathTotRespTimeWarn, int pathTotRespTimeCrit,"
                        + " int pathRespTimeGroup1, int pathRespTimeGroup2, int pathRespTimeGroup3,"
                        + " int pathRespTimeWarn, int pathRespTimeCrit, int flags",
                "");
        add(18, 29, "path-time", "Path time per path", sel(T),
                SPAN + ", int tranTotalCtSum, int tranTotRespTimeAvg, int sumIntervalAux, int flags,"
                        + " int reportReturnCode",
                PATH_TEXTS + ", int pathId, int pathIPDstPort, int pathIPSrcPort, int pathTotRespTimeDataCtSum,"
                        + " int pathTotRespTimeAvg, int pathNetRespTimeAvg, int pathAppRespTimeAvg,"
                        + " int pathTotRespTimeAlertState, int pathNetRespTimeAlertState,"
                        + " int pathAppRespTimeAlertState, int flags");
        add(19, 30, "path-time-detail", "Path time detail of a path", sel(T, P, V),
                DETAIL_TEXTS + ", int pathIPDstPort, int tranTotalCtSum, int type, " + DISTRIBUTION
                        + ", int pathRespTimeMin, int pathRespTimeMax, int pathRespTimeAvg,"
                        + " int pathRespTimeMinState, int pathRespTimeMaxState, int pathRespTimeAvgState,"
                        + " int sumIntervalAux, int flags, int reportReturnCode",
                "String pathIPSrcAddress, int pathIPSrc, int usePort, int pathIPSrcPort, int pathIPDstPort,"
                        + " int pathRespTime, int pathNetRespTime, int pathAppRespTime, int pathRespTimeState,"
                        + " int pathNetRespTimeState, int pathAppRespTimeState, int pathClientTranCt");
        add(20, 31, "transaction-servers", "Servers of a transaction", sel(T), "",
                "String tranName, String serverIPNetName, int serverId, int flags");
        add(21, 32, "server-load", "Load of a server", sel(T, Selection.SERVER),
                SPAN + ", int totalServerRespTimeDataCtSumt, int collectorStartupTime, int flags",
                PATH_TEXTS + ", String ownTranName, String impTranName, int pathId, int pathIPSrcPort,"
                        + " int pathIPDstPort, int pathTotRespTimeDataCtSum, int pathTranPerMinute,"
                        + " int pathTotRespTimeAvg, int pathWaitRespTimeAvg, int pathTotRespTimeAlertState,"
                        + " int pathWaitRespTimeAlertState, int pathWorstComponentState, int pathTranImpactPct,"
                        + " int pathKBytesPerMinute, int flags");
        add(22, 33, "reportability", "Reportability of the transactions", none(),
                "String currentTime, String startupTime, String duration, int collectorStartupTime",
                "String tranName, String tranTime, int msrvCtTotal, int msrvCtOnline, int flags");
        add(23, 34, "reportability-detail", "Reportability of a transaction per server", sel(T),
                "String tranName, String currentTime, String startupTime, String duration,"
                        + " int collectorStartupTime",
                "String msrvIPAddress, String msrvIPNetName, String msrvTime, int flags");
        add(24, 35, "sub-transactions", "Sub-transactions (URLs) of a transaction", sel(T, C, C2, N),
                "String tranName, int collectorStartupTime, int flags, int reportEntryCt,"
                        + " int reportEntryContinueIdx, int reportEntryContinueIdx2",
                "String subTranName, int subTranNameLen, int flags");
        add(25, 36, "transaction-info", "Information on a transaction", sel(T),
                "String tranName, int collectorStartupTime, int flags", "");
        add(26, 37, "current-url-alerts", "Current URL alerts", sel(C, C2, N),
                SPAN + ", int alertHeaderValue1, int alertHeaderValue2, int reportEntryContinueIdx,"
                        + " int reportEntryContinueIdx2",
                "String alertStart, String tranName, String subTranName, " + PATH_TEXTS + ", " + ALERT_VALUES);
        add(27, 38, "url-rules", "URL include/exclude rules of a transaction", sel(T, C, N),
                "String tranName, int collectorStartupTime, int flags, int reportEntryCt,"
                        + " int reportEntryContinueIdx",
                "String urlName, int urlLen, int urlRuleId, int hitCt, int flags");
        add(28, 39, "add-url-rule", "Add a URL rule", sel(T, S, V), RULE_OPERATION, "");
        add(29, 40, "remove-url-rule", "Remove a URL rule", sel(T, C), RULE_OPERATION, "");
        add(30, 41, "get-url-rule", "Show a URL rule", sel(T, C), RULE_OPERATION, "");
        add(31, 42, "edit-url-rule", "Edit a URL rule", sel(T, S, C, V), RULE_OPERATION, "");
        add(32, 43, "url-rule-precedence", "Change the URL rule list precedence", sel(T, V), RULE_OPERATION, "");
    }
}
