import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/** Current alert (11) and current URL alert (26) replies. */
class AlertCurrentTest {
    static class CurrentTarget extends Calls {
        public void setData(String currentTime, String startTime, String span, int value1, int value2) {
            record("setData", currentTime, startTime, span, value1, value2);
        }

        public void addEntry(String alertStart, String tranName, String srcNetName, String dstNetName,
                String srcAlias, String dstAlias, int pathId, int flags, int dstPort, int dataCt, int tot, int net,
                int srv, int app, int wait, int worst, int totState, int netState, int srvState, int appState,
                int waitState, int maxState, int pathAlert, int pathState) {
            record("addEntry", alertStart, tranName, srcNetName, dstNetName, srcAlias, dstAlias, pathId, flags,
                    dstPort, dataCt, tot, net, srv, app, wait, worst, totState, netState, srvState, appState,
                    waitState, maxState, pathAlert, pathState);
        }
    }

    static class URLTarget extends Calls {
        public void setData(String currentTime, String startTime, String span, int value1, int value2,
                int continueIdx, int continueIdx2) {
            record("setData", currentTime, startTime, span, value1, value2, continueIdx, continueIdx2);
        }

        public void addEntry(String alertStart, String tranName, String subTranName, String srcNetName,
                String dstNetName, String srcAlias, String dstAlias, int pathId, int flags, int dstPort, int dataCt,
                int tot, int net, int srv, int app, int wait, int worst, int totState, int netState, int srvState,
                int appState, int waitState, int maxState, int pathAlert, int pathState) {
            record("addEntry", alertStart, tranName, subTranName, srcNetName, dstNetName, srcAlias, dstAlias, pathId,
                    flags, dstPort, dataCt, tot, net, srv, app, wait, worst, totState, netState, srvState, appState,
                    waitState, maxState, pathAlert, pathState);
        }
    }

    // 2005-04-28 07:08:41 and 2005-01-05 01:02:03 UTC.
    static final int APR28 = 1114672121, JAN05 = 1104886923;

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    /** Entry k (1 or 2): texts at the documented offsets, word w from offset 400 on holds 100k + w. */
    static byte[] reply(boolean url, int count, int entries) {
        int stride = url ? 1496 : 468;
        Reply r = new Reply(36 + stride * entries).i32(4, url ? 37 : 24).i32(8, count).i32(12, 5001)
                .i32(16, 5002).i32(20, APR28 + 3725).i32(24, APR28).i32(28, 6001).i32(32, -6002);
        for (int k = 1; k <= entries; k++) {
            int e = 36 + stride * (k - 1);
            int p = e + (url ? 1028 : 0);
            r.text(e, k == 1 ? "orders" : "payments");
            if (url && k == 1) r.text(e + 64, "/cart/checkout?id=1");
            r.i32(p + 64, 100 * k + 1).u16(p + 76, 1234).u16(p + 78, k == 1 ? 65535 : 0x8000);
            r.text(p + 80, "10.0.0.1").text(p + 96, "net-src-" + k).text(p + 240, "10.0.0.2");
            if (k == 1) r.text(p + 224, "sa1").text(p + 256, "net-dst-1");
            r.text(p + 384, "da" + k);
            for (int w = 0; w < 17; w++) r.i32(p + 400 + 4 * w, 100 * k + 2 + w);
            r.i32(p + 428, k == 1 ? APR28 : JAN05);
        }
        return r.bytes();
    }

    // Words from offset 400: DataCt, Tot, Net, Srv, App, Wait, Path alerts, start, then Tot..Path, Max, worst
    // states and flags hold 100k+2 .. 100k+18.
    static final String NUMBERS_1 = "101, 118, 65535, 102, 103, 104, 105, 106, 107, 117, 110, 111, 112, 113, 114, "
            + "116, 108, 115]";
    static final String NUMBERS_2 = "201, 218, 32768, 202, 203, 204, 205, 206, 207, 217, 210, 211, 212, 213, 214, "
            + "216, 208, 215]";
    static final String STAMPS = "04/28/05 (08:10:46), 04/28/05 (07:08:41), Last 01 hours 02 mins 05 secs";

