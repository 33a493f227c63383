import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/**
 * Path detail replies: network (8), server (9), response-time (10), wait (13) and path time (19) detail.
 *
 * <p>Replies carry a distinct value in every field at the documented offsets: distribution word i is
 * 100 + i, metric word j is 200 + j, word j of entry k (from 1) is 1000 * k + j. The expected calls
 * follow the documented argument orders. The targets declare exactly the documented signatures; their
 * int parameters are numbered in argument order.
 */
class DetailReportTest {
    static class RspTimeTarget extends Calls {
        public void setData(String subTranName, String intervalEnd, String intervalStart, String duration,
                String srcAddress, String dstNetName, String srcAlias, String dstAlias, int v1, int v2, int v3,
                int v4, int v5, int v6, int v7, int v8, int v9, int v10, int v11, int v12, int v13, int v14,
                int v15, int v16, int v17, int v18, int v19, int v20, int v21, int v22, int v23, int v24,
                int v25) {
            record("setData", subTranName, intervalEnd, intervalStart, duration, srcAddress, dstNetName,
                    srcAlias, dstAlias, v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11, v12, v13, v14, v15, v16,
                    v17, v18, v19, v20, v21, v22, v23, v24, v25);
        }

        public void addEntry(String srcAddress, int v1, int v2, int v3, int v4, int v5, int v6, int v7, int v8,
                int v9, int v10, int v11, int v12, int v13, int v14, int v15) {
            record("addEntry", srcAddress, v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11, v12, v13, v14, v15);
        }
    }

    static class PathTimeTarget extends Calls {
        public void setData(String intervalEnd, String intervalStart, String duration, String srcAddress,
                String dstNetName, String srcAlias, String dstAlias, int v1, int v2, int v3, int v4, int v5,
                int v6, int v7, int v8, int v9, int v10, int v11, int v12, int v13, int v14, int v15, int v16,
                int v17, int v18, int v19, int v20, int v21, int v22, int v23, int v24, int v25) {
            record("setData", intervalEnd, intervalStart, duration, srcAddress, dstNetName, srcAlias, dstAlias,
                    v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11, v12, v13, v14, v15, v16, v17, v18, v19, v20,
                    v21, v22, v23, v24, v25);
        }

        public void addEntry(String srcAddress, int v1, int v2, int v3, int v4, int v5, int v6, int v7, int v8,
                int v9, int v10, int v11) {
            record("addEntry", srcAddress, v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11);
        }
    }

    static class NetTarget extends Calls {
        public void setData(String intervalEnd, String intervalStart, String duration, String srcAddress,
                String dstNetName, String srcAlias, String dstAlias, int v1, int v2, int v3, int v4, int v5,
                int v6, int v7, int v8, int v9, int v10, int v11, int v12, int v13, int v14, int v15, int v16,
                int v17, int v18, int v19, int v20, int v21, int v22, int v23, int v24, int v25, int v26,
                int v27, int v28, int v29, int v30, int v31, int v32, int v33, int v34, int v35, int v36,
                int v37, int v38, int v39, int v40, int v41, int v42, int v43) {
            record("setData", intervalEnd, intervalStart, duration, srcAddress, dstNetName, srcAlias, dstAlias,
                    v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11, v12, v13, v14, v15, v16, v17, v18, v19, v20,
                    v21, v22, v23, v24, v25, v26, v27, v28, v29, v30, v31, v32, v33, v34, v35, v36, v37, v38,
                    v39, v40, v41, v42, v43);
        }

        public void addEntry(String srcAddress, int v1, int v2, int v3, int v4, int v5, int v6, int v7, int v8,
                int v9, int v10, int v11, int v12, int v13, int v14, int v15, int v16, int v17) {
            record("addEntry", srcAddress, v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11, v12, v13, v14, v15,
                    v16, v17);
        }
    }

