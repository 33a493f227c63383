import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;
import java.time.Instant;
import java.time.ZoneId;
import java.time.zone.ZoneRules;
import java.util.ArrayList;

import org.vytjni.api.AlertState;
import org.vytjni.api.ReportFlags;
import org.vytjni.api.reports.AllTransactions;
import org.vytjni.api.reports.CurrentAlerts;
import org.vytjni.api.reports.NetworkDetail;
import org.vytjni.api.reports.ResponseTime;

/**
 * The pure-Java side of the typed benchmark: decoders that read a reply through a ByteBuffer and
 * build the same records as the typed API, making their own time texts in local time. Types 1, 4,
 * 8 and 11; the others are left to the library.
 */
final class TypedJava {
    private TypedJava() {}

    private static final ZoneRules ZONE = ZoneId.systemDefault().getRules();

    static boolean has(int type) {
        return type == 1 || type == 4 || type == 8 || type == 11;
    }

    static Object decode(int type, byte[] reply) {
        ByteBuffer b = ByteBuffer.wrap(reply).order(ByteOrder.LITTLE_ENDIAN);
        if (b.getInt(0) != reply.length) throw new IllegalArgumentException("length mismatch");
        switch (type) {
            case 1: return allTransactions(b, reply);
            case 4: return responseTime(b, reply);
            case 8: return networkDetail(b, reply);
            case 11: return currentAlerts(b, reply);
            default: throw new IllegalArgumentException("type " + type);
        }
    }

    private static int count(ByteBuffer b, int first, int size) {
        int n = b.getInt(8);
        if (n < 0) return 0;
        if ((long) first + (long) n * size > b.capacity()) throw new IllegalArgumentException("truncated");
        return n;
    }

    private static String text(byte[] r, int off, int width) {
        int n = 0;
        while (n < width && r[off + n] != 0) n++;
        return new String(r, off, n, StandardCharsets.UTF_8);
    }

    static AllTransactions allTransactions(ByteBuffer b, byte[] r) {
        int n = count(b, 28, 68);
        ArrayList<AllTransactions.Entry> entries = new ArrayList<>(n);
        for (int k = 0, at = 28; k < n; k++, at += 68)
            entries.add(new AllTransactions.Entry(text(r, at, 64), ReportFlags.of(b.getInt(at + 64))));
        return new AllTransactions(Instant.ofEpochSecond(b.getInt(20)), ReportFlags.of(b.getInt(24)), entries);
    }

    static ResponseTime responseTime(ByteBuffer b, byte[] r) {
        int n = count(b, 1152, 456);
        int now = b.getInt(1128), start = b.getInt(1132);
        ArrayList<ResponseTime.Entry> entries = new ArrayList<>(n);
        for (int k = 0, at = 1152; k < n; k++, at += 456) {
            entries.add(new ResponseTime.Entry(text(r, at + 96, 128), text(r, at + 256, 128), text(r, at + 224, 16),
                    text(r, at + 384, 16), b.getInt(at + 64), b.getShort(at + 78) & 0xFFFF,
                    b.getShort(at + 76) & 0xFFFF, b.getInt(at + 404), b.getInt(at + 408), b.getInt(at + 412),
                    b.getInt(at + 416), b.getInt(at + 420), b.getInt(at + 424), ReportFlags.of(b.getInt(at + 452)),
                    AlertState.of(b.getInt(at + 428)), AlertState.of(b.getInt(at + 432)),
                    AlertState.of(b.getInt(at + 436)), AlertState.of(b.getInt(at + 440)),
                    AlertState.of(b.getInt(at + 444)), AlertState.of(b.getInt(at + 448))));
        }
        return new ResponseTime(stamp(now), stamp(start), span(now, start), b.getInt(1124), b.getInt(1140),
                ReportFlags.of(b.getInt(1148)), b.getInt(1144), entries);
    }

    private static AlertState state(ByteBuffer b, int at) {
        return AlertState.of(b.getInt(at));
    }

    static NetworkDetail networkDetail(ByteBuffer b, byte[] r) {
        int n = count(b, 1640, 80);
        int now = b.getInt(1616), start = b.getInt(1620), flags = b.getInt(1636);
        int position = (flags & 0x1) != 0 ? 1 : (flags & 0x2) != 0 ? 2 : (flags & 0x4) != 0 ? 4 : 8;
        ArrayList<NetworkDetail.Entry> entries = new ArrayList<>(n);
        for (int k = 0, e = 1640; k < n; k++, e += 80) {
            entries.add(new NetworkDetail.Entry(text(r, e + 52, 16), (b.getInt(e + 76) & 0x2000) != 0 ? 0 : 1,
                    b.getShort(e + 72) & 0xFFFF, b.getShort(e + 74) & 0xFFFF, b.getInt(e + 68), b.getInt(e),
                    b.getInt(e + 4), b.getInt(e + 8), b.getInt(e + 12), b.getInt(e + 16), b.getInt(e + 20),
                    b.getInt(e + 24), b.getInt(e + 28), b.getInt(e + 32), state(b, e + 36), state(b, e + 40),
                    state(b, e + 44), b.getInt(e + 48)));
        }
        int d = 1460, m = 1512;  // the distribution block and the 24 metric words
        return new NetworkDetail(stamp(now), stamp(start), span(now, start), text(r, 1136, 16), text(r, 1312, 128),
                text(r, 1280, 16), text(r, 1440, 16), b.getShort(1134) & 0xFFFF, b.getInt(1612), position,
                b.getInt(d), b.getInt(d + 4), b.getInt(d + 8), b.getInt(d + 12), b.getInt(d + 16), b.getInt(d + 20),
                b.getInt(d + 24), b.getInt(d + 28), b.getInt(d + 32), state(b, d + 36), state(b, d + 40),
                state(b, d + 44), state(b, d + 48),
                b.getInt(m), b.getInt(m + 4), b.getInt(m + 8), state(b, m + 12), state(b, m + 16), state(b, m + 20),
                b.getInt(m + 24), b.getInt(m + 28), b.getInt(m + 32), state(b, m + 36), state(b, m + 40),
                state(b, m + 44), b.getInt(m + 48), b.getInt(m + 52), b.getInt(m + 56), state(b, m + 60),
                state(b, m + 64), state(b, m + 68), b.getInt(m + 72), b.getInt(m + 76), b.getInt(m + 80),
                b.getInt(m + 84), b.getInt(m + 88), b.getInt(m + 92), b.getInt(1628), ReportFlags.of(flags),
                b.getInt(1632), entries);
    }

