import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/** Threshold replies (17): a single setData call, no entries. */
class AlertThresholdTest {
    static class ThresholdTarget extends Calls {
        public void setData(String tranName, String srcNetName, String srcAlias, String dstNetName, String dstAlias,
                int netG1, int netG2, int netG3, int srvG1, int srvG2, int srvG3, int appG1, int appG2, int appG3,
                int waitG1, int waitG2, int waitG3, int totG1, int totG2, int totG3, int dataCt, int netWarn,
                int netCrit, int srvWarn, int srvCrit, int appWarn, int appCrit, int waitWarn, int waitCrit,
                int totWarn, int totCrit, int pathG1, int pathG2, int pathG3, int pathWarn, int pathCrit, int flags) {
            record("setData", tranName, srcNetName, srcAlias, dstNetName, dstAlias, netG1, netG2, netG3, srvG1, srvG2,
                    srvG3, appG1, appG2, appG3, waitG1, waitG2, waitG3, totG1, totG2, totG3, dataCt, netWarn, netCrit,
                    srvWarn, srvCrit, appWarn, appCrit, waitWarn, waitCrit, totWarn, totCrit, pathG1, pathG2, pathG3,
                    pathWarn, pathCrit, flags);
        }

        // Present so that a stray addEntry call would show.
        public void addEntry(String any, int n) {
            record("addEntry", any, n);
        }
    }

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    @Test
    void thresholdsMovePathGroupLimitsAfterTheComponentThresholds() {
        // The 31 words from offset 428 hold 1000 + their word number; a non-zero word at offset 8.
        Reply r = new Reply(560).i32(4, 27).i32(8, 3).text(20, "orders").i32(92, 4242).u16(104, 0x8002)
                .u16(106, 65535).text(108, "10.1.1.1").text(124, "src-net").text(252, "src-alias")
                .text(268, "10.2.2.2").text(284, "dst-net").i32(552, 9996).i32(556, -77);
        for (int w = 0; w < 31; w++) r.i32(428 + 4 * w, 1000 + w);
        int mark = TraceFile.mark();
        ThresholdTarget t = new ThresholdTarget();
        assertEquals(0, VYTreport.mapData(r.bytes(), t, 17));
        assertEquals(1, t.size());
        assertEquals("setData[orders, src-net, src-alias, dst-net, , 1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, "
                + "1008, 1009, 1010, 1011, 1012, 1013, 1014, 1018, 1019, 1020, 1021, 1022, 1023, 1024, 1025, 1026, "
                + "1027, 1028, 1015, 1016, 1017, 1029, 1030, -77]", t.get(0).toString());
        String trace = TraceFile.since(mark);
        assertTrue(trace.contains("\nProcessThresholdReadData Entry: buflen=560\n"), trace);
        assertTrue(trace.contains("] tranName<orders> pathId=4242 pathIPSrcNetName<src-net> pathIPSrcAlias<src-alias>"
                + "  pathIPSrcPort=32770 pathIPDstNetName<dst-net> pathIPDstAlias<> pathIPDstPort=65535 "
                + "pathNetRespTimeGroup1=1000 pathNetRespTimeGroup2=1001 pathNetRespTimeGroup3=1002 "
                + "pathSrvRespTimeGroup1=1003 pathSrvRespTimeGroup2=1004 pathSrvRespTimeGroup3=1005 "
                + "pathAppRespTimeGroup1=1006 pathAppRespTimeGroup2=1007 pathAppRespTimeGroup3=1008 "
                + "pathWaitRespTimeGroup1=1009 pathWaitRespTimeGroup2=1010 pathWaitRespTimeGroup3=1011 "
                + "pathTotRespTimeGroup1=1012 pathTotRespTimeGroup2=1013 pathTotRespTimeGroup3=1014 "
                + "pathTotRespTimeDataCt=1018 pathNetRespTimeWarn=1019 pathNetRespTimeCrit=1020 "
                + "pathSrvRespTimeWarn=1021 pathSrvRespTimeCrit=1022 pathAppRespTimeWarn=1023 "
                + "pathAppRespTimeCrit=1024 pathWaitRespTimeWarn=1025 pathWaitRespTimeCrit=1026 "
                + "pathTotRespTimeWarn=1027 pathTotRespTimeCrit=1028 pathRespTimeGroup1=1015 pathRespTimeGroup2=1016 "
                + "pathRespTimeGroup3=1017 pathRespTimeWarn=1029 pathRespTimeCrit=1030 flags=-77\n"), trace);
        assertTrue(trace.contains("\nProcessThresholdReadData Exit: status=0\n"), trace);
    }
}
