import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.assertTrue;

import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/** Path (2) and path port (16) replies. */
class InventoryPathTest {
    static class PathTarget extends Calls {
        public void addEntry(String tranName, String pathIPSrcNetName, String pathIPDstNetName,
                String pathIPSrcAlias, String pathIPDstAlias, String pathEndIPDstNetName, String pathEndIPDstAlias,
                int pathIPSrcPort, int pathIPDstPort, int pathId, int pathEndId, int pathEndIPSrcPort,
                int pathEndIPDstPort, int flags) {
            record("addEntry", tranName, pathIPSrcNetName, pathIPDstNetName, pathIPSrcAlias, pathIPDstAlias,
                    pathEndIPDstNetName, pathEndIPDstAlias, pathIPSrcPort, pathIPDstPort, pathId, pathEndId,
                    pathEndIPSrcPort, pathEndIPDstPort, flags);
        }
    }

    static class PathPortTarget extends Calls {
        public void setData(String tranName, String pathIPSrcAddress, String pathIPSrcNetName, String pathIPSrcAlias,
                String pathIPDstAddress, String pathIPDstNetName, String pathIPDstAlias, int pathId,
                int pathIPSrcPortCt, int pathIPDstPortCt, int collectorStartupTime, int flags) {
            record("setData", tranName, pathIPSrcAddress, pathIPSrcNetName, pathIPSrcAlias, pathIPDstAddress,
                    pathIPDstNetName, pathIPDstAlias, pathId, pathIPSrcPortCt, pathIPDstPortCt, collectorStartupTime,
                    flags);
        }

        public void addEntry(int pathIPPort, int flags) {
            record("addEntry", pathIPPort, flags);
        }
    }

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    /** A path reply: 100-byte header, 508-byte entries; the word at offset 8 holds 5 and counts nothing. */
    static Reply pathReply(int pathCt, int entries) {
        Reply r = new Reply(100 + 508 * entries).i32(8, 5).text(20, "orders").i32(88, pathCt);
        for (int k = 0; k < entries; k++) {
            int e = 100 + 508 * k;
            r.i32(e, 10 + k).u16(e + 12, 0xFFFF - k).u16(e + 14, 0x8000 + k).i32(e + 16, 20 + k);
            r.u16(e + 20, 0x9000 + k).u16(e + 22, 80 + k);
            r.text(e + 24, "10.0.0.9").text(e + 40, "srcNet" + k).text(e + 168, "srcAl" + k);
            r.text(e + 184, "10.0.1.9").text(e + 200, "dstNet" + k).text(e + 328, "dstAl" + k);
            r.text(e + 344, "10.0.2.9").text(e + 360, "endNet" + k).text(e + 488, "endAl" + k);
            r.i32(e + 504, 0x100 * (k + 1));
        }
        return r;
    }

    @Test
    void pathsWithHighPortsAndOneSharedName() {
        int mark = TraceFile.mark();
        PathTarget t = new PathTarget();
        assertEquals(0, VYTreport.mapData(pathReply(2, 2).bytes(), t, 2));
        assertEquals(2, t.size());
        assertEquals("addEntry[orders, srcNet0, dstNet0, srcAl0, dstAl0, endNet0, endAl0, 65535, 32768, 10, 20, 36864, "
                + "80, 256]", t.get(0).toString());
        assertEquals("addEntry[orders, srcNet1, dstNet1, srcAl1, dstAl1, endNet1, endAl1, 65534, 32769, 11, 21, 36865, "
                + "81, 512]", t.get(1).toString());
        assertSame(t.get(0).arg(1), t.get(1).arg(1));
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nProcessTransPathData Entry: buflen=1116 tranName<orders>\n"), trace);
        assertTrue(trace.contains("Idx[1] pathIPSrcNetName{srcNet0 : 65535} pathIPDstNetName{dstNet0 : 32768} "
                + "pathEndIPDstNetName<endNet0> pathEndIPDstAlias<endAl0> pathId=10 pathEndId=20 "
                + "pathEndIPSrcPort=36864 pathEndIPDstPort=80 flags=256\n"), trace);
        assertTrue(trace.contains("Idx[2] pathIPSrcNetName{srcNet1 : 65534} pathIPDstNetName{dstNet1 : 32769} "
                + "pathEndIPDstNetName<endNet1> pathEndIPDstAlias<endAl1> pathId=11 pathEndId=21 "
                + "pathEndIPSrcPort=36865 pathEndIPDstPort=81 flags=512\n"), trace);
        assertTrue(trace.contains("\nProcessTransPathData Exit: status=0\n"), trace);
    }

