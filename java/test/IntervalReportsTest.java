import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.time.Instant;
import java.time.ZoneId;
import java.time.format.DateTimeFormatter;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;

import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/**
 * Interval performance replies: response time (4), network (5), server (6), transaction flow (7), wait (12),
 * path time (18) and server load (21).
 *
 * <p>Every reply holds a distinct value in every field: the 32-bit field at entry offset o of entry k holds
 * k*1000 + o, the header field at offset o holds 500000 + o (the interval stamps excepted), and unread bytes
 * hold 0xA5. Entry 1 carries texts everywhere, entry 2 empty texts; ports are 0x8000 and above.
 */
class IntervalReportsTest {
    static final int START = 1100000000;
    static final int NOW = START + 300;

    // ---- targets, with exactly the callback signatures of each report ----

    static class RspTimeTarget extends Calls {
        public void setData(String now, String start, String span, int a, int b, int c, int d) {
            record("setData", now, start, span, a, b, c, d);
        }

        public void addEntry(String s1, String s2, String s3, String s4, int i1, int i2, int i3, int i4, int i5,
                int i6, int i7, int i8, int i9, int i10, int i11, int i12, int i13, int i14, int i15, int i16) {
            record("addEntry", s1, s2, s3, s4, i1, i2, i3, i4, i5, i6, i7, i8, i9, i10, i11, i12, i13, i14, i15,
                    i16);
        }
    }

    static class PathTimeTarget extends Calls {
        public void setData(String now, String start, String span, int a, int b, int c, int d, int e) {
            record("setData", now, start, span, a, b, c, d, e);
        }

        public void addEntry(String s1, String s2, String s3, String s4, int i1, int i2, int i3, int i4, int i5,
                int i6, int i7, int i8, int i9, int i10, int i11) {
            record("addEntry", s1, s2, s3, s4, i1, i2, i3, i4, i5, i6, i7, i8, i9, i10, i11);
        }
    }

    static class NetTimeTarget extends Calls {
        public void setData(String now, String start, String span, int a, int b, int c, int d) {
            record("setData", now, start, span, a, b, c, d);
        }

        public void addEntry(String s1, String s2, String s3, String s4, int i1, int i2, int i3, int i4, int i5,
                int i6, int i7, int i8, int i9, int i10, int i11, int i12, int i13, int i14) {
            record("addEntry", s1, s2, s3, s4, i1, i2, i3, i4, i5, i6, i7, i8, i9, i10, i11, i12, i13, i14);
        }
    }

    /** The server tier report has the same signatures as the path-time addEntry and the tier setData. */
    static class SrvTimeTarget extends Calls {
        public void setData(String now, String start, String span, int a, int b, int c, int d) {
            record("setData", now, start, span, a, b, c, d);
        }

        public void addEntry(String s1, String s2, String s3, String s4, int i1, int i2, int i3, int i4, int i5,
                int i6, int i7, int i8, int i9, int i10, int i11) {
            record("addEntry", s1, s2, s3, s4, i1, i2, i3, i4, i5, i6, i7, i8, i9, i10, i11);
        }
    }

    static class WaitTimeTarget extends Calls {
        public void setData(String now, String start, String span, int a, int b, int c, int d) {
            record("setData", now, start, span, a, b, c, d);
        }

        public void addEntry(String s1, String s2, String s3, String s4, int i1, int i2, int i3, int i4, int i5,
                int i6, int i7, int i8) {
            record("addEntry", s1, s2, s3, s4, i1, i2, i3, i4, i5, i6, i7, i8);
        }
    }

    static class ServerLoadTarget extends Calls {
        public void setData(String now, String start, String span, int a, int b, int c) {
            record("setData", now, start, span, a, b, c);
        }

        public void addEntry(String s1, String s2, String s3, String s4, String s5, String s6, int i1, int i2,
                int i3, int i4, int i5, int i6, int i7, int i8, int i9, int i10, int i11, int i12, int i13) {
            record("addEntry", s1, s2, s3, s4, s5, s6, i1, i2, i3, i4, i5, i6, i7, i8, i9, i10, i11, i12, i13);
        }
    }