    @Test
    void currentAlertsPassEveryField() {
        int mark = TraceFile.mark();
        CurrentTarget t = new CurrentTarget();
        assertEquals(0, VYTreport.mapData(reply(false, 2, 2), t, 11));
        assertEquals(3, t.size());
        assertEquals("setData[" + STAMPS + ", 6001, -6002]", t.get(0).toString());
        assertEquals("addEntry[07:08:41<br>04/28, orders, net-src-1, net-dst-1, sa1, da1, " + NUMBERS_1,
                t.get(1).toString());
        assertEquals("addEntry[01:02:03<br>01/05, payments, net-src-2, , , da2, " + NUMBERS_2, t.get(2).toString());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nProcessCurrentAlertData Entry: buflen=972\n"), trace);
        assertTrue(trace.contains("] reportEntryCt=2 sumIntervalUTCNow=1114675846 sumIntervalUTCStart=1114672121\n"),
                trace);
        assertTrue(trace.contains("] currentTime<04/28/05 (08:10:46)> startTime<04/28/05 (07:08:41)> "
                + "timebuff<Last 01 hours 02 mins 05 secs>\n"), trace);
        assertTrue(trace.contains("\nIdx[1/2] tranName<orders> startTime<07:08:41<br>04/28> "
                + "pathFirstAlertUTCStart=1114672121 pathId=101 flags=118 pathIPSrcNetName<net-src-1> "
                + "pathIPDstNetName<net-dst-1> pathIPDstPort=65535 pathTotRespTimeDataCt=102 "
                + "pathTotRespTimeAlert=103 pathNetRespTimeAlert=104 pathSrvRespTimeAlert=105 "
                + "pathAppRespTimeAlert=106 pathWaitRespTimeAlert=107 worstComponentState=117 "
                + "pathTotRespTimeAlertState=110 pathNetRespTimeAlertState=111 pathSrvRespTimeAlertState=112 "
                + "pathAppRespTimeAlertState=113 pathWaitRespTimeAlertState=114 pathMaxRespTimeAlertState=116 "
                + "pathRespTimeAlert=108 pathRespTimeAlertState=115 \n"), trace);
        assertTrue(trace.contains("\nIdx[2/2] tranName<payments> startTime<01:02:03<br>01/05> "), trace);
        assertTrue(trace.contains("\nProcessCurrentAlertData Exit: status=0\n"), trace);
    }

    @Test
    void urlAlertsAddContinueIndexesAndTheURL() {
        int mark = TraceFile.mark();
        URLTarget t = new URLTarget();
        assertEquals(0, VYTreport.mapData(reply(true, 2, 2), t, 26));
        assertEquals(3, t.size());
        assertEquals("setData[" + STAMPS + ", 6001, -6002, 5001, 5002]", t.get(0).toString());
        assertEquals("addEntry[07:08:41<br>04/28, orders, /cart/checkout?id=1, net-src-1, net-dst-1, sa1, da1, "
                + NUMBERS_1, t.get(1).toString());
        assertEquals("addEntry[01:02:03<br>01/05, payments, , net-src-2, , , da2, " + NUMBERS_2,
                t.get(2).toString());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nProcessCurrentURLAlertData Entry: buflen=3028\n"), trace);
        assertTrue(trace.contains("] reportEntryCt=2 sumIntervalUTCNow=1114675846 sumIntervalUTCStart=1114672121 "
                + "reportEntryContinueIdx=5001 reportEntryContinueIdx2=5002\n"), trace);
        assertTrue(trace.contains("\nIdx[1/2] tranName<orders> subTranName</cart/checkout?id=1> "
                + "startTime<07:08:41<br>04/28> pathFirstAlertUTCStart=1114672121 pathId=101 flags=118 "), trace);
        assertTrue(trace.contains("\nIdx[2/2] tranName<payments> subTranName<> startTime<01:02:03<br>01/05> "),
                trace);
        assertTrue(trace.contains("\nProcessCurrentURLAlertData Exit: status=0\n"), trace);
    }

    @Test
    void noOrNegativeCountOnlySetData() {
        for (int count : new int[] {0, -3}) {
            int mark = TraceFile.mark();
            CurrentTarget c = new CurrentTarget();
            assertEquals(0, VYTreport.mapData(reply(false, count, 1), c, 11));
            URLTarget u = new URLTarget();
            assertEquals(0, VYTreport.mapData(reply(true, count, 1), u, 26));
            assertEquals("[setData]", c.calls.stream().map(x -> x.method).toList().toString());
            assertEquals("[setData]", u.calls.stream().map(x -> x.method).toList().toString());
            assertFalse(TraceFile.since(mark).contains("Idx["));
        }
    }
}
