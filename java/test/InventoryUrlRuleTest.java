import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/** Sub-transaction list (24), URL rule list (27) and rule operation (28 to 32) replies. */
class InventoryUrlRuleTest {
    static class SubTranListTarget extends Calls {
        public void setData(String tranName, int collectorStartupTime, int flags, int reportEntryCt,
                int reportEntryContinueIdx, int reportEntryContinueIdx2) {
            record("setData", tranName, collectorStartupTime, flags, reportEntryCt, reportEntryContinueIdx,
                    reportEntryContinueIdx2);
        }

        public void addEntry(String subTranName, int subTranNameLen, int flags) {
            record("addEntry", subTranName, subTranNameLen, flags);
        }
    }

    static class RulesTarget extends Calls {
        public void setData(String tranName, int collectorStartupTime, int flags, int reportEntryCt,
                int reportEntryContinueIdx) {
            record("setData", tranName, collectorStartupTime, flags, reportEntryCt, reportEntryContinueIdx);
        }

        public void addEntry(String urlName, int urlLen, int urlRuleId, int hitCt, int flags) {
            record("addEntry", urlName, urlLen, urlRuleId, hitCt, flags);
        }
    }

    static class RuleOperationTarget extends Calls {
        public void setData(String tranName, String subTranName, int reportReturnCode, int flags) {
            record("setData", tranName, subTranName, reportReturnCode, flags);
        }
    }

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    static Reply subTranList(int count) {
        Reply r = new Reply(448 + 1032 * 2).i32(8, count).i32(12, 40).i32(16, 7).text(20, "shop").i32(440, 555)
                .i32(444, 0x2000000);
        r.text(448, "/cart?id=1").i32(448 + 1024, 999).i32(448 + 1028, 0x100);
        r.i32(1480 + 1024, 0).i32(1480 + 1028, -3);  // entry 2: empty name
        return r;
    }

    @Test
    void subTransactionPage() {
        int mark = TraceFile.mark();
        SubTranListTarget t = new SubTranListTarget();
        assertEquals(0, VYTreport.mapData(subTranList(2).bytes(), t, 24));
        assertEquals(3, t.size());
        assertEquals("setData[shop, 555, 33554432, 2, 40, 7]", t.get(0).toString());
        assertEquals("addEntry[/cart?id=1, 999, 256]", t.get(1).toString());
        assertEquals("addEntry[, 0, -3]", t.get(2).toString());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nProcessSubTranListData Entry: buflen=2512\n"), trace);
        assertTrue(trace.contains("tranName<shop> collectorStartupTime=555 reportEntryCt=2 reportEntryContinueIdx=40 "
                + "reportEntryContinueIdx2=7\n"), trace);
        assertTrue(trace.contains("\nIdx[1/2] subTranName</cart?id=1> subTranNameLen=999 flags=256\n"), trace);
        assertTrue(trace.contains("\nIdx[2/2] subTranName<> subTranNameLen=0 flags=-3\n"), trace);
        assertTrue(trace.contains("\nProcessSubTranListData Exit: status=0\n"), trace);
    }

    @Test
    void subTransactionPageWithNoOrNegativeCountOnlySetData() {
        for (int count : new int[] {0, -1}) {
            SubTranListTarget t = new SubTranListTarget();
            assertEquals(0, VYTreport.mapData(subTranList(count).bytes(), t, 24));
            assertEquals(1, t.size());
            assertEquals(count, t.get(0).num(4));
        }
    }

    static Reply rules(int count) {
        Reply r = new Reply(92 + 1040 * 2).i32(8, count).i32(12, 12).i32(16, 99).text(20, "portal").i32(84, 1234)
                .i32(88, 0x15);
        r.text(92, "/a").i32(92 + 1024, 2).i32(92 + 1028, 31).i32(92 + 1032, 1000).i32(92 + 1036, 0x200);
        r.text(1132, "/bb").i32(1132 + 1024, 30).i32(2160, 32).i32(1132 + 1032, 0).i32(2168, 0x800);
        return r;
    }

