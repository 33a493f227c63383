import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.charset.StandardCharsets;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/** Request records of every report type, byte by byte, and their trace lines. */
class RequestRecordTest {
    /** reportId per report type 1..32 (index 0 unused). */
    static final int[] REPORT_ID = {0, 1, 2, 11, 12, 13, 14, 23, 19, 21, 17, 24, 15, 22, 5, 26, 25, 27, 29, 30, 31,
        32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43};

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    /** The record a type must give, built independently of the library. */
    static byte[] expected(int type, int view, int cont, int scroll, String tran, String sub, int path, int ip) {
        Reply r = new Reply(1132);
        r.i32(4, REPORT_ID[type]).i32(8, scroll).i32(12, cont).i32(20, ip).i32(24, path);
        if (type == 24 || type == 26) r.i32(16, ip);
        if (type == 29 || type == 30 || type == 31) r.i32(28, cont);
        if (type == 21) r.i32(28, ip);
        switch (type) {
            case 8: case 9: case 10: case 13: case 19: case 28: case 31: case 32:
                r.i32(1128, view);
                break;
            default:
                break;
        }
        r.bytes(40, tran.getBytes(StandardCharsets.UTF_8));
        if (!sub.equals("NOTRANSNAME")) r.bytes(104, sub.getBytes(StandardCharsets.UTF_8));
        return r.bytes();
    }

    @Test
    void everyReportTypeByteByByte() {
        for (int type = 1; type <= 32; type++) {
            int view = 0x1000000 + type, cont = 100 + type, scroll = 200 + type, path = 300 + type, ip = 400 + type;
            byte[] got = VYTservlet.buildVYTRequest(type, view, cont, scroll, "tran" + type, "/url/" + type, path, ip,
                    false);
            assertNotNull(got, "type " + type);
            assertArrayEquals(expected(type, view, cont, scroll, "tran" + type, "/url/" + type, path, ip), got,
                    "type " + type);
        }
    }

    @Test
    void documentedExamples() {
        byte[] r = VYTservlet.buildVYTRequest(1, 0, 0, 0, "abc", "NOTRANSNAME", 0, 0, false);
        assertEquals(1132, r.length);
        assertEquals(1132, Reply.i32(r, 0));
        assertEquals(1, Reply.i32(r, 4));
        assertEquals("abc", new String(r, 40, 3, StandardCharsets.US_ASCII));
        assertEquals(0, r[43]);
        for (int i = 104; i < 1128; i++) assertEquals(0, r[i]);

        r = VYTservlet.buildVYTRequest(24, 0, 5, 0, "abc", "NOTRANSNAME", 0, 7, false);
        assertEquals(35, Reply.i32(r, 4));
        assertEquals(5, Reply.i32(r, 12));
        assertEquals(7, Reply.i32(r, 16));
        assertEquals(7, Reply.i32(r, 20));

        r = VYTservlet.buildVYTRequest(29, 0, 12, 0, "abc", "NOTRANSNAME", 0, 0, false);
        assertEquals(40, Reply.i32(r, 4));
        assertEquals(12, Reply.i32(r, 28));

        r = VYTservlet.buildVYTRequest(21, 0, 0, 0, "abc", "NOTRANSNAME", 0, 3, false);
        assertEquals(32, Reply.i32(r, 4));
        assertEquals(3, Reply.i32(r, 20));
        assertEquals(3, Reply.i32(r, 28));

        r = VYTservlet.buildVYTRequest(31, 0x2000104, 0, 0, "abc", "NOTRANSNAME", 0, 0, false);
        assertEquals(42, Reply.i32(r, 4));
        assertEquals(0x2000104, Reply.i32(r, 1128));

        r = VYTservlet.buildVYTRequest(27, 0, 0, 0, "abc", "notransname", 0, 0, false);
        assertEquals("notransname", new String(r, 104, 11, StandardCharsets.US_ASCII));
    }

    @Test
    void invalidTypesAndArgumentsGiveNull() {
        int mark = TraceFile.mark();
        assertNull(VYTservlet.buildVYTRequest(0, 0, 0, 0, "abc", "NOTRANSNAME", 0, 0, false));
        assertNull(VYTservlet.buildVYTRequest(33, 0, 0, 0, "abc", "NOTRANSNAME", 0, 0, false));
        assertNull(VYTservlet.buildVYTRequest(1, 0, 0, 0, null, "NOTRANSNAME", 0, 0, false));
        assertNull(VYTservlet.buildVYTRequest(1, 0, 0, 0, "abc", null, 0, 0, false));
        assertNull(VYTservlet.buildVYTRequest(1, 0, 0, 0, "x".repeat(65), "NOTRANSNAME", 0, 0, false));
        assertNull(VYTservlet.buildVYTRequest(24, 0, 0, 0, "abc", "u".repeat(1025), 0, 0, false));
        assertNull(VYTservlet.buildVYTRequest(1, 0, 0, 0, "\u00e9".repeat(33), "NOTRANSNAME", 0, 0, false));
        String t = TraceFile.since(mark);
        assertTrue(t.contains("Error: type=0 invalid\n"), t);
        assertTrue(t.contains("Error: type=33 invalid\n"), t);
        assertTrue(t.contains("Error: invalid argument, transName<@"), t);
        assertTrue(t.contains("Error: invalid argument, subTransName<@"), t);
    }