    @Test
    void pathsWithNoOrNegativeCountMakeNoCall() {
        for (int pathCt : new int[] {0, -2}) {
            PathTarget t = new PathTarget();
            assertEquals(0, VYTreport.mapData(pathReply(pathCt, 1).bytes(), t, 2));
            assertEquals(0, t.size());
        }
    }

    @Test
    void pathWithEmptyTexts() {
        PathTarget t = new PathTarget();
        assertEquals(0, VYTreport.mapData(new Reply(608).i32(88, 1).i32(100, 3).bytes(), t, 2));
        assertEquals("addEntry[, , , , , , , 0, 0, 3, 0, 0, 0, 0]", t.get(0).toString());
    }

    static Reply portReply(int count, int entries) {
        Reply r = new Reply(424 + 8 * entries).i32(8, count).text(20, "pay").i32(84, 7).i32(88, 3);
        r.text(92, "10.1.1.1").text(108, "srcHost").text(236, "sA").i32(252, 4);
        r.text(256, "10.2.2.2").text(272, "dstHost").text(400, "dA").i32(416, 1114672121).i32(420, -8);
        for (int k = 0; k < entries; k++) {
            r.u16(424 + 8 * k, 0xFFFE - k).u16(424 + 8 * k + 2, 0x1234).i32(424 + 8 * k + 4, 40 + k);
        }
        return r;
    }

    @Test
    void pathPortsAfterTheHeader() {
        int mark = TraceFile.mark();
        PathPortTarget t = new PathPortTarget();
        assertEquals(0, VYTreport.mapData(portReply(2, 2).bytes(), t, 16));
        assertEquals(3, t.size());
        assertEquals("setData[pay, 10.1.1.1, srcHost, sA, 10.2.2.2, dstHost, dA, 7, 3, 4, 1114672121, -8]",
                t.get(0).toString());
        assertEquals("addEntry[65534, 40]", t.get(1).toString());
        assertEquals("addEntry[65533, 41]", t.get(2).toString());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nProcessTransPathPortData Entry: buflen=440\n"), trace);
        assertTrue(trace.contains("tranName<pay> pathId=7 pathIPSrcPortCt=3 pathIPSrcAddress<10.1.1.1> "
                + "pathIPSrcNetName<srcHost> pathIPSrcAlias<sA> pathIPDstPortCt=4 pathIPDstAddress<10.2.2.2> "
                + "pathIPDstNetName<dstHost> pathIPDstAlias<dA> collectorStartupTime=1114672121 flags=-8\n"), trace);
        assertTrue(trace.contains("Idx[1] pathIPPort=65534 flags=40\n"), trace);
        assertTrue(trace.contains("Idx[2] pathIPPort=65533 flags=41\n"), trace);
        assertTrue(trace.contains("\nProcessTransPathPortData Exit: status=0\n"), trace);
    }

    @Test
    void pathPortsWithNoOrNegativeCountOnlySetData() {
        for (int count : new int[] {0, -1}) {
            PathPortTarget t = new PathPortTarget();
            assertEquals(0, VYTreport.mapData(portReply(count, 1).bytes(), t, 16));
            assertEquals(1, t.size());
            assertEquals("setData", t.get(0).method);
        }
        PathPortTarget t = new PathPortTarget();
        assertEquals(0, VYTreport.mapData(new Reply(424).bytes(), t, 16));
        assertEquals("setData[, , , , , , , 0, 0, 0, 0, 0]", t.get(0).toString());
    }
}
