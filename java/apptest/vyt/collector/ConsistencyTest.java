package vyt.collector;

import vyt.client.Client;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.util.ArrayList;
import java.util.HashSet;
import java.util.List;
import java.util.Set;

import org.junit.jupiter.api.Test;
import org.vytjni.api.AlertState;
import org.vytjni.api.Requests;
import org.vytjni.api.reports.CurrentAlerts;
import org.vytjni.api.reports.ResponseTime;
import org.vytjni.api.reports.Summary;
import org.vytjni.api.reports.Thresholds;

/** What the sample collector reports holds together, as a client decodes it. */
class ConsistencyTest {
    /** Clock values: night, afternoon peak, an interval boundary, and a day in another year. */
    static final int[] CLOCKS = {1114672121, 1114700400, 1765000800, 1800003333};

    static int expectedState(int value, int warn, int crit) {
        return value >= crit ? 2 : value >= warn ? 1 : 0;
    }

    @Test
    void componentsAddUpAndStatesFollowThresholdsAndAlerts() throws Exception {
        Set<Integer> seenStates = new HashSet<>();
        for (int now : CLOCKS) {
            try (Collector c = new Collector(new Sample(now), 0)) {
                Client client = new Client(c.host(), c.port());
                for (String tran : List.of("checkout", "login", "search")) {
                    ResponseTime current = client.fetch(new Requests.ResponseTime(tran));
                    for (ResponseTime.Entry e : current.entries()) {
                        String where = now + " " + tran + " path " + e.pathId();
                        Thresholds th = client.fetch(new Requests.Thresholds(tran, e.pathId()));
                        int[][] limits = {{th.pathNetRespTimeWarn(), th.pathNetRespTimeCrit()},
                            {th.pathSrvRespTimeWarn(), th.pathSrvRespTimeCrit()},
                            {th.pathAppRespTimeWarn(), th.pathAppRespTimeCrit()},
                            {th.pathWaitRespTimeWarn(), th.pathWaitRespTimeCrit()},
                            {th.pathTotRespTimeWarn(), th.pathTotRespTimeCrit()}};
                        int[] times = {e.pathNetRespTimeAvg(), e.pathSrvRespTimeAvg(), e.pathAppRespTimeAvg(),
                            e.pathWaitRespTimeAvg(), e.pathTotRespTimeAvg()};
                        AlertState[] states = {e.pathNetRespTimeAlertState(), e.pathSrvRespTimeAlertState(),
                            e.pathAppRespTimeAlertState(), e.pathWaitRespTimeAlertState(),
                            e.pathTotRespTimeAlertState()};
                        check(where + " now", times, states, limits, seenStates);
                        int worst = 0;
                        for (AlertState s : states) worst = Math.max(worst, s.value());
                        assertEquals(worst, e.pathMaxRespTimeAlertState().value(), where);

                        Summary sum = client.fetch(new Requests.Summary(tran, e.pathId()));
                        assertEquals(Sample.SUMMARY_INTERVALS, sum.entries().size(), where);
                        List<Integer> totals = new ArrayList<>();
                        for (Summary.Entry k : sum.entries()) {
                            check(where + " " + k.intervalStart(), new int[] {k.pathNetRespTimeAvg(),
                                k.pathSrvRespTimeAvg(), k.pathAppRespTimeAvg(), k.pathWaitRespTimeAvg(),
                                k.pathTotRespTimeAvg()}, new AlertState[] {k.pathNetRespTimeAvgState(),
                                k.pathSrvRespTimeAvgState(), k.pathAppRespTimeAvgState(),
                                k.pathWaitRespTimeAvgState(), k.pathTotRespTimeAvgState()}, limits, seenStates);
                            totals.add(k.pathTotRespTimeAvg());
                        }
                        // The summary's last interval is the current one; the intervals differ.
                        assertEquals(e.pathTotRespTimeAvg(), totals.get(totals.size() - 1), where);
                        assertTrue(new HashSet<>(totals).size() > 1, where + ": " + totals);
                    }
                }
                // A path is in alert exactly when its current interval is not normal.
                Set<String> alerted = new HashSet<>(), notNormal = new HashSet<>();
                for (CurrentAlerts.Entry a : client.fetch(new Requests.CurrentAlerts()).entries())
                    alerted.add(a.tranName() + "/" + a.pathId());
                for (String tran : List.of("checkout", "login", "search"))
                    for (ResponseTime.Entry e : client.fetch(new Requests.ResponseTime(tran)).entries())
                        if (e.pathMaxRespTimeAlertState().value() > 0) notNormal.add(tran + "/" + e.pathId());
                assertEquals(notNormal, alerted, "at " + now);
            }
        }
        assertEquals(Set.of(0, 1, 2), seenStates, "the clocks cover every state");
    }

    static void check(String where, int[] times, AlertState[] states, int[][] limits, Set<Integer> seen) {
        assertEquals(times[0] + times[1] + times[2] + times[3], times[4], where + ": the components add up");
        for (int k = 0; k < times.length; k++) {
            assertEquals(expectedState(times[k], limits[k][0], limits[k][1]), states[k].value(),
                    where + " component " + k + ": " + times[k] + " ms against " + limits[k][0] + "/" + limits[k][1]);
            seen.add(states[k].value());
        }
    }

    @Test
    void aCollectorOnItsClockMovesToANewIntervalEachInterval() throws Exception {
        try (Collector c = Collector.start(0, Sample.DataSet.STANDARD, 2)) {
            Client client = new Client(c.host(), c.port());
            ResponseTime first = client.fetch(new Requests.ResponseTime("checkout"));
            Sample s = c.sample();
            assertEquals(0, s.intervalStart % 2, "interval starts are aligned to the length");
            assertTrue(s.intervalStart + 2 <= s.now, "the current interval is complete");
            Thread.sleep(2100);
            ResponseTime later = client.fetch(new Requests.ResponseTime("checkout"));
            assertNotEquals(first.startTime(), later.startTime());
            assertNotEquals(first.entries().get(0).pathTotRespTimeAvg() + "/" + first.tranTotalCtSum(),
                    later.entries().get(0).pathTotRespTimeAvg() + "/" + later.tranTotalCtSum());
        }
    }
}
