import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/** getBufLength, the mapData checks and the rules every decoder follows. */
class MapDataTest {
    static class AllTrans extends Calls {
        public void setData(int startup, int flags) {
            record("setData", startup, flags);
        }

        public void addEntry(String name, int flags) {
            record("addEntry", name, flags);
        }
    }

    static class OnlySetData extends Calls {
        public void setData(int startup, int flags) {
            record("setData", startup, flags);
        }
    }

    static class Throwing extends AllTrans {
        @Override
        public void addEntry(String name, int flags) {
            super.addEntry(name, flags);
            throw new IllegalStateException("target refused " + name);
        }
    }

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    static byte[] allTrans(int n) {
        Reply r = new Reply(28 + 68 * n).i32(8, n).i32(20, 1).i32(24, 2);
        for (int k = 0; k < n; k++) r.text(28 + 68 * k, "t" + k).i32(28 + 68 * k + 64, k);
        return r.bytes();
    }

    static byte[] errorReply(String text) {
        return new Reply(35).i32(4, 1).text(8, text).bytes();
    }

    @Test
    void bufLength() {
        assertEquals(1132, VYTconnect.getBufLength(new byte[] {0x6C, 0x04, 0x00, 0x00}));
        assertEquals(-1, VYTconnect.getBufLength(new byte[] {-1, -1, -1, -1, 9}));
        int mark = TraceFile.mark();
        assertEquals(0, VYTconnect.getBufLength(new byte[] {1, 2, 3}));
        assertEquals(0, VYTconnect.getBufLength(null));
        String t = TraceFile.since(mark);
        assertTrue(t.contains("Error: getBufLength: 3 bytes hold no length word\n"), t);
        assertTrue(t.contains("Error: getBufLength: the reply array is null\n"), t);
    }

