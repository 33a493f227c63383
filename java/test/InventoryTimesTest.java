import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/** Current performance (3), reportability (22) and reportability detail (23) replies; the JVM runs with TZ=UTC. */
class InventoryTimesTest {
    /** 2005-04-28 07:08:41 UTC. */
    static final int APRIL_2005 = 1114672121;

    static class CurPerfTarget extends Calls {
        public void setData(String now, String start, String duration, String allStateText,
                String nodeRespTimeStateText, String pathRespTimeStateText, String networkStateText,
                String serverStateText, String sixthStateText, String waitStateText, int allState,
                int nodeRespTimeState, int waitState, int networkState, int serverState, int pathRespTimeState,
                int collectorStartupTime, int flags) {
            record("setData", now, start, duration, allStateText, nodeRespTimeStateText, pathRespTimeStateText,
                    networkStateText, serverStateText, sixthStateText, waitStateText, allState, nodeRespTimeState,
                    waitState, networkState, serverState, pathRespTimeState, collectorStartupTime, flags);
        }
    }

    static class ReportabilityTarget extends Calls {
        public void setData(String now, String startup, String duration, int collectorStartupTime) {
            record("setData", now, startup, duration, collectorStartupTime);
        }

        public void addEntry(String tranName, String tranTime, int msrvCtTotal, int msrvCtOnline, int flags) {
            record("addEntry", tranName, tranTime, msrvCtTotal, msrvCtOnline, flags);
        }
    }

    static class ReportabilityDetailTarget extends Calls {
        public void setData(String tranName, String now, String startup, String duration, int collectorStartupTime) {
            record("setData", tranName, now, startup, duration, collectorStartupTime);
        }

        public void addEntry(String msrvIPAddress, String msrvIPNetName, String msrvTime, int flags) {
            record("addEntry", msrvIPAddress, msrvIPNetName, msrvTime, flags);
        }
    }

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    @Test
    void currentPerformanceTextsInBlockOrderStatesInTheirOwn() {
        int mark = TraceFile.mark();
        Reply r = new Reply(512).i32(4, 11).i32(8, 9);
        String[] texts = {"allT", "nodeT", "pathT", "netT", "srvT", "sixT", "waitT"};
        int[] states = {1, 2, 5, 4, 6, 77, 3};  // blocks 1..7; block 6's state is not read
        for (int b = 0; b < 7; b++) {
            r.i32(20 + 68 * b, states[b]).text(24 + 68 * b, texts[b]);
        }
        r.i32(496, APRIL_2005 + 3725).i32(500, APRIL_2005).i32(504, 31337).i32(508, 0x80);
        CurPerfTarget t = new CurPerfTarget();
        assertEquals(0, VYTreport.mapData(r.bytes(), t, 3));
        assertEquals(1, t.size());
        assertEquals("setData[04/28/05 (08:10:46), 04/28/05 (07:08:41), Last 01 hours 02 mins 05 secs, "
                + "allT, nodeT, pathT, netT, srvT, sixT, waitT, 1, 2, 3, 4, 6, 5, 31337, 128]", t.get(0).toString());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nProcessCurPerfData Entry: buflen=512\n"), trace);
        assertTrue(trace.contains("reportLen=512 reportId=11 allState=1 nodeRespTimeState=2 waitState=3 "
                + "networkState=4 serverState=6 pathRespTimeState=5 collectorStartupTime=31337 flags=128 \n"), trace);
        assertTrue(trace.contains("\nProcessCurPerfData Exit: status=0\n"), trace);
    }

    @Test
    void currentPerformanceWithEmptyTextsAndEqualTimes() {
        Reply r = new Reply(512).i32(496, APRIL_2005).i32(500, APRIL_2005);
        CurPerfTarget t = new CurPerfTarget();
        assertEquals(0, VYTreport.mapData(r.bytes(), t, 3));
        assertEquals("setData[04/28/05 (07:08:41), 04/28/05 (07:08:41), Last 00 mins 00 secs, , , , , , , , "
                + "0, 0, 0, 0, 0, 0, 0, 0]", t.get(0).toString());
    }

    static Reply reportability(int count, int entries) {
        Reply r = new Reply(32 + 80 * entries).i32(8, count).i32(20, APRIL_2005 + 125).i32(24, APRIL_2005);
        int[] times = {90061, -1, 0};
        for (int k = 0; k < entries; k++) {
            int e = 32 + 80 * k;
            r.i32(e, 10 + k).i32(e + 4, 5 + k).text(e + 8, k == 2 ? "" : "tran" + k).i32(e + 72, times[k])
                    .i32(e + 76, -100 - k);
        }
        return r;
    }