    static class SrvTarget extends Calls {
        public void setData(String intervalEnd, String intervalStart, String duration, String srcAddress,
                String dstNetName, String srcAlias, String dstAlias, int v1, int v2, int v3, int v4, int v5,
                int v6, int v7, int v8, int v9, int v10, int v11, int v12, int v13, int v14, int v15, int v16,
                int v17, int v18, int v19, int v20, int v21, int v22, int v23, int v24, int v25, int v26,
                int v27, int v28, int v29, int v30, int v31, int v32, int v33, int v34, int v35, int v36,
                int v37, int v38, int v39, int v40, int v41, int v42, int v43, int v44, int v45, int v46,
                int v47, int v48, int v49) {
            record("setData", intervalEnd, intervalStart, duration, srcAddress, dstNetName, srcAlias, dstAlias,
                    v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11, v12, v13, v14, v15, v16, v17, v18, v19, v20,
                    v21, v22, v23, v24, v25, v26, v27, v28, v29, v30, v31, v32, v33, v34, v35, v36, v37, v38,
                    v39, v40, v41, v42, v43, v44, v45, v46, v47, v48, v49);
        }

        public void addEntry(String srcAddress, int v1, int v2, int v3, int v4, int v5, int v6, int v7, int v8,
                int v9, int v10, int v11, int v12, int v13, int v14, int v15, int v16, int v17, int v18) {
            record("addEntry", srcAddress, v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11, v12, v13, v14, v15,
                    v16, v17, v18);
        }
    }

    static class WaitTarget extends Calls {
        public void setData(String intervalEnd, String intervalStart, String duration, String srcAddress,
                String dstNetName, String srcAlias, String dstAlias, int v1, int v2, int v3, int v4, int v5,
                int v6, int v7, int v8, int v9, int v10, int v11, int v12, int v13, int v14, int v15, int v16,
                int v17, int v18, int v19, int v20, int v21, int v22, int v23, int v24, int v25, int v26,
                int v27, int v28, int v29, int v30, int v31, int v32, int v33, int v34, int v35, int v36,
                int v37, int v38, int v39, int v40, int v41, int v42, int v43, int v44, int v45, int v46,
                int v47, int v48, int v49, int v50, int v51, int v52, int v53, int v54, int v55) {
            record("setData", intervalEnd, intervalStart, duration, srcAddress, dstNetName, srcAlias, dstAlias,
                    v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11, v12, v13, v14, v15, v16, v17, v18, v19, v20,
                    v21, v22, v23, v24, v25, v26, v27, v28, v29, v30, v31, v32, v33, v34, v35, v36, v37, v38,
                    v39, v40, v41, v42, v43, v44, v45, v46, v47, v48, v49, v50, v51, v52, v53, v54, v55);
        }

        public void addEntry(String srcAddress, int v1, int v2, int v3, int v4, int v5, int v6, int v7, int v8,
                int v9, int v10, int v11) {
            record("addEntry", srcAddress, v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11);
        }
    }

    /** A path detail report: its type, metric block words m and entry metric words k. */
    record Kind(int type, String name, int m, int k) {
        int t() {
            return 1516 + 4 * m;
        }

        int first() {
            return t() + 28;
        }

        int entrySize() {
            return 4 * k + 28;
        }

        int length(int entries) {
            return first() + entries * entrySize();
        }
    }

    static final Kind NET = new Kind(8, "ProcessTransNetDetailData", 24, 13);
    static final Kind SRV = new Kind(9, "ProcessTransSrvDetailData", 30, 14);
    static final Kind RSP = new Kind(10, "ProcessTransRspTimeDetailData", 6, 11);
    static final Kind WAIT = new Kind(13, "ProcessTransWaitDetailData", 36, 7);
    static final Kind PATH = new Kind(19, "ProcessTransPathTimeDetailData", 6, 7);

    // 2005-04-28 07:08:41 UTC and 1 h 2 min 5 s earlier.
    static final int NOW = 1114672121;
    static final int START = NOW - 3725;
    static final String NOW_TEXT = "04/28/05 (07:08:41)";
    static final String START_TEXT = "04/28/05 (06:06:36)";
    static final String DURATION = "Last 01 hours 02 mins 05 secs";
    static final int FLAGS = 0x105; // client path, end path, observations: type 1
    static final int AUX = 2571;
    static final int RC = -7;
    static final int[] ENTRY_FLAGS = {0x2001, 0x4};

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    static String[] texts(boolean empty) {
        return empty ? new String[] {"", "", "", "", "", "", "", ""}
                : new String[] {"/cart/pay", "10.1.2.3", "client-net", "cli", "10.9.9.9", "server-net", "srv",
                        "checkout"};
    }

    static String entryAddr(int k, boolean empty) {
        return empty ? "" : "192.168.1." + k;
    }