    @Test
    void emptyAndErrorReplies() {
        int mark = TraceFile.mark();
        AllTrans t = new AllTrans();
        assertEquals(1, VYTreport.mapData(new Reply(28).i32(0, 0).bytes(), t, 1));
        assertEquals(2, VYTreport.mapData(errorReply("FAIL_TRANNOTFOU"), t, 1));
        assertEquals(2, VYTreport.mapData(errorReply("FAIL_TRANNOTFOU"), t, 99));
        assertEquals(1, VYTreport.mapData(errorReply("FAIL_TRANNOTFOUND"), t, 1));
        assertEquals(1, VYTreport.mapData(errorReply("FAIL_OTHER"), t, 1));
        assertEquals(0, t.size());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("Error: zero buflen\n"), trace);
        assertTrue(trace.contains("Error: VYT Reported error\n"), trace);
        assertTrue(trace.contains("buflen<35>\n"), trace);
        assertFalse(trace.contains("mapData Exit"), trace);
    }

    @Test
    void reportTypesOutsideTheTable() {
        for (int type : new int[] {0, 33}) {
            int mark = TraceFile.mark();
            AllTrans t = new AllTrans();
            assertEquals(1, VYTreport.mapData(allTrans(1), t, type));
            assertEquals(0, t.size());
            String trace = TraceFile.since(mark);
            assertTrue(trace.contains("Error: rep_type=" + type + " invalid\n"), trace);
            assertTrue(trace.contains("\nJava_VYTreport_mapData Exit: status=1\n"), trace);
        }
    }

    @Test
    void validReplyGivesExactlyOneSequenceAndDumpsTheReply() {
        int mark = TraceFile.mark();
        AllTrans t = new AllTrans();
        assertEquals(0, VYTreport.mapData(allTrans(2), t, 1));
        assertEquals("[setData[1, 2], addEntry[t0, 0], addEntry[t1, 1]]", t.calls.toString());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nJava_VYTreport_mapData Entry: rep_type<1>\n"), trace);
        assertTrue(trace.contains("buflen<164>\n"), trace);
        assertTrue(trace.contains("> start<0> end<164>\n"), trace);
        assertTrue(trace.contains("   0 |a4 00 00 00 00 00 00 00 02 00 00 00 00 00 00 00 | |................|\n"),
                trace);
    }

    @Test
    void dumpRowsAndCharacters() {
        int mark = TraceFile.mark();
        byte[] reply = new Reply(17).bytes();
        reply[4] = ' ';
        reply[5] = '~';
        reply[16] = 'A';
        assertEquals(1, VYTreport.mapData(reply, new AllTrans(), 1)); // too short for any header
        String t = TraceFile.since(mark);
        assertTrue(t.contains("> start<0> end<17>\n"), t);
        assertTrue(t.contains("   0 |11 00 00 00 20 7e 00 00 00 00 00 00 00 00 00 00 | |.....~..........|\n"), t);
        assertTrue(t.contains("  10 |41 " + " ".repeat(45) + "| |A" + " ".repeat(15) + "|\n"), t);
        // A negative length word: the entry line only.
        mark = TraceFile.mark();
        assertEquals(0, VYTreport.mapData(new Reply(28).i32(0, -5).bytes(), new AllTrans(), 1));
        t = TraceFile.since(mark);
        assertTrue(t.contains("> start<0> end<-5>\n"), t);
        assertTrue(!t.contains("   0 |"), t);
    }

    @Test
    void flagsTextsInEntryLines() {
        int mark = TraceFile.mark();
        Reply r = new Reply(28 + 3 * 68).i32(8, 3).text(28, "a").i32(28 + 64, 0).text(96, "b").i32(96 + 64, 0x40)
                .text(164, "c").i32(164 + 64, 0x101);
        assertEquals(0, VYTreport.mapData(r.bytes(), new AllTrans(), 1));
        String t = TraceFile.since(mark);
        assertTrue(t.contains("] flags<{0}>\n"), t);
        assertTrue(t.contains("] flags<{40} REP_FLAGS_VIEW_TRAFFIC REP_FLAGS_VIEW_DISPATCH_RETURN>\n"), t);
        assertTrue(t.contains("] flags<{101} REP_FLAGS_CLIENT_PATH REP_FLAGS_VIEW_OBSERVATIONS "
                + "REP_URL_LIST_PRECEDENCE_INCLUDE_FIRST REP_URL_SEARCH_TYPE_EXACT_MATCH>\n"), t);
    }

    static class RuleTarget extends Calls {
        public void setData(String tranName, String subTranName, int flags, int returnCode) {
            record("setData", tranName, subTranName, flags, returnCode);
        }
    }

    @Test
    void ruleOperationTypesShareOneDecoder() {
        for (int type = 28; type <= 32; type++) {
            int mark = TraceFile.mark();
            RuleTarget target = new RuleTarget();
            assertEquals(0, VYTreport.mapData(new Reply(1136).bytes(), target, type));
            assertEquals(1, target.size());
            String t = TraceFile.since(mark);
            assertTrue(t.contains("\nProcessURLRuleOperation Entry: buflen=1136"), "type " + type + ": " + t);
        }
    }

    @Test
    void javaNullsAreRefused() {
        int mark = TraceFile.mark();
        assertEquals(1, VYTreport.mapData(null, new AllTrans(), 1));
        assertEquals(1, VYTreport.mapData(allTrans(1), null, 1));
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("Error: mapData: the reply array is null\n"), trace);
        assertTrue(trace.contains("Error: mapData: the target object is null\n"), trace);
    }

    @Test
    void missingCallbackMeansNoCallsAndNoSuchMethodErrorForTheCaller() {
        int mark = TraceFile.mark();
        OnlySetData t = new OnlySetData();
        NoSuchMethodError e = assertThrows(NoSuchMethodError.class, () -> VYTreport.mapData(allTrans(2), t, 1));
        assertTrue(e.getMessage().contains("addEntry"), e.getMessage());
        assertEquals(0, t.size());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("addEntry (Ljava/lang/String;I)V"), trace);
        assertTrue(trace.contains("\nProcessAllTransData Exit: status=1\n"), trace);
    }

    @Test
    void exceptionFromACallbackStopsTheDecodeAndReachesTheCaller() {
        Throwing t = new Throwing();
        IllegalStateException e = assertThrows(IllegalStateException.class, () -> VYTreport.mapData(allTrans(5), t, 1));
        assertEquals("target refused t0", e.getMessage());
        assertEquals(2, t.size());
        // The library is still usable afterwards.
        AllTrans ok = new AllTrans();
        assertEquals(0, VYTreport.mapData(allTrans(1), ok, 1));
        assertEquals(2, ok.size());
    }

    @Test
    void shortRepliesDecodeWhatFitsAndFail() {
        AllTrans t = new AllTrans();
        byte[] full = allTrans(3);
        byte[] cut = java.util.Arrays.copyOf(full, full.length - 10);
        assertEquals(1, VYTreport.mapData(cut, t, 1));
        assertEquals(3, t.size()); // setData and the two whole entries
        AllTrans none = new AllTrans();
        assertEquals(1, VYTreport.mapData(java.util.Arrays.copyOf(full, 20), none, 1));
        assertEquals(0, none.size());
        // A length word far beyond the array: only the array is read.
        byte[] lying = allTrans(1);
        lying[0] = 0;
        lying[1] = 0;
        lying[2] = 0;
        lying[3] = 0x40;
        AllTrans big = new AllTrans();
        assertEquals(0, VYTreport.mapData(lying, big, 1));
        assertEquals(2, big.size());
    }

    @Test
    void manyEntriesDoNotGrowTheLocalReferenceTable() {
        // -Xcheck:jni warns if local references pile up; the runner fails on any warning.
        AllTrans t = new AllTrans();
        assertEquals(0, VYTreport.mapData(allTrans(100_000), t, 1));
        assertEquals(100_001, t.size());
    }

    @Test
    void replyBytesBecomeValidStrings() {
        byte[] reply = allTrans(1);
        byte[] name = {'c', 'a', 'f', (byte) 0xE9, '|', (byte) 0xC3, (byte) 0xA9, '|', (byte) 0xF0, (byte) 0x9F,
            (byte) 0x98, (byte) 0x80, '|', (byte) 0xE2, (byte) 0x82, 0};
        System.arraycopy(name, 0, reply, 28, name.length);
        AllTrans t = new AllTrans();
        assertEquals(0, VYTreport.mapData(reply, t, 1));
        assertEquals("caf\u00e9|\u00e9|\ud83d\ude00|\u00e2\u0082", t.get(1).str(1));
    }

    @Test
    void theLibraryNeverWritesToTheReply() {
        byte[] reply = allTrans(3);
        byte[] copy = reply.clone();
        VYTreport.mapData(reply, new AllTrans(), 1);
        assertTrue(java.util.Arrays.equals(copy, reply));
    }
}