    @Test
    void ruleListPage() {
        int mark = TraceFile.mark();
        RulesTarget t = new RulesTarget();
        assertEquals(0, VYTreport.mapData(rules(2).bytes(), t, 27));
        assertEquals(3, t.size());
        assertEquals("setData[portal, 1234, 21, 2, 12]", t.get(0).toString());
        assertEquals("addEntry[/a, 2, 31, 1000, 512]", t.get(1).toString());
        assertEquals("addEntry[/bb, 30, 32, 0, 2048]", t.get(2).toString());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nProcessIncludeExcludeRulesData Entry: buflen=2172\n"), trace);
        assertTrue(trace.contains("tranName<portal> collectorStartupTime=1234 reportEntryCt=2 reportEntryContinueIdx=12 "
                + "flags<{15} REP_FLAGS_CLIENT_PATH REP_FLAGS_END_PATH REP_FLAGS_VIEW_DISTRIBUTIONS "
                + "REP_URL_LIST_PRECEDENCE_INCLUDE_FIRST REP_URL_LIST_TYPE_INCLUDE REP_URL_LIST_HAS_INCLUDE>\n"), trace);
        assertTrue(trace.contains("\nIdx[1/2] urlName</a> urlLen=2 urlRuleId=31 hitCt=1000 "
                + "flags<{200} REP_FLAGS_VIEW_ALL REP_URL_SEARCH_TYPE_BEGINS_WITH>\n"), trace);
        assertTrue(trace.contains("\nIdx[2/2] urlName</bb> urlLen=30 urlRuleId=32 hitCt=0 "
                + "flags<{800} REP_FLAGS_IP_SRC_ALIAS REP_URL_SEARCH_TYPE_ENDS_WITH>\n"), trace);
        assertTrue(trace.contains("\nProcessIncludeExcludeRulesData Exit: status=0\n"), trace);
    }

    @Test
    void ruleListWithNoOrNegativeCountOnlySetData() {
        for (int count : new int[] {0, -1}) {
            RulesTarget t = new RulesTarget();
            assertEquals(0, VYTreport.mapData(rules(count).bytes(), t, 27));
            assertEquals(1, t.size());
            assertEquals("setData", t.get(0).method);
        }
    }

    static byte[] ruleOperation(int reportId, int ruleId, String url) {
        return new Reply(1132).i32(4, reportId).i32(28, ruleId).i32(32, 4).text(40, "portal").text(104, url)
                .i32(1128, 0x402).bytes();
    }

    @Test
    void everyRuleOperationDecodesAlike() {
        for (int type = 28; type <= 32; type++) {
            int mark = TraceFile.mark();
            RuleOperationTarget t = new RuleOperationTarget();
            assertEquals(0, VYTreport.mapData(ruleOperation(11 * type, type, "/login"), t, type));
            assertEquals(1, t.size());
            assertEquals("setData[portal, /login, 4, 1026]", t.get(0).toString());
            String trace = TraceFile.since(mark);
            assertTrue(trace.contains("\nProcessURLRuleOperation Entry: buflen=1132\n"), trace);
            assertTrue(trace.contains("tranName<portal> subTranName</login> reportReturnCode=4 flags<{402} "
                    + "REP_FLAGS_MIDDLE_PATH REP_FLAGS_LEARN_THRESHOLDS_MODE_ACTIVE "
                    + "REP_URL_LIST_PRECEDENCE_EXCLUDE_FIRST REP_URL_SEARCH_TYPE_CONTAINS>\n"), trace);
            assertTrue(trace.contains("\nProcessURLRuleOperation Exit: status=0\n"), trace);
        }
    }

    @Test
    void ruleOperationWithEmptyUrl() {
        RuleOperationTarget t = new RuleOperationTarget();
        assertEquals(0, VYTreport.mapData(ruleOperation(43, 0, ""), t, 32));
        assertEquals("setData[portal, , 4, 1026]", t.get(0).toString());
    }
}
