import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/** Summary replies (14). */
class AlertSummaryTest {
    static class SummaryTarget extends Calls {
        public void setData(String now, String start, String span, int srcPort, int dstPort, int dataCt, int totMax,
                int netMax, int srvMax, int appMax, int waitMax, int intervalCtMax, int dataStart, int dataNow,
                int tranTotalCt, int flags, int value, int returnCode) {
            record("setData", now, start, span, srcPort, dstPort, dataCt, totMax, netMax, srvMax, appMax, waitMax,
                    intervalCtMax, dataStart, dataNow, tranTotalCt, flags, value, returnCode);
        }

        public void addEntry(String intervalStart, String intervalEnd, int secs, int dataCtSum, int tot, int totState,
                int net, int netState, int srv, int srvState, int app, int appState, int wait, int waitState,
                int path, int pathState, int flags) {
            record("addEntry", intervalStart, intervalEnd, secs, dataCtSum, tot, totState, net, netState, srv,
                    srvState, app, appState, wait, waitState, path, pathState, flags);
        }
    }

    // 2005-04-28 07:08:41, 07:00:00 and 23:59:30 UTC.
    static final int APR28 = 1114672121, AT0700 = 1114671600, AT235930 = 1114732770;

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    /** Entry k: flags 100k first, then the interval times, then word w (3..16) holds 100k + w. */
    static byte[] reply(int count, int entries) {
        Reply r = new Reply(1512 + 68 * entries).i32(4, 5).i32(8, count).i32(1120, 11).i32(1136, 12).i32(1140, 13)
                .i32(1144, 9996).i32(1148, 14).i32(1152, 15).i32(1156, 16).i32(1160, 17).u16(1164, 0x8001)
                .u16(1166, 65535).text(1168, "10.1.1.1").text(1184, "src-net").text(1312, "SRCALIAS")
                .text(1328, "10.2.2.2").text(1344, "dst-net").text(1472, "DSTALIAS").i32(1488, 18)
                .i32(1492, APR28).i32(1496, APR28 + 3725).i32(1500, 19).i32(1504, -20).i32(1508, 0x40);
        for (int k = 1; k <= entries; k++) {
            int e = 1512 + 68 * (k - 1);
            int start = k == 1 ? AT0700 : AT235930;
            r.i32(e, 100 * k).i32(e + 4, start).i32(e + 8, start + 300);
            for (int w = 3; w < 17; w++) r.i32(e + 4 * w, 100 * k + w);
        }
        return r.bytes();
    }

    @Test
    void summaryPassesHeaderAndIntervals() {
        int mark = TraceFile.mark();
        SummaryTarget t = new SummaryTarget();
        assertEquals(0, VYTreport.mapData(reply(2, 2), t, 14));
        assertEquals(3, t.size());
        assertEquals("setData[04/28/05 (08:10:46), 04/28/05 (07:08:41), Last 01 hours 02 mins 05 secs, 32769, 65535, "
                + "12, 13, 14, 15, 16, 17, 18, 1114672121, 1114675846, 11, 64, 19, -20]", t.get(0).toString());
        assertEquals("addEntry[04/28 07:00, 04/28 07:05, 103, 104, 105, 106, 109, 110, 111, 112, 113, 114, 115, 116, "
                + "107, 108, 100]", t.get(1).toString());
        assertEquals("addEntry[04/28 23:59, 04/29 00:04, 203, 204, 205, 206, 209, 210, 211, 212, 213, 214, 215, 216, "
                + "207, 208, 200]", t.get(2).toString());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nProcessSummaryData Entry: buflen=1648\n"), trace);
        assertTrue(trace.contains("] pathIPSrcAddress=10.1.1.1 pathIPSrcNetName=src-net pathIPDstAddress=10.2.2.2 "
                + "pathIPDstNetName=dst-net pathIPSrcPort=32769 pathIPDstPort=65535 pathTotRespTimeDataCt=12 "
                + "pathTotRespTimeAvgMax=13 pathNetRespTimeAvgMax=14 pathSrvRespTimeAvgMax=15 "
                + "pathAppRespTimeAvgMax=16 pathWaitRespTimeAvgMax=17 pathSumIntervalCtMax=18 "
                + "sumDataUTCStart=1114672121 sumDataUTCNow=1114675846 tranTotalCt=11 flags=64 "
                + "reportReturnCode=-20\n"), trace);
        assertTrue(trace.contains("\nIdx[1/2] intervalStartTime=<04/28 07:00>sumIntervalUTCStart=1114671600 "
                + "sumIntervalUTCEnd=1114671900 sumIntervalSecs=103 pathTotRespTimeDataCtSum=104 "
                + "pathTotRespTimeAvg=105 pathTotRespTimeAvgState=106 pathNetRespTimeAvg=109 "
                + "pathNetRespTimeAvgState=110 pathSrvRespTimeAvg=111 pathSrvRespTimeAvgState=112 "
                + "pathAppRespTimeAvg=113 pathAppRespTimeAvgState=114 pathWaitRespTimeAvg=115 "
                + "pathWaitRespTimeAvgState=116 pathRespTimeAvg=107 pathRespTimeAvgState=108 flags=100 \n"), trace);
        assertTrue(trace.contains("\nIdx[2/2] intervalStartTime=<04/28 23:59>sumIntervalUTCStart=1114732770 "),
                trace);
        assertTrue(trace.contains("\nProcessSummaryData Exit: status=0\n"), trace);
    }

    @Test
    void noOrNegativeCountOnlySetData() {
        for (int count : new int[] {0, -2}) {
            int mark = TraceFile.mark();
            SummaryTarget t = new SummaryTarget();
            assertEquals(0, VYTreport.mapData(reply(count, 1), t, 14));
            assertEquals(1, t.size());
            assertEquals("setData", t.get(0).method);
            assertFalse(TraceFile.since(mark).contains("Idx["));
        }
    }
}