    static CurrentAlerts currentAlerts(ByteBuffer b, byte[] r) {
        int n = count(b, 36, 468);
        int now = b.getInt(20), start = b.getInt(24);
        ArrayList<CurrentAlerts.Entry> entries = new ArrayList<>(n);
        for (int k = 0, at = 36; k < n; k++, at += 468) {
            int p = at + 64;
            entries.add(new CurrentAlerts.Entry(alertStart(b.getInt(p + 364)), text(r, at, 64),
                    text(r, p + 32, 128), text(r, p + 192, 128), text(r, p + 160, 16), text(r, p + 320, 16),
                    b.getInt(p), ReportFlags.of(b.getInt(p + 400)), b.getShort(p + 14) & 0xFFFF, b.getInt(p + 336),
                    b.getInt(p + 340), b.getInt(p + 344), b.getInt(p + 348), b.getInt(p + 352), b.getInt(p + 356),
                    AlertState.of(b.getInt(p + 396)), AlertState.of(b.getInt(p + 368)),
                    AlertState.of(b.getInt(p + 372)), AlertState.of(b.getInt(p + 376)),
                    AlertState.of(b.getInt(p + 380)), AlertState.of(b.getInt(p + 384)),
                    AlertState.of(b.getInt(p + 392)), b.getInt(p + 360), AlertState.of(b.getInt(p + 388))));
        }
        return new CurrentAlerts(stamp(now), stamp(start), span(now, start), b.getInt(28), b.getInt(32), entries);
    }

    // ---- time texts, in local time ------------------------------------------------------

    /** The local date and time of a second count: {year, month, day, hour, minute, second}. */
    private static int[] local(int secs) {
        long t = secs + (long) ZONE.getOffset(Instant.ofEpochSecond(secs)).getTotalSeconds();
        long days = Math.floorDiv(t, 86400);
        int sod = (int) Math.floorMod(t, 86400);
        // Civil date from days since 1970-01-01.
        long z = days + 719468;
        long era = Math.floorDiv(z, 146097);
        long doe = z - era * 146097;
        long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
        long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
        long mp = (5 * doy + 2) / 153;
        int day = (int) (doy - (153 * mp + 2) / 5 + 1);
        int month = (int) (mp < 10 ? mp + 3 : mp - 9);
        int year = (int) (yoe + era * 400 + (month <= 2 ? 1 : 0));
        return new int[] {year, month, day, sod / 3600, sod / 60 % 60, sod % 60};
    }

    private static void two(char[] c, int at, int v) {
        c[at] = (char) ('0' + v / 10 % 10);
        c[at + 1] = (char) ('0' + v % 10);
    }

    /** "MM/DD/YY (hh:mm:ss)". */
    static String stamp(int secs) {
        int[] l = local(secs);
        char[] c = "00/00/00 (00:00:00)".toCharArray();
        two(c, 0, l[1]);
        two(c, 3, l[2]);
        two(c, 6, l[0] % 100);
        two(c, 10, l[3]);
        two(c, 13, l[4]);
        two(c, 16, l[5]);
        return new String(c);
    }

    /** "hh:mm:ss<br>MM/DD". */
    static String alertStart(int secs) {
        int[] l = local(secs);
        char[] c = "00:00:00<br>00/00".toCharArray();
        two(c, 0, l[3]);
        two(c, 3, l[4]);
        two(c, 6, l[5]);
        two(c, 12, l[1]);
        two(c, 15, l[2]);
        return new String(c);
    }

    /** "Last hh hours mm mins ss secs", or without the hours under an hour. */
    static String span(int now, int start) {
        int diff = now - start;
        int hours = diff >= 3600 ? diff / 3600 : 0;
        int totalMinutes = diff / 60;
        int minutes = totalMinutes - 60 * hours, seconds = diff - 60 * totalMinutes;
        StringBuilder s = new StringBuilder("Last ");
        if (hours > 0) s.append(hours < 10 ? "0" : "").append(hours).append(" hours ");
        s.append(minutes < 10 ? "0" : "").append(minutes).append(" mins ");
        s.append(seconds < 10 ? "0" : "").append(seconds).append(" secs");
        return s.toString();
    }
}
