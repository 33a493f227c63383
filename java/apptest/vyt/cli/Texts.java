package vyt.cli;

import java.time.Instant;
import java.time.ZoneId;
import java.time.ZonedDateTime;
import java.util.Locale;

/** The display texts of second counts, written from their documented formats, in local time. */
final class Texts {
    private Texts() {}

    private static ZonedDateTime local(int secs) {
        return Instant.ofEpochSecond(secs).atZone(ZoneId.systemDefault());
    }

    /** "MM/DD/YY (hh:mm:ss)". */
    static String stamp(int secs) {
        ZonedDateTime t = local(secs);
        return String.format(Locale.ROOT, "%02d/%02d/%02d (%02d:%02d:%02d)", t.getMonthValue(), t.getDayOfMonth(),
                t.getYear() - 2000, t.getHour(), t.getMinute(), t.getSecond());
    }

    /** The long duration form, for a non-negative span. */
    static String duration(int now, int start) {
        int d = now - start;
        int h = d / 3600, m = d / 60 % 60, s = d % 60;
        return h > 0 ? String.format(Locale.ROOT, "Last %02d hours %02d mins %02d secs", h, m, s)
                : String.format(Locale.ROOT, "Last %02d mins %02d secs", m, s);
    }

    /** Days and clock time, days counted so that the hours run from 1 to 24 past the first day. */
    static String statusTime(int secs) {
        int totalHours = secs / 3600, m = secs / 60 % 60, s = secs % 60;
        int days = totalHours > 24 ? (totalHours - 1) / 24 : 0;
        return String.format(Locale.ROOT, "%02d %02d:%02d:%02d", days, totalHours - 24 * days, m, s);
    }

    /** "hh:mm:ss<br>MM/DD". */
    static String alertStart(int secs) {
        ZonedDateTime t = local(secs);
        return String.format(Locale.ROOT, "%02d:%02d:%02d<br>%02d/%02d", t.getHour(), t.getMinute(), t.getSecond(),
                t.getMonthValue(), t.getDayOfMonth());
    }

    /** "MM/DD hh:mm". */
    static String intervalStamp(int secs) {
        ZonedDateTime t = local(secs);
        return String.format(Locale.ROOT, "%02d/%02d %02d:%02d", t.getMonthValue(), t.getDayOfMonth(), t.getHour(),
                t.getMinute());
    }
}