    static class FlowTarget extends Calls {
        public void setData(String now, String start, String span, int a, int b, int c, int d, int e) {
            record("setData", now, start, span, a, b, c, d, e);
        }

        public void addEntry(String s1, String s2, int i1, int i2, int i3, int i4, int i5, int i6, int i7, int i8,
                int i9, int i10, int i11, int i12, int i13, int i14, int i15, int i16, int i17, int i18, int i19,
                int i20, int i21, int i22) {
            record("addEntry", s1, s2, i1, i2, i3, i4, i5, i6, i7, i8, i9, i10, i11, i12, i13, i14, i15, i16, i17,
                    i18, i19, i20, i21, i22);
        }
    }

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    // ---- reply builders ----

    static int v(int k, int off) {
        return k * 1000 + off;
    }

    static int hv(int off) {
        return 500000 + off;
    }

    static int srcPort(int k) {
        return 0x8000 + k;
    }

    static int dstPort(int k) {
        return 0x10000 - k;
    }

    static String stamp(int secs) {
        return DateTimeFormatter.ofPattern("MM/dd/yy (HH:mm:ss)")
                .format(Instant.ofEpochSecond(secs).atZone(ZoneId.systemDefault()));
    }

    static String junk(int n) {
        char[] c = new char[n];
        Arrays.fill(c, '\u00A5');
        return new String(c);
    }

    /** An empty text: a NUL with junk after it. */
    static String field(String s) {
        return s.isEmpty() ? "\0junk" : s;
    }

    static String[] pathTexts(int k) {
        return k == 1 ? new String[] {"srcnet-1", "dstnet-1", "sa-1", "da-1"} : new String[] {"srcnet-2", "", "", ""};
    }

    static void commonHeader(Reply r, int count) {
        r.i32(4, 0x5A5A5A5A).i32(8, count).i32(12, 0x5A5A5A5A).i32(16, 0x5A5A5A5A).text(20, junk(1092));
        for (int o = 1112; o <= 1124; o += 4) r.i32(o, hv(o));
    }

    /** The 1152-byte header (end at 1128, start at 1132) or the 1156-byte one (average at 1128). */
    static Reply header(boolean withAvg, int count, int entries, int entrySize) {
        Reply r = new Reply((withAvg ? 1156 : 1152) + entrySize * entries);
        commonHeader(r, count);
        if (withAvg) {
            r.i32(1128, hv(1128)).i32(1132, NOW).i32(1136, START);
            for (int o = 1140; o <= 1152; o += 4) r.i32(o, hv(o));
        } else {
            r.i32(1128, NOW).i32(1132, START);
            for (int o = 1136; o <= 1148; o += 4) r.i32(o, hv(o));
        }
        return r;
    }

    static byte[] pathReply(int type, int count, int entries) {
        boolean withAvg = type == 18;
        int size = type == 4 ? 456 : type == 18 ? 436 : type == 5 ? 460 : type == 6 ? 440 : 428;
        Reply r = header(withAvg, count, entries, size);
        for (int k = 1; k <= entries; k++) {
            int e = (withAvg ? 1156 : 1152) + size * (k - 1);
            String[] t = pathTexts(k);
            r.text(e, junk(64)).i32(e + 64, v(k, 64)).text(e + 68, junk(8)).u16(e + 76, srcPort(k))
                    .u16(e + 78, dstPort(k));
            r.text(e + 80, "10.0.0." + k).text(e + 96, field(t[0])).text(e + 224, field(t[2]));
            r.text(e + 240, "10.9.9." + k).text(e + 256, field(t[1])).text(e + 384, field(t[3]));
            r.text(e + 400, junk(4));
            for (int o = 404; o < size; o += 4) r.i32(e + o, v(k, o));
        }
        return r.bytes();
    }

