import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.assertTrue;

import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/** Transaction list (1), transaction server (20) and transaction information (25) replies. */
class TransactionListTest {
    static class AllTransTarget extends Calls {
        public void setData(int collectorStartupTime, int flags) {
            record("setData", collectorStartupTime, flags);
        }

        public void addEntry(String tranName, int flags) {
            record("addEntry", tranName, flags);
        }
    }

    static class TranInfoTarget extends Calls {
        public void setData(String tranName, int collectorStartupTime, int flags) {
            record("setData", tranName, collectorStartupTime, flags);
        }
    }

    static class SrvLoadTarget extends Calls {
        public void addEntry(String tranName, String serverIPNetName, int serverId, int flags) {
            record("addEntry", tranName, serverIPNetName, serverId, flags);
        }
    }

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    static byte[] allTrans(int count, String... names) {
        Reply r = new Reply(28 + 68 * names.length).i32(8, count).i32(20, 1234567).i32(24, 0x80000041);
        for (int k = 0; k < names.length; k++) {
            r.text(28 + 68 * k, names[k]).i32(28 + 68 * k + 64, 0x100 + k);
        }
        return r.bytes();
    }

    @Test
    void allTransactionsInReplyOrderWithHeaderAndEntryFlags() {
        int mark = TraceFile.mark();
        AllTransTarget t = new AllTransTarget();
        assertEquals(0, VYTreport.mapData(allTrans(3, "abc", "", "third-transaction"), t, 1));
        assertEquals(4, t.size());
        assertEquals("setData[1234567, -2147483583]", t.get(0).toString());
        assertEquals("addEntry[abc, 256]", t.get(1).toString());
        assertEquals("addEntry[, 257]", t.get(2).toString());
        assertEquals("addEntry[third-transaction, 258]", t.get(3).toString());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nJava_VYTreport_mapData Entry: rep_type<1>\n"), trace);
        assertTrue(trace.contains("\nProcessAllTransData Entry: buflen=232 collectorStartupTime=1234567\n"), trace);
        assertTrue(trace.contains("Idx[1] tranName[abc" + " ".repeat(61)
                + "] flags<{100} REP_FLAGS_VIEW_OBSERVATIONS REP_URL_SEARCH_TYPE_EXACT_MATCH>\n"), trace);
        assertTrue(trace.contains("\nProcessAllTransData Exit: status=0\n"), trace);
        assertTrue(trace.contains("\nJava_VYTreport_mapData Exit: status=0\n"), trace);
    }

    @Test
    void allTransactionsWithNoOrNegativeCountOnlySetData() {
        for (int count : new int[] {0, -5}) {
            AllTransTarget t = new AllTransTarget();
            assertEquals(0, VYTreport.mapData(allTrans(count, "a"), t, 1));
            assertEquals(1, t.size());
            assertEquals("setData", t.get(0).method);
        }
    }

    @Test
    void transactionInformationOnlySetData() {
        int mark = TraceFile.mark();
        byte[] reply = new Reply(112).i32(8, 3).text(20, "orders").i32(104, 42).i32(108, -7).bytes();
        TranInfoTarget t = new TranInfoTarget();
        assertEquals(0, VYTreport.mapData(reply, t, 25));
        assertEquals(1, t.size());
        assertEquals("setData[orders, 42, -7]", t.get(0).toString());
        assertTrue(TraceFile.since(mark).contains(
                "\nProcessTranInfoData Entry: buflen=112 tranName<orders> collectorStartupTime=42 flags=-7\n"));
    }

    @Test
    void transactionServersShareOneNameString() {
        int mark = TraceFile.mark();
        Reply r = new Reply(92 + 2 * 152).i32(8, 2).text(20, "checkout");
        r.i32(92, 7).text(92 + 20, "db-1").i32(92 + 148, 0x2000);
        r.i32(244, 8).text(264, "web-2").i32(244 + 148, -1);
        SrvLoadTarget t = new SrvLoadTarget();
        assertEquals(0, VYTreport.mapData(r.bytes(), t, 20));
        assertEquals(2, t.size());
        assertEquals("addEntry[checkout, db-1, 7, 8192]", t.get(0).toString());
        assertEquals("addEntry[checkout, web-2, 8, -1]", t.get(1).toString());
        assertSame(t.get(0).arg(1), t.get(1).arg(1));
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nProcessTransSrvLoadData Entry: buflen=396 tranName<checkout>\n"), trace);
        assertTrue(trace.contains("Idx[2] serverId=8 serverIPNetName<web-2> flags=-1\n"), trace);
    }

    @Test
    void transactionServersWithNoEntriesMakeNoCall() {
        SrvLoadTarget t = new SrvLoadTarget();
        assertEquals(0, VYTreport.mapData(new Reply(92).text(20, "x").bytes(), t, 20));
        assertEquals(0, t.size());
    }
}