    static byte[] build(Kind kd, int count, int entries, int flags, boolean empty) {
        String[] t = texts(empty);
        Reply r = new Reply(kd.length(entries)).i32(8, count).text(20, t[7]).text(84, t[0]);
        r.u16(1132, 0x8123).u16(1134, 0xFFFF);
        r.text(1136, t[1]).text(1152, t[2]).text(1280, t[3]).text(1296, t[4]).text(1312, t[5]).text(1440, t[6]);
        for (int i = 0; i < 13; i++) r.i32(1460 + 4 * i, 100 + i);
        for (int j = 0; j < kd.m(); j++) r.i32(1512 + 4 * j, 200 + j);
        r.i32(1512 + 4 * kd.m(), 0x54545454);
        int T = kd.t();
        r.i32(T, 300).i32(T + 4, NOW).i32(T + 8, START).i32(T + 12, 900).i32(T + 16, AUX).i32(T + 20, RC);
        r.i32(T + 24, flags);
        for (int k = 1; k <= entries; k++) {
            int e = kd.first() + (k - 1) * kd.entrySize();
            for (int j = 0; j < kd.k(); j++) r.i32(e + 4 * j, 1000 * k + j);
            int tail = e + 4 * kd.k();
            r.text(tail, entryAddr(k, empty)).i32(tail + 16, 0x0A000000 + k).u16(tail + 20, 0x8000 + k - 1);
            r.u16(tail + 22, 0xFFF0 - (k - 1)).i32(tail + 24, ENTRY_FLAGS[(k - 1) % 2]);
        }
        return r.bytes();
    }

    static List<Object> list(Object... items) {
        List<Object> out = new ArrayList<>();
        for (Object o : items) {
            if (o instanceof int[] run) {
                for (int v = run[0]; v < run[0] + run[1]; v++) out.add(v);
            } else {
                out.add(o);
            }
        }
        return out;
    }

    /** {first, n}: n ints counting up from first. */
    static int[] run(int first, int n) {
        return new int[] {first, n};
    }

    static List<Object> expectedSetData(Kind kd, int type, int flags, boolean empty) {
        String[] t = texts(empty);
        Object[] head = {NOW_TEXT, START_TEXT, DURATION, t[1], t[5], t[3], t[6], 0xFFFF, 300, type};
        List<Object> h = list(head);
        switch (kd.type()) {
            case 10: {
                List<Object> all = list(t[0]);
                all.addAll(h);
                all.addAll(list(run(100, 13), run(200, 6), AUX, flags, RC));
                return all;
            }
            case 19:
                h.addAll(list(run(100, 13), run(200, 6), AUX, flags, RC));
                return h;
            case 8:
                h.addAll(list(run(100, 13), run(200, 24), AUX, flags, RC));
                return h;
            case 9: // server times, application and wait times, ..., application groups last
                h.addAll(list(run(100, 13), run(200, 6), run(218, 12), AUX, flags, RC, run(206, 12)));
                return h;
            default: // 13
                h.addAll(list(flags, run(100, 13), run(200, 36), AUX, RC));
                return h;
        }
    }

    static List<Object> expectedAddEntry(Kind kd, int k, boolean empty) {
        int flags = ENTRY_FLAGS[(k - 1) % 2];
        int usePort = (flags & 0x2000) != 0 ? 0 : 1;
        int sp = 0x8000 + k - 1;
        int dp = 0xFFF0 - (k - 1);
        int ip = 0x0A000000 + k;
        int b = 1000 * k;
        String addr = entryAddr(k, empty);
        switch (kd.type()) {
            case 10:
                return list(addr, ip, usePort, sp, dp, run(b, 11));
            case 19:
                return list(addr, ip, usePort, sp, dp, run(b, 7));
            case 8:
                return list(addr, usePort, sp, dp, ip, run(b, 13));
            case 9:
                return list(addr, usePort, sp, dp, ip, run(b, 8), run(b + 10, 4), run(b + 8, 2));
            default:
                return list(addr, usePort, ip, sp, run(b, 7), flags);
        }
    }