    static byte[] serverLoadReply(int count, int entries) {
        Reply r = new Reply(112 + 496 * entries);
        r.i32(4, 0x5A5A5A5A).i32(8, count).i32(12, 0x5A5A5A5A).i32(16, 0x5A5A5A5A);
        r.text(20, "orders-tx").i32(84, hv(84)).i32(88, hv(88)).i32(92, START).i32(96, START + 3600);
        r.i32(100, hv(100)).i32(104, hv(104)).i32(108, hv(108));
        for (int k = 1; k <= entries; k++) {
            int e = 112 + 496 * (k - 1);
            String[] t = pathTexts(k);
            r.text(e, field(k == 1 ? "own-1" : "")).text(e + 64, field(k == 1 ? "imp-1" : ""));
            r.i32(e + 128, v(k, 128)).u16(e + 132, srcPort(k)).u16(e + 134, dstPort(k));
            r.text(e + 136, "10.0.0." + k).text(e + 152, field(t[0])).text(e + 280, field(t[2]));
            r.text(e + 296, "10.9.9." + k).text(e + 312, field(t[1])).text(e + 440, field(t[3]));
            for (int o = 456; o < 496; o += 4) r.i32(e + o, v(k, o));
        }
        return r.bytes();
    }

    static int nodePort(int k) {
        return k == 1 ? 0xFFFF : 0x8000;
    }

    static byte[] flowReply(int count, int entries) {
        Reply r = header(true, count, entries, 292);
        for (int k = 1; k <= entries; k++) {
            int e = 1156 + 292 * (k - 1);
            for (int o = 0; o < 124; o += 4) r.i32(e + o, v(k, o));
            r.text(e + 24, junk(36));
            r.text(e + 124, field(k == 1 ? "node-1" : "")).text(e + 268, field(k == 1 ? "alias-1" : ""));
            r.u16(e + 284, nodePort(k)).text(e + 286, junk(2)).i32(e + 288, v(k, 288));
        }
        return r.bytes();
    }

    // ---- checks ----

    static void check(Calls.Call c, String method, String[] strs, int... ints) {
        List<Object> want = new ArrayList<>(Arrays.asList((Object[]) strs));
        for (int i : ints) want.add(i);
        assertEquals(method + want, c.toString());
    }

    static String[] strs(String... s) {
        return s;
    }

    static String[] intervalTexts() {
        return strs(stamp(NOW), stamp(START), "Last 05 mins 00 secs");
    }

    static void contains(String trace, String... lines) {
        for (String l : lines) assertTrue(trace.contains(l), () -> "missing: " + l + "\n--- trace:\n" + trace);
    }

    static final String FORM_A_HEADER_1144 = "reportEntryCt=2 tranTotalTierCt=501112 tranTotalPathCt=501116 "
            + "tranTotalCt=501120 tranTotalCtSum=501124 sumIntervalUTCNow=1100000300 sumIntervalUTCStart=1100000000 "
            + "sumIntervalSecs=501136 reportReturnCode=501144\n";

    // ---- response time (4) and path time (18) ----

    @Test
    void responseTime() {
        int mark = TraceFile.mark();
        RspTimeTarget t = new RspTimeTarget();
        assertEquals(0, VYTreport.mapData(pathReply(4, 2, 2), t, 4));
        assertEquals(3, t.size());
        check(t.get(0), "setData", intervalTexts(), hv(1124), hv(1140), hv(1148), hv(1144));
        for (int k = 1; k <= 2; k++) {
            check(t.get(k), "addEntry", pathTexts(k), v(k, 64), dstPort(k), srcPort(k), v(k, 404), v(k, 408),
                    v(k, 412), v(k, 416), v(k, 420), v(k, 424), v(k, 452), v(k, 428), v(k, 432), v(k, 436),
                    v(k, 440), v(k, 444), v(k, 448));
        }
        contains(TraceFile.since(mark), "\nProcessTransRspTimeData Entry: buflen=2064\n", FORM_A_HEADER_1144,
                "\nIdx[1/2] pathIPSrcNetName[srcnet-1] pathIPDstNetName[dstnet-1] pathIPSrcAlias[sa-1] "
                        + "pathIPDstAlias[da-1] pathId=1064 pathIPDstPort=65535 pathIPSrcPort=32769 "
                        + "pathTotRespTimeDataCtSum=1404 pathTotRespTimeAvg=1408 pathNetRespTimeAvg=1412 "
                        + "pathSrvRespTimeAvg=1416 pathAppRespTimeAvg=1420 pathWaitRespTimeAvg=1424 flags=1452 "
                        + "pathTotRespTimeAlertState=1428 pathNetRespTimeAlertState=1432 "
                        + "pathSrvRespTimeAlertState=1436 pathAppRespTimeAlertState=1440 "
                        + "pathWaitRespTimeAlertState=1444 pathMaxRespTimeAlertState=1448 \n",
                "\nIdx[2/2] pathIPSrcNetName[srcnet-2] pathIPDstNetName[] pathIPSrcAlias[] pathIPDstAlias[] "
                        + "pathId=2064 pathIPDstPort=65534 pathIPSrcPort=32770 pathTotRespTimeDataCtSum=2404 ",
                "\nProcessTransRspTimeData Exit: status=0\n");
    }