    @Test
    void namesAreSentAsWholeUtf8() {
        String name = "caf\u00e9-\u20ac-\ud83d\ude00";
        byte[] utf8 = name.getBytes(StandardCharsets.UTF_8);
        byte[] r = VYTservlet.buildVYTRequest(1, 0, 0, 0, name, "NOTRANSNAME", 0, 0, false);
        for (int i = 0; i < utf8.length; i++) assertEquals(utf8[i], r[40 + i]);
        assertEquals(0, r[40 + utf8.length]);
        // Exactly the width: stored without a NUL, the next field untouched.
        r = VYTservlet.buildVYTRequest(1, 0, 0, 0, "n".repeat(64), "NOTRANSNAME", 0, 0, false);
        assertEquals("n".repeat(64), new String(r, 40, 64, StandardCharsets.US_ASCII));
        assertEquals(0, r[104]);
        r = VYTservlet.buildVYTRequest(24, 0, 0, 0, "t", "u".repeat(1024), 0, 0, false);
        assertEquals("u".repeat(1024), new String(r, 104, 1024, StandardCharsets.US_ASCII));
        assertEquals(0, Reply.i32(r, 1128));
    }

    @Test
    void traceLinesOfTheRuleOperationsAndPagedLists() {
        int mark = TraceFile.mark();
        VYTservlet.buildVYTRequest(24, 0, 5, 9, "abc", "NOTRANSNAME", 2, 7, true);
        VYTservlet.buildVYTRequest(26, 0, 6, 0, "abc", "NOTRANSNAME", 0, 8, true);
        VYTservlet.buildVYTRequest(27, 0, 4, 0, "abc", "NOTRANSNAME", 0, 0, true);
        VYTservlet.buildVYTRequest(28, 0x104, 0, 0, "abc", "/cart", 0, 0, true);
        VYTservlet.buildVYTRequest(29, 0, 12, 0, "abc", "NOTRANSNAME", 0, 0, true);
        VYTservlet.buildVYTRequest(30, 0, 13, 0, "abc", "NOTRANSNAME", 0, 0, true);
        VYTservlet.buildVYTRequest(31, 0x208, 14, 0, "abc", "/pay", 0, 0, true);
        VYTservlet.buildVYTRequest(32, 0x2, 0, 0, "abc", "NOTRANSNAME", 0, 0, true);
        String t = TraceFile.since(mark);
        assertTrue(t.contains(
                "\nbuildVYTRequest Entry: type<24> view<0> continueIdx<5> scrollAmount<9> pathId<2> IPaddr<7>\n"), t);
        assertTrue(t.contains("transName 3<abc>\n"), t);
        assertTrue(t.contains("subTransName 11<NOTRANSNAME>\n"), t);
        assertTrue(t.contains("VYT_SUB_TRAN_LIST_TYPE: continueIdx<5> continueIdx2<7>\n"), t);
        assertTrue(t.contains("VYT_CURRENT_URL_STATES: continueIdx<6> continueIdx2<8>\n"), t);
        assertTrue(t.contains("VYT_TRANSACTION_INCLUDE_EXCLUDE_URL_LIST_TYPE: continueIdx<4>\n"), t);
        assertTrue(t.contains("VYT_ADD_TRANSACTION_INCLUDE_EXCLUDE_TYPE: tranName<abc> subTranName</cart> "
                + "flags<{104} REP_FLAGS_END_PATH REP_FLAGS_VIEW_OBSERVATIONS REP_URL_LIST_TYPE_INCLUDE "
                + "REP_URL_SEARCH_TYPE_EXACT_MATCH>\n"), t);
        assertTrue(t.contains("VYT_REMOVE_TRANSACTION_INCLUDE_EXCLUDE_TYPE: urlListRuleId<12>\n"), t);
        assertTrue(t.contains("VYT_GET_TRANSACTION_INCLUDE_EXCLUDE_TYPE: urlListRuleId<13>\n"), t);
        assertTrue(t.contains("VYT_EDIT_TRANSACTION_INCLUDE_EXCLUDE_TYPE: tranName<abc> subTranName</pay> "
                + "urlListRuleId<14> flags<{208} REP_FLAGS_CLIENT_AND_END_PATH REP_FLAGS_VIEW_ALL "
                + "REP_URL_LIST_TYPE_EXCLUDE REP_URL_SEARCH_TYPE_BEGINS_WITH>\n"), t);
        assertTrue(t.contains(
                "VYT_CHANGE_TRANSACTION_INCLUDE_EXCLUDE_URL_LIST_PRECEDENCE_TYPE: tranName<abc>\n"), t);
        assertTrue(t.contains("PrintDump Entry: ptr<@"), t);
        assertTrue(t.contains("> start<0> end<1132>\n"), t);
        assertTrue(t.contains(" 460 |"), t); // the last of 71 dump rows
        assertTrue(t.contains("\nbuildVYTRequest Exit: reportId=35 reportLen=1132\n"), t);
        assertTrue(t.contains("\nbuildVYTRequest Exit: reportId=43 reportLen=1132\n"), t);
    }

    @Test
    void aRequestWithoutTraceWritesNoEntryLine() {
        int mark = TraceFile.mark();
        VYTservlet.buildVYTRequest(2, 0, 0, 0, "quiet", "NOTRANSNAME", 0, 0, false);
        String t = TraceFile.since(mark);
        assertTrue(!t.contains("buildVYTRequest Entry"), t);
        assertTrue(t.contains("transName 5<quiet>\n"), t);
    }
}