    @Test
    void reportabilityOverviewWithNoTransactionsReceived() {
        int mark = TraceFile.mark();
        ReportabilityTarget t = new ReportabilityTarget();
        assertEquals(0, VYTreport.mapData(reportability(3, 3).bytes(), t, 22));
        assertEquals(4, t.size());
        assertEquals("setData[04/28/05 (07:10:46), 04/28/05 (07:08:41), Last 02 mins 05 secs, " + APRIL_2005 + "]",
                t.get(0).toString());
        assertEquals("addEntry[tran0, 01 01:01:01, 10, 5, -100]", t.get(1).toString());
        assertEquals("addEntry[tran1, NO_TRANS_RECV, 11, 6, -101]", t.get(2).toString());
        assertEquals("addEntry[, 00 00:00:00, 12, 7, -102]", t.get(3).toString());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nProcessReportabilityData Entry: buflen=272\n"), trace);
        assertTrue(trace.contains("collectorStartupTime=" + APRIL_2005 + " secsUTCNow=" + (APRIL_2005 + 125)
                + " Duration<Last 02 mins 05 secs>\n"), trace);
        assertTrue(trace.contains(
                "\nIdx[1/3] tranName<tran0> msrvCtTotal=10 msrvCtOnline=5 tranTime<01 01:01:01> flags=-100 \n"), trace);
        assertTrue(trace.contains(
                "\nIdx[2/3] tranName<tran1> msrvCtTotal=11 msrvCtOnline=6 tranTime<NO_TRANS_RECV> flags=-101 \n"), trace);
        assertTrue(trace.contains(
                "\nIdx[3/3] tranName<> msrvCtTotal=12 msrvCtOnline=7 tranTime<00 00:00:00> flags=-102 \n"), trace);
        assertFalse(trace.contains("FormatStatusTime Entry: t=-1 "), trace);
        assertTrue(trace.contains("\nProcessReportabilityData Exit: status=0\n"), trace);
    }

    @Test
    void reportabilityWithNoOrNegativeCountOnlySetData() {
        for (int count : new int[] {0, -1}) {
            ReportabilityTarget t = new ReportabilityTarget();
            assertEquals(0, VYTreport.mapData(reportability(count, 1).bytes(), t, 22));
            assertEquals(1, t.size());
            assertEquals("setData", t.get(0).method);
        }
    }

    static Reply reportabilityDetail(int count) {
        Reply r = new Reply(96 + 152 * 2).i32(8, count).text(20, "checkout").i32(84, APRIL_2005 + 3725)
                .i32(88, APRIL_2005);
        r.text(96, "10.0.0.1").text(112, "db.example").i32(240, 90061).i32(244, 7);
        r.i32(248 + 144, -1).i32(248 + 148, 0x4000);  // entry 2: empty texts
        return r;
    }

    @Test
    void reportabilityDetailRunsMinusOneThroughTheFormatter() {
        int mark = TraceFile.mark();
        ReportabilityDetailTarget t = new ReportabilityDetailTarget();
        assertEquals(0, VYTreport.mapData(reportabilityDetail(2).bytes(), t, 23));
        assertEquals(3, t.size());
        assertEquals("setData[checkout, 04/28/05 (08:10:46), 04/28/05 (07:08:41), Last 01 hours 02 mins 05 secs, "
                + APRIL_2005 + "]", t.get(0).toString());
        assertEquals("addEntry[10.0.0.1, db.example, 01 01:01:01, 7]", t.get(1).toString());
        assertEquals("addEntry[, , 00 00:00:-01, 16384]", t.get(2).toString());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nProcessReportabilityDetailData Entry: buflen=400\n"), trace);
        assertTrue(trace.contains("tranName<checkout> collectorStartupTime=" + APRIL_2005 + " secsUTCNow="
                + (APRIL_2005 + 3725) + " \n"), trace);
        assertTrue(trace.contains(
                "\nIdx[1/2] msrvIPAddress<10.0.0.1> msrvIPNetName<db.example> timebuff<01 01:01:01> flags=7\n"), trace);
        assertTrue(trace.contains("\nIdx[2/2] msrvIPAddress<> msrvIPNetName<> timebuff<00 00:00:-01> flags=16384\n"),
                trace);
        assertTrue(trace.contains("\nProcessReportabilityDetailData Exit: status=0\n"), trace);
    }

    @Test
    void reportabilityDetailWithNoOrNegativeCountOnlySetData() {
        for (int count : new int[] {0, -7}) {
            ReportabilityDetailTarget t = new ReportabilityDetailTarget();
            assertEquals(0, VYTreport.mapData(reportabilityDetail(count).bytes(), t, 23));
            assertEquals(1, t.size());
            assertEquals("setData", t.get(0).method);
        }
    }
}
