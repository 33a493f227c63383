import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/** Event alert replies (15). */
class AlertEventTest {
    static class EventTarget extends Calls {
        public void setData(String now, int value1, int value2) {
            record("setData", now, value1, value2);
        }

        public void addEntry(String eventStart, String tranName, String srcNetName, String dstNetName,
                String srcAlias, String dstAlias, int duration, int srcPort, int dstPort, int pathId, int tranCtMax,
                int dataCt, int type, int time, int state, int typeAndState, int curState, int flags) {
            record("addEntry", eventStart, tranName, srcNetName, dstNetName, srcAlias, dstAlias, duration, srcPort,
                    dstPort, pathId, tranCtMax, dataCt, type, time, state, typeAndState, curState, flags);
        }
    }

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    /** "Now" is 1000; entry 1 started at 400 and entry 2 at 1010 (after "now"). */
    static byte[] reply(int count, int entries) {
        Reply r = new Reply(32 + 432 * entries).i32(4, 26).i32(8, count).i32(12, 7001).i32(16, 7002).i32(20, 1000)
                .i32(24, 3001).i32(28, -3002);
        for (int k = 1; k <= entries; k++) {
            int e = 32 + 432 * (k - 1);
            int b = 100 * k;
            r.i32(e + 64, b + 1).i32(e + 68, 7777).i32(e + 72, b + 2);
            r.u16(e + 76, k == 1 ? 0x8000 : 443).u16(e + 78, k == 1 ? 80 : 65535);
            r.text(e + 80, "10.0.0.1").text(e + 240, "10.0.0.2").text(e + 224, "sa" + k).text(e + 256, "net-dst-" + k);
            if (k == 1) r.text(e, "orders").text(e + 96, "net-src-1").text(e + 384, "da1");
            r.i32(e + 400, b + 3).i32(e + 404, b + 4).i32(e + 408, b + 5).i32(e + 412, k == 1 ? 400 : 1010);
            r.i32(e + 416, b + 6).i32(e + 420, k == 1 ? 5 : b + 7).i32(e + 424, k == 1 ? 9 : b + 8);
            r.i32(e + 428, b + 9);
        }
        return r.bytes();
    }

    @Test
    void eventsPassDurationAndTypeAndStateBeforeCurrentState() {
        int mark = TraceFile.mark();
        EventTarget t = new EventTarget();
        assertEquals(0, VYTreport.mapData(reply(2, 2), t, 15));
        assertEquals(3, t.size());
        assertEquals("setData[01/01/-30 (00:16:40), 3001, -3002]", t.get(0).toString());
        assertEquals("addEntry[00:06:40<br>01/01, orders, net-src-1, net-dst-1, sa1, da1, 600, 32768, 80, 101, 102, "
                + "103, 104, 105, 106, 9, 5, 109]", t.get(1).toString());
        assertEquals("addEntry[00:16:50<br>01/01, , , net-dst-2, sa2, , -10, 443, 65535, 201, 202, 203, 204, 205, "
                + "206, 208, 207, 209]", t.get(2).toString());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nProcessEventAlertData Entry: buflen=896\n"), trace);
        assertTrue(trace.contains("] reportEntryCt=2 \n"), trace);
        assertTrue(trace.contains("] sumIntervalUTCNow=1000 pathEventUTCStart=400 duration=600\n"), trace);
        assertTrue(trace.contains("\nIdx[1/2] tranName<orders> startTime<00:06:40<br>01/01> "
                + "pathIPSrcNetName<net-src-1> pathIPDstNetName<net-dst-1> pathIPSrcAlias<sa1> pathIPDstAlias<da1> "
                + "duration=600 pathIPSrcPort=32768 pathIPDstPort=80 pathId=101 pathTranCtMax=102"
                + "pathTotRespTimeDataCt=103 repEntry->pathEventType=104 pathEventTime=105 pathEventState=106 "
                + "pathEventCurState=5 pathEventTypeAndState=9 flags=109 \n"), trace);
        assertTrue(trace.contains("] sumIntervalUTCNow=1000 pathEventUTCStart=1010 duration=-10\n"), trace);
        assertTrue(trace.contains("\nIdx[2/2] tranName<> startTime<00:16:50<br>01/01> pathIPSrcNetName<> "), trace);
        assertTrue(trace.contains("\nProcessEventAlertData Exit: status=0\n"), trace);
    }

    @Test
    void startTextInLocalTime() {
        // 2005-04-28 07:08:41 UTC.
        byte[] b = new Reply(32 + 432).i32(8, 1).i32(20, 1114672121 + 5).i32(32 + 412, 1114672121).bytes();
        EventTarget t = new EventTarget();
        assertEquals(0, VYTreport.mapData(b, t, 15));
        assertEquals("07:08:41<br>04/28", t.get(1).str(1));
        assertEquals(5, t.get(1).num(7));
    }

    @Test
    void noOrNegativeCountOnlySetData() {
        for (int count : new int[] {0, -1}) {
            int mark = TraceFile.mark();
            EventTarget t = new EventTarget();
            assertEquals(0, VYTreport.mapData(reply(count, 1), t, 15));
            assertEquals(1, t.size());
            assertEquals("setData", t.get(0).method);
            String trace = TraceFile.since(mark);
            assertTrue(trace.contains("] reportEntryCt=" + count + " \n"), trace);
            assertFalse(trace.contains("Idx["), trace);
            assertFalse(trace.contains("duration="), trace);
        }
    }
}