    @Test
    void pathTime() {
        int mark = TraceFile.mark();
        PathTimeTarget t = new PathTimeTarget();
        assertEquals(0, VYTreport.mapData(pathReply(18, 2, 2), t, 18));
        assertEquals(3, t.size());
        check(t.get(0), "setData", intervalTexts(), hv(1124), hv(1128), hv(1144), hv(1152), hv(1148));
        for (int k = 1; k <= 2; k++) {
            check(t.get(k), "addEntry", pathTexts(k), v(k, 64), dstPort(k), srcPort(k), v(k, 404), v(k, 408),
                    v(k, 412), v(k, 416), v(k, 420), v(k, 424), v(k, 428), v(k, 432));
        }
        contains(TraceFile.since(mark), "\nProcessTransPathTimeData Entry: buflen=2028\n",
                "reportEntryCt=2 tranTotalTierCt=501112 tranTotalPathCt=501116 tranTotalCt=501120 "
                        + "tranTotalCtSum=501124 sumIntervalUTCNow=1100000300 sumIntervalUTCStart=1100000000 "
                        + "sumIntervalSecs=501140 tranTotRespTimeAvg=501128 flags=501152 reportReturnCode=501148\n",
                "\nIdx[1/2] pathIPSrcNetName[srcnet-1] pathIPDstNetName[dstnet-1] pathIPSrcAlias[sa-1] "
                        + "pathIPDstAlias[da-1] pathId=1064 pathIPDstPort=65535 pathIPSrcPort=32769 "
                        + "pathTotRespTimeDataCtSum=1404 pathTotRespTimeAvg=1408 pathNetRespTimeAvg=1412 "
                        + "pathAppRespTimeAvg=1416 pathTotRespTimeAlertState=1420 pathNetRespTimeAlertState=1424 "
                        + "pathAppRespTimeAlertState=1428 flags=1432  \n",
                "\nIdx[2/2] pathIPSrcNetName[srcnet-2] pathIPDstNetName[] pathIPSrcAlias[] pathIPDstAlias[] "
                        + "pathId=2064 pathIPDstPort=65534 pathIPSrcPort=32770 ",
                "\nProcessTransPathTimeData Exit: status=0\n");
    }

    // ---- network (5), server (6), wait (12) ----

    @Test
    void networkTime() {
        int mark = TraceFile.mark();
        NetTimeTarget t = new NetTimeTarget();
        assertEquals(0, VYTreport.mapData(pathReply(5, 2, 2), t, 5));
        assertEquals(3, t.size());
        check(t.get(0), "setData", intervalTexts(), hv(1124), hv(1140), hv(1148), hv(1144));
        for (int k = 1; k <= 2; k++) {
            check(t.get(k), "addEntry", pathTexts(k), v(k, 64), dstPort(k), v(k, 404), v(k, 424), v(k, 420),
                    v(k, 436), v(k, 432), v(k, 408), v(k, 412), v(k, 416), v(k, 456), v(k, 444), v(k, 448),
                    v(k, 452));
        }
        contains(TraceFile.since(mark), "\nProcessTransNetTimeData Entry: buflen=2072\n", FORM_A_HEADER_1144,
                "\nIdx[1/2] pathId=1064 pathIPSrcNetName=[srcnet-1] pathIPDstNetName=[dstnet-1] "
                        + "pathIPSrcAlias=[sa-1] pathIPDstAlias=[da-1] pathIPDstPort=65535 "
                        + "pathTotRespTimeDataCtSum=1404 pathNetInKBytesPerSecAvg=1424 "
                        + "pathNetOutKBytesPerSecAvg=1420 pathNetInBytesCtAvg=1436 pathNetOutBytesCtAvg=1432 "
                        + "pathNetRespTimeAvg=1408 pathNetRespTimeOutAvg=1412 pathNetRespTimeInAvg=1416 flags=1456 "
                        + "pathNetRespTimeAlertState=1444 pathNetRespTimeOutAlertState=1448 "
                        + "pathNetRespTimeInAlertState=1452 \n",
                "\nIdx[2/2] pathId=2064 pathIPSrcNetName=[srcnet-2] pathIPDstNetName=[] pathIPSrcAlias=[] "
                        + "pathIPDstAlias=[] pathIPDstPort=65534 ",
                "\nProcessTransNetTimeData Exit: status=0\n");
    }

