import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/** Stamps, duration texts and status-time texts as they reach Java (the JVM runs with TZ=UTC). */
class TimeTextTest {
    /** Reportability detail (23): setData with three time texts, addEntry with a status-time text. */
    static class Detail {
        final List<String> set = new ArrayList<>();
        final List<String> times = new ArrayList<>();

        public void setData(String tranName, String now, String startup, String duration, int startupTime) {
            set.add(now);
            set.add(startup);
            set.add(duration);
        }

        public void addEntry(String address, String netName, String time, int flags) {
            times.add(time);
        }
    }

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    static Detail decode(int now, int startup, int... msrvTimes) {
        Reply r = new Reply(96 + 152 * msrvTimes.length).i32(8, msrvTimes.length).text(20, "orders")
                .i32(84, now).i32(88, startup);
        for (int k = 0; k < msrvTimes.length; k++) r.i32(96 + 152 * k + 144, msrvTimes[k]);
        Detail d = new Detail();
        assertEquals(0, VYTreport.mapData(r.bytes(), d, 23));
        return d;
    }

    @Test
    void stampsAndDurations() {
        int mark = TraceFile.mark();
        Detail d = decode(1114672121, 1114672121 - 3725);
        assertEquals("04/28/05 (07:08:41)", d.set.get(0));
        assertEquals("04/28/05 (06:06:36)", d.set.get(1));
        assertEquals("Last 01 hours 02 mins 05 secs", d.set.get(2));
        String t = TraceFile.since(mark);
        assertTrue(t.contains("\nFormatDurationTime Entry: now=1114672121 start=1114668396 timediff=3725\n"), t);
        assertTrue(t.contains("timebuff<Last 01 hours 02 mins 05 secs> hour=1 min=2 sec=5\n"), t);

        assertEquals("Last 00 mins 00 secs", decode(100, 100).set.get(2));
        assertEquals("Last 02 mins 05 secs", decode(1000125, 1000000).set.get(2));
        assertEquals("12/31/-01 (23:59:59)", decode(946684799, 0).set.get(0));
        // A start after "now": negative seconds; a difference that overflows wraps.
        assertEquals("Last 00 mins -05 secs", decode(0, 5).set.get(2));
        assertEquals("Last 00 mins -01 secs", decode(Integer.MAX_VALUE, Integer.MIN_VALUE).set.get(2));
    }

    @Test
    void statusTimesShowDaysFromTheTwentyFifthHourOn() {
        int mark = TraceFile.mark();
        Detail d = decode(0, 0, 86400, 172800, 176400, 90061, -1, 59);
        assertEquals(List.of("00 24:00:00", "01 24:00:00", "02 01:00:00", "01 01:01:01", "00 00:00:-01", "00 00:00:59"),
                d.times);
        String t = TraceFile.since(mark);
        assertTrue(t.contains("\nFormatStatusTime Entry: t=90061 format=1\n"), t);
        assertTrue(t.contains("\nFormatStatusTime Exit: timebuff<01 01:01:01> days=1 hour=1 min=1 sec=1\n"), t);
    }
}