    /** Decodes a reply and checks every argument of every call. */
    static String decodeAndCheck(Kind kd, Calls target, int count, int entries, int flags, int type,
            boolean empty) {
        int mark = TraceFile.mark();
        assertEquals(0, VYTreport.mapData(build(kd, count, entries, flags, empty), target, kd.type()));
        int calls = Math.max(count, 0);
        assertEquals(1 + calls, target.size(), target.calls.toString());
        assertEquals("setData", target.get(0).method);
        assertEquals(expectedSetData(kd, type, flags, empty), Arrays.asList(target.get(0).args));
        for (int k = 1; k <= calls; k++) {
            assertEquals("addEntry", target.get(k).method);
            assertEquals(expectedAddEntry(kd, k, empty), Arrays.asList(target.get(k).args), "entry " + k);
        }
        return TraceFile.since(mark);
    }

    static String named(String[] names, int first) {
        StringBuilder s = new StringBuilder();
        for (int i = 0; i < names.length; i++) {
            if (i > 0) s.append(' ');
            s.append(names[i]).append('=').append(first + i);
        }
        return s.toString();
    }

    static final String[] GROUPS = {"Group1", "Group2", "Group3", "Group1Ct", "Group2Ct", "Group3Ct", "Group4Ct",
            "GroupAllCt", "Group1State", "Group2State", "Group3State", "Group4State"};
    static final String INTERVAL = "reportEntryCt=2 tranTotalCtSum=300 sumIntervalUTCNow=1114672121 "
            + "sumIntervalUTCStart=1114668396 sumIntervalSecs=900 Src{client-net[33059]} Dst{server-net[65535]} ";

    static void assertLines(String trace, String... lines) {
        int from = 0;
        for (String l : lines) {
            int at = trace.indexOf(l, from);
            assertTrue(at >= 0, "missing or out of order: " + l + "\n--- trace:\n" + trace);
            from = at + l.length();
        }
    }

    static String entryLine(Kind kd) {
        return "\n" + kd.name() + " Entry: buflen=" + kd.length(2) + "\n";
    }

    static String exitLine(Kind kd) {
        return "\n" + kd.name() + " Exit: status=0\n";
    }

    @Test
    void responseTimeDetail() {
        String trace = decodeAndCheck(RSP, new RspTimeTarget(), 2, 2, FLAGS, 1, false);
        String[] entry = {"pathTotRespTime", "pathNetRespTime", "pathSrvRespTime", "pathAppRespTime",
                "pathWaitRespTime", "pathTotRespTimeState", "pathNetRespTimeState", "pathSrvRespTimeState",
                "pathAppRespTimeState", "pathWaitRespTimeState", "pathClientTranCt"};
        assertLines(trace, entryLine(RSP),
                "tranName<checkout> subTranName</cart/pay> Src{client-net[33059]} Dst{server-net[65535]}\n",
                INTERVAL + "pathIPSrcAlias{cli} pathIPDstAlias{srv}pathTotRespTimeDataCtSum=100 " + named(GROUPS, 101)
                        + " pathTotRespTimeMin=200 pathTotRespTimeMax=201 pathTotRespTimeAvg=202 "
                        + "pathTotRespTimeMinState=203 pathTotRespTimeMaxState=204 pathTotRespTimeAvgState=205 "
                        + "flags=261 reportReturnCode=-7 type=1\n",
                "\nIdx[1/2] pathIPSrcPort=32768 pathIPDstPort=65520 pathIPSrc=167772161 "
                        + "pathIPSrcAddress<192.168.1.1> usePort=0 " + named(entry, 1000) + "\n",
                "\nIdx[2/2] pathIPSrcPort=32769 pathIPDstPort=65519 pathIPSrc=167772162 "
                        + "pathIPSrcAddress<192.168.1.2> usePort=1 " + named(entry, 2000) + "\n",
                exitLine(RSP));
    }

    @Test
    void pathTimeDetail() {
        String trace = decodeAndCheck(PATH, new PathTimeTarget(), 2, 2, FLAGS, 1, false);
        String[] entry = {"pathRespTime", "pathNetRespTime", "pathAppRespTime", "pathRespTimeState",
                "pathNetRespTimeState", "pathAppRespTimeState", "pathClientTranCt"};
        assertLines(trace, entryLine(PATH), "Src{client-net[33059]} Dst{server-net[65535]} SrcIP<10.1.2.3>\n",
                INTERVAL + "pathIPSrcAlias{cli} pathIPDstAlias{srv}pathRespTimeDataCtSum=100 " + named(GROUPS, 101)
                        + " pathRespTimeMin=200 pathRespTimeMax=201 pathRespTimeAvg=202 pathRespTimeMinState=203 "
                        + "pathRespTimeMaxState=204 pathRespTimeAvgState=205 flags=261 reportReturnCode=-7 type=1\n",
                "\nIdx[1/2] pathIPSrcPort=32768 pathIPDstPort=65520 pathIPSrc=167772161 "
                        + "pathIPSrcAddress<192.168.1.1> usePort=0 " + named(entry, 1000) + "\n",
                "\nIdx[2/2] pathIPSrcPort=32769 pathIPDstPort=65519 pathIPSrc=167772162 "
                        + "pathIPSrcAddress<192.168.1.2> usePort=1 " + named(entry, 2000) + "\n",
                exitLine(PATH));
    }