    @Test
    void serverTime() {
        int mark = TraceFile.mark();
        SrvTimeTarget t = new SrvTimeTarget();
        assertEquals(0, VYTreport.mapData(pathReply(6, 2, 2), t, 6));
        assertEquals(3, t.size());
        // The word at 1144 is a plain value, the return code is the word at 1148.
        check(t.get(0), "setData", intervalTexts(), hv(1124), hv(1140), hv(1144), hv(1148));
        for (int k = 1; k <= 2; k++) {
            check(t.get(k), "addEntry", pathTexts(k), v(k, 64), dstPort(k), v(k, 404), v(k, 408), v(k, 412),
                    v(k, 416), v(k, 420), v(k, 424), v(k, 428), v(k, 432), v(k, 436));
        }
        String trace = TraceFile.since(mark);
        contains(trace, "\nProcessTransSrvTimeData Entry: buflen=2032\n",
                "reportEntryCt=2 tranTotalTierCt=501112 tranTotalPathCt=501116 tranTotalCt=501120 "
                        + "tranTotalCtSum=501124 sumIntervalUTCNow=1100000300 sumIntervalUTCStart=1100000000 "
                        + "sumIntervalSecs=501136 reportReturnCode=501148\n",
                "\nIdx[1/2] pathIPSrcNetName=[srcnet-1] pathIPDstNetName=[dstnet-1] pathIPSrcAlias=[sa-1] "
                        + "pathIPDstAlias=[da-1] pathIPDstPort=65535 pathTotRespTimeDataCtSum=1404 "
                        + "pathSrvRespTimeAvg=1408 pathAppRespTimeAvg=1412 pathWaitRespTimeAvg=1416 "
                        + "pathDisRespTimeAvg=1420 pathSrvRespTimeAlertState=1424 pathAppRespTimeAlertState=1428 "
                        + "repEntry->pathWaitRespTimeAlertState=1432 flags=1436 \n",
                "\nIdx[2/2] pathIPSrcNetName=[srcnet-2] pathIPDstNetName=[] pathIPSrcAlias=[] pathIPDstAlias=[] "
                        + "pathIPDstPort=65534 ",
                "\nProcessTransSrvTimeData Exit: status=0\n");
    }

