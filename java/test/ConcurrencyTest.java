import static org.junit.jupiter.api.Assertions.assertEquals;

import java.time.Instant;
import java.time.LocalDateTime;
import java.time.ZoneId;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.ConcurrentLinkedQueue;
import java.util.concurrent.CyclicBarrier;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/** Several Java threads decode replies with different times at once; each sees its own texts. */
class ConcurrencyTest {
    static final int THREADS = 4;
    static final int ROUNDS = 400;

    /** Receives the response-time detail report; keeps the three time texts of setData. */
    static class Target {
        String now, start, duration;

        public void setData(String subTranName, String now, String start, String duration, String a, String b,
                String c, String d, int i1, int i2, int i3, int i4, int i5, int i6, int i7, int i8, int i9, int i10,
                int i11, int i12, int i13, int i14, int i15, int i16, int i17, int i18, int i19, int i20, int i21,
                int i22, int i23, int i24, int i25) {
            this.now = now;
            this.start = start;
            this.duration = duration;
        }

        public void addEntry(String a, int i1, int i2, int i3, int i4, int i5, int i6, int i7, int i8, int i9,
                int i10, int i11, int i12, int i13, int i14, int i15) {}
    }

    @BeforeAll
    static void traceOn() {
        TraceFile.enable();
    }

    static String stamp(int secs) {
        LocalDateTime t = LocalDateTime.ofInstant(Instant.ofEpochSecond(secs), ZoneId.systemDefault());
        return String.format("%02d/%02d/%02d (%02d:%02d:%02d)", t.getMonthValue(), t.getDayOfMonth(),
                t.getYear() - 2000, t.getHour(), t.getMinute(), t.getSecond());
    }

    @Test
    void eachThreadGetsItsOwnTimeTexts() throws Exception {
        CyclicBarrier go = new CyclicBarrier(THREADS);
        ConcurrentLinkedQueue<String> wrong = new ConcurrentLinkedQueue<>();
        List<Thread> threads = new ArrayList<>();
        for (int i = 0; i < THREADS; i++) {
            final int n = i;
            threads.add(new Thread(() -> {
                // Thread n: interval start and end days apart from the other threads', n+1 minutes and n seconds long.
                int now = 1_600_000_000 + n * 400_000 + 3_725;
                int start = now - ((n + 1) * 60 + n);
                byte[] reply = new Reply(1568).i32(1544, now).i32(1548, start).i32(1564, 1).bytes();
                String want = stamp(now) + "|" + stamp(start) + "|" + String.format("Last %02d mins %02d secs", n + 1, n);
                try {
                    go.await();
                } catch (Exception e) {
                    throw new IllegalStateException(e);
                }
                for (int r = 0; r < ROUNDS; r++) {
                    Target t = new Target();
                    if (VYTreport.mapData(reply, t, 10) != 0) wrong.add("status");
                    String got = t.now + "|" + t.start + "|" + t.duration;
                    if (!want.equals(got)) wrong.add(got + " instead of " + want);
                }
            }));
        }
        for (Thread t : threads) t.start();
        for (Thread t : threads) t.join();
        assertEquals("[]", wrong.toString());
    }
}