    @Test
    void networkDetail() {
        String trace = decodeAndCheck(NET, new NetTarget(), 2, 2, FLAGS, 1, false);
        String[] entry = {"pathNetRespTime", "pathNetRespTimeOut", "pathNetRespTimeIn", "pathNetOutKBytesPerSec",
                "pathNetInKBytesPerSec", "pathNetTotKBytesPerSec", "pathNetOutBytesCt", "pathNetInBytesCt",
                "pathNetTotBytesCt", "pathNetRespTimeState", "pathNetRespTimeOutState", "pathNetRespTimeInState",
                "pathClientTranCt"};
        assertLines(trace, entryLine(NET),
                INTERVAL + "pathTotRespTimeDataCtSum=100 " + named(GROUPS, 101)
                        + " flags=261 reportReturnCode=-7 type=1\n",
                "pathNetRespTimeMin=200 pathNetRespTimeMax=201 pathNetRespTimeAvg=202 ",
                "pathNetInBytesCtAvg=222 pathNetTotBytesCtAvg=223 \n",
                "\nIdx[1/2] usePort=0 pathIPSrcAddress<192.168.1.1>pathIPSrcPort=32768 pathIPDstPort=65520 "
                        + "pathIPSrc=167772161 " + named(entry, 1000) + "\n",
                "\nIdx[2/2] usePort=1 pathIPSrcAddress<192.168.1.2>pathIPSrcPort=32769 pathIPDstPort=65519 "
                        + "pathIPSrc=167772162 " + named(entry, 2000) + "\n",
                exitLine(NET));
    }

    @Test
    void serverDetail() {
        String trace = decodeAndCheck(SRV, new SrvTarget(), 2, 2, FLAGS, 1, false);
        String[] app = {"Group1", "Group2", "Group3", "appGroup1Ct", "appGroup2Ct", "appGroup3Ct", "appGroup4Ct",
                "appGroupAllCt", "appGroup1State", "appGroup2State", "appGroup3State", "appGroup4State"};
        assertLines(trace, entryLine(SRV),
                INTERVAL + "pathTotRespTimeDataCtSum=100 " + named(GROUPS, 101) + " " + named(app, 206)
                        + " flags=261 reportReturnCode=-7 type=1\n",
                "pathSrvRespTimeMin=200 ", "pathSrvRespTimeAvgState=205 pathAppRespTimeMin=218 ",
                "pathWaitRespTimeAvgState=229 \n",
                "\nIdx[1/2] usePort=0 pathIPSrcPort=32768 pathIPDstPort=65520 pathDisRespTime=1000 "
                        + "pathTotRespTime=1001 pathNetRespTimeOut=1002 pathNetRespTimeIn=1003 pathSrvRespTime=1004 "
                        + "pathAppRespTime=1005 pathWaitRespTime=1006 pathTotRespTimeState=1007 "
                        + "pathSrvRespTimeState=1010 pathAppRespTimeState=1011 pathWaitRespTimeState=1012 "
                        + "pathClientTranCt=1013 pathNetRespTimeOutState=1008 pathNetRespTimeInState=1009 \n",
                "\nIdx[2/2] usePort=1 pathIPSrcPort=32769 pathIPDstPort=65519 pathDisRespTime=2000 ",
                exitLine(SRV));
    }