    @Test
    void waitTime() {
        int mark = TraceFile.mark();
        WaitTimeTarget t = new WaitTimeTarget();
        byte[] reply = pathReply(12, 2, 2);
        // Entry 1 is a client path and a client-and-end path (0x9), entry 2 a middle and end path (0x6).
        setI32(reply, 1152 + 424, 0x10009);
        setI32(reply, 1152 + 428 + 424, 0x6);
        assertEquals(0, VYTreport.mapData(reply, t, 12));
        assertEquals(3, t.size());
        check(t.get(0), "setData", intervalTexts(), hv(1124), hv(1140), hv(1148), hv(1144));
        check(t.get(1), "addEntry", pathTexts(1), dstPort(1), v(1, 64), v(1, 404), v(1, 408), v(1, 412),
                v(1, 416), v(1, 420), 0x10009);
        check(t.get(2), "addEntry", pathTexts(2), dstPort(2), v(2, 64), v(2, 404), v(2, 408), v(2, 412),
                v(2, 416), v(2, 420), 0x6);
        String trace = TraceFile.since(mark);
        contains(trace, "\nProcessTransWaitTimeData Entry: buflen=2008\n", FORM_A_HEADER_1144,
                "\nIdx[1/2] pathIPSrcNetName=[srcnet-1] pathIPDstNetName=[dstnet-1] jpathIPSrcAlias=[sa-1] "
                        + "jpathIPDstAlias=[da-1] pathIPDstPort=65535 pathTotRespTimeDataCtSum=1404 "
                        + "pathDisRespTimeAvg=1408 pathRetRespTimeAvg=1412 pathWaitRespTimeAvg=1416 "
                        + "pathWaitRespTimeAlertState=1420 flags=65545 \n",
                "\nIdx[2/2] pathIPSrcNetName=[srcnet-2] pathIPDstNetName=[] jpathIPSrcAlias=[] jpathIPDstAlias=[] "
                        + "pathIPDstPort=65534 ",
                "\nProcessTransWaitTimeData Exit: status=0\n");
        int i1 = trace.indexOf("\nIdx[1/2] 1 Path\n");
        int i2 = trace.indexOf("\nIdx[1/2] 2 Path\n");
        int i3 = trace.indexOf("\nIdx[2/2] 3 Path\n");
        int i4 = trace.indexOf("\nIdx[2/2] 4 Path\n");
        int idx2 = trace.indexOf("\nIdx[2/2] pathIPSrcNetName");
        assertTrue(trace.indexOf("\nIdx[1/2] pathIPSrcNetName") < i1 && i1 < i2 && i2 < idx2 && idx2 < i3
                && i3 < i4, trace);
        assertFalse(trace.contains("\nIdx[1/2] 3 Path\n") || trace.contains("\nIdx[2/2] 1 Path\n"), trace);
    }

    static void setI32(byte[] b, int off, int value) {
        b[off] = (byte) value;
        b[off + 1] = (byte) (value >>> 8);
        b[off + 2] = (byte) (value >>> 16);
        b[off + 3] = (byte) (value >>> 24);
    }

    // ---- server load (21) ----

    @Test
    void serverLoad() {
        int mark = TraceFile.mark();
        ServerLoadTarget t = new ServerLoadTarget();
        assertEquals(0, VYTreport.mapData(serverLoadReply(2, 2), t, 21));
        assertEquals(3, t.size());
        check(t.get(0), "setData", strs(stamp(START + 3600), stamp(START), "Last 01 hours 00 mins 00 secs"),
                hv(88), hv(104), hv(108));
        for (int k = 1; k <= 2; k++) {
            String[] p = pathTexts(k);
            check(t.get(k), "addEntry", strs(p[0], p[1], p[2], p[3], k == 1 ? "own-1" : "", k == 1 ? "imp-1" : ""),
                    v(k, 128), srcPort(k), dstPort(k), v(k, 456), v(k, 460), v(k, 472), v(k, 476), v(k, 480),
                    v(k, 484), v(k, 488), v(k, 468), v(k, 464), v(k, 492));
        }
        contains(TraceFile.since(mark), "\nProcessServerLoadData Entry: buflen=1104\n",
                "tranName<orders-tx> serverId=500084 totalServerRespTimeDataCtSumt=500088 "
                        + "sumIntervalUTCStart=1100000000 sumIntervalUTCNow=1100003600 sumIntervalSecs=500100 "
                        + "collectorStartupTime=500104 flags=500108\n",
                "\nIdx[1/2] ownTranName<own-1> impTranName<imp-1> pathId=1128 pathIPSrcPort=32769 "
                        + "pathIPDstPort=65535 pathIPSrcAddress<10.0.0.1> pathIPSrcNetName<srcnet-1> "
                        + "pathIPSrcAlias<sa-1> pathIPDstAddress<10.9.9.1> pathIPDstNetName<dstnet-1> "
                        + "pathIPDstAlias<da-1> pathTotRespTimeDataCtSum=1456 pathTranPerMinute=1460 "
                        + "pathTotRespTimeAvg=1472 pathWaitRespTimeAvg=1476 pathTotRespTimeAlertState=1480 "
                        + "pathWaitRespTimeAlertState=1484 pathWorstComponentState=1488 pathTranImpactPct=1468 "
                        + "pathKBytesPerMinute=1464 flags=1492\n",
                "\nIdx[2/2] ownTranName<> impTranName<> pathId=2128 pathIPSrcPort=32770 pathIPDstPort=65534 ",
                "\nProcessServerLoadData Exit: status=0\n");
    }

    // ---- transaction flow (7) ----

    @Test
    void transactionFlow() {
        int mark = TraceFile.mark();
        FlowTarget t = new FlowTarget();
        assertEquals(0, VYTreport.mapData(flowReply(2, 2), t, 7));
        assertEquals(3, t.size());
        check(t.get(0), "setData", intervalTexts(), hv(1124), hv(1144), hv(1128), hv(1152), hv(1148));
        for (int k = 1; k <= 2; k++) {
            check(t.get(k), "addEntry", strs(k == 1 ? "node-1" : "", k == 1 ? "alias-1" : ""), nodePort(k),
                    v(k, 120), v(k, 0), v(k, 288), v(k, 76), v(k, 80), v(k, 84), v(k, 88), v(k, 92), v(k, 96),
                    v(k, 100), v(k, 4), v(k, 12), v(k, 16), v(k, 20), v(k, 60), v(k, 68), v(k, 72), v(k, 104),
                    v(k, 108), v(k, 8), v(k, 64));
        }
        contains(TraceFile.since(mark), "\nProcessTransFlowData Entry: buflen=1740\n",
                "reportEntryCt=2 tranTotalTierCt=501112 tranTotalPathCt=501116 tranTotalCt=501120 "
                        + "tranTotalCtSum=501124 sumIntervalUTCNow=1100000300 sumIntervalUTCStart=1100000000 "
                        + "sumIntervalSecs=501140 tranTotRespTimeAvg=501128 reportReturnCode=501148\n",
                "reportEntryCt=2\n",
                "\nIdx[1/2] colNum=1120 nodeName=[node-1] nodeAlias=[alias-1] nodePort=65535 type=1000 "
                        + "flags=1288 nodeSrvRespTimeAvg=1076 nodeAppRespTimeAvg=1080 nodeWaitRespTimeAvg=1084 "
                        + "pathNetRespTimeAvg=1012 nodeSrvRespTimeAvgState=1088 nodeAppRespTimeAvgState=1092 "
                        + "nodeWaitRespTimeAvgState=1096 nodeWorstComponentState=1100 pathTotRespTimeAvg=1004 "
                        + "pathNetRespTimeAvg=1012 pathNetRespTimeOutAvg=1016 pathNetRespTimeInAvg=1020 "
                        + "pathTotRespTimeAvgState=1060 pathNetRespTimeAvgState=1068 pathWorstComponentState=1072 "
                        + "pathId=1104 pathTier=1108 pathTotRespTimeDataCt=1112 pathTotRespTimeDataCtSum=1116 "
                        + "pathRespTimeAvg=1008 pathRespTimeAvgState=1064 \n",
                "\nIdx[2/2] colNum=2120 nodeName=[] nodeAlias=[] nodePort=32768 type=2000 flags=2288 ",
                "\nProcessTransFlowData Exit: status=0\n");
    }

    // ---- every report: counts of zero and below ----

    @Test
    void countsOfZeroAndBelowGiveSetDataOnly() {
        int[] types = {4, 5, 6, 7, 12, 18, 21};
        Calls[] targets = {new RspTimeTarget(), new NetTimeTarget(), new SrvTimeTarget(), new FlowTarget(),
                new WaitTimeTarget(), new PathTimeTarget(), new ServerLoadTarget()};
        for (int count : new int[] {0, -3}) {
            for (int i = 0; i < types.length; i++) {
                int type = types[i];
                Calls t = targets[i];
                t.calls.clear();
                byte[] reply = type == 21 ? serverLoadReply(count, 1) : type == 7 ? flowReply(count, 1)
                        : pathReply(type, count, 1);
                int mark = TraceFile.mark();
                assertEquals(0, VYTreport.mapData(reply, t, type), "type " + type);
                assertEquals(1, t.size(), "type " + type);
                assertEquals("setData", t.get(0).method);
                String trace = TraceFile.since(mark);
                assertFalse(trace.contains("\nIdx["), trace);
                assertTrue(trace.contains(" Exit: status=0\n"), trace);
                if (type == 7) assertTrue(trace.contains("reportEntryCt=" + count + "\n"), trace);
            }
        }
    }
}