    @Test
    void waitDetail() {
        String trace = decodeAndCheck(WAIT, new WaitTarget(), 2, 2, FLAGS, 1, false);
        assertLines(trace, entryLine(WAIT),
                INTERVAL + "pathTotRespTimeDataCtSum=100 Group1=101 Group2=102 Group3=103 Group1Ct=104 "
                        + "Group2Ct=105 Group3Ct=106 Group4Ct=107 GroupAllCt=108Group1State=109 Group2State=110 "
                        + "Group3State=111 Group4State=112 flags<{105} REP_FLAGS_CLIENT_PATH REP_FLAGS_END_PATH "
                        + "REP_FLAGS_VIEW_OBSERVATIONS REP_URL_LIST_PRECEDENCE_INCLUDE_FIRST "
                        + "REP_URL_LIST_TYPE_INCLUDE REP_URL_SEARCH_TYPE_EXACT_MATCH> reportReturnCode=-7 type=1\n",
                "pathSrvRespTimeMin=200 ", "pathRetWaitRespTimeAvg=235 \n",
                "\nIdx[1/2] pathIPSrcAddress=[192.168.1.1] pathIPSrcPort=32768 pathIPSrc=167772161 "
                        + "pathSrvRespTime=1000 pathAppRespTime=1001 pathWaitRespTime=1002 pathSrvRespTimeState=1003 "
                        + "pathAppRespTimeState=1004pathWaitRespTimeState=1005 pathClientTranCt=1006 "
                        + "flags<{2001} REP_FLAGS_CLIENT_PATH REP_FLAGS_CLIENT_SUM "
                        + "REP_URL_LIST_PRECEDENCE_INCLUDE_FIRST> \n",
                "\nIdx[2/2] pathIPSrcAddress=[192.168.1.2] pathIPSrcPort=32769 pathIPSrc=167772162 ",
                exitLine(WAIT));
    }

    @Test
    void countsOfZeroAndBelowGiveOnlySetData() {
        for (int count : new int[] {0, -3}) {
            decodeAndCheck(RSP, new RspTimeTarget(), count, 0, FLAGS, 1, false);
            decodeAndCheck(PATH, new PathTimeTarget(), count, 0, FLAGS, 1, false);
            decodeAndCheck(NET, new NetTarget(), count, 0, FLAGS, 1, false);
            decodeAndCheck(SRV, new SrvTarget(), count, 0, FLAGS, 1, false);
            decodeAndCheck(WAIT, new WaitTarget(), count, 0, FLAGS, 1, false);
        }
    }

    @Test
    void emptyTextsGiveEmptyStrings() {
        decodeAndCheck(RSP, new RspTimeTarget(), 2, 2, FLAGS, 1, true);
        decodeAndCheck(PATH, new PathTimeTarget(), 2, 2, FLAGS, 1, true);
        decodeAndCheck(NET, new NetTarget(), 2, 2, FLAGS, 1, true);
        decodeAndCheck(SRV, new SrvTarget(), 2, 2, FLAGS, 1, true);
        decodeAndCheck(WAIT, new WaitTarget(), 2, 2, FLAGS, 1, true);
    }

    @Test
    void unknownPathPositionIsTracedAndGivesType8() {
        // Response-time, path time and network detail: the line comes before the Entry line.
        String trace = decodeAndCheck(RSP, new RspTimeTarget(), 2, 2, 0, 8, false);
        assertLines(trace, "\nError:: could not determine type from flags==0\n", entryLine(RSP));
        trace = decodeAndCheck(NET, new NetTarget(), 2, 2, 0x10, 8, false);
        assertLines(trace, "\nError:: could not determine type from flags==16\n", entryLine(NET));
        // Server and wait detail: after it; the wait detail line shows the flags as text.
        trace = decodeAndCheck(SRV, new SrvTarget(), 2, 2, 0x10, 8, false);
        assertLines(trace, entryLine(SRV), "\nError:: could not determine type from flags==16\n");
        trace = decodeAndCheck(WAIT, new WaitTarget(), 2, 2, 0x10, 8, false);
        assertLines(trace, entryLine(WAIT),
                "\nError:: could not determine type from flags<{10} REP_FLAGS_VIEW_DISTRIBUTIONS "
                        + "REP_URL_LIST_HAS_INCLUDE>\n");
        // Middle path wins over end path; client-and-end alone is 8 without the line.
        decodeAndCheck(PATH, new PathTimeTarget(), 2, 2, 6, 2, false);
        trace = decodeAndCheck(PATH, new PathTimeTarget(), 2, 2, 8, 8, false);
        assertTrue(!trace.contains("Error::"), trace);
    }
}
