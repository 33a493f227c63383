package vyt.web;

import java.time.DateTimeException;
import java.time.Instant;
import java.time.LocalDate;
import java.time.LocalDateTime;
import java.time.Year;
import java.time.ZoneId;
import java.time.format.DateTimeFormatter;
import java.util.ArrayList;
import java.util.List;
import java.util.Locale;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import org.vytjni.api.ReportFlags;
import org.vytjni.api.UrlRuleFlags;
import vyt.catalog.Catalog;
import vyt.catalog.States;

/**
 * A report value as people read it, by the role the catalogue gives its parameter: times in one
 * format in the server's zone, durations in hours, minutes and seconds, milliseconds and counts
 * with thousands separators and their unit, states as words with a class per state, flags by
 * name. The JSON keeps the collector's words; only the pages use these texts.
 */
final class Values {
    private Values() {}

    /** The one time format of the pages, in the server's zone (the footer names it). */
    static final DateTimeFormatter TIME = DateTimeFormatter.ofPattern("yyyy-MM-dd HH:mm:ss", Locale.ROOT);
    /**
     * One value as shown: its text (also its CSV field), what it sorts by (a Number for numbers)
     * and its CSS class (the state's, or null).
     */
    record Shown(String text, Comparable<?> sortKey, String cls) {
        Table.Cell cell(String href) {
            return new Table.Cell(text, sortKey, href, cls);
        }
    }

    /** The value {@code v} (a String or an Integer) of parameter {@code p}. */
    static Shown of(Catalog.Param p, Object v) {
        if (v instanceof String) {
            String s = (String) v;
            if (p.role() == Catalog.Role.TEXT) s = libraryText(s, LocalDate.now());
            return new Shown(s, s, null);
        }
        int n = (Integer) v;
        String unit = p.unit() == null ? "" : " " + p.unit();
        switch (p.role()) {
            case EPOCH_SECONDS:
                return new Shown(time(n & 0xFFFFFFFFL), n & 0xFFFFFFFFL, null);
            case DURATION_SECONDS:
                return new Shown(duration(n), n, null);
            case MILLISECONDS:
            case COUNT:
                return new Shown(count(n) + unit, n, null);
            case ALERT_STATE:
                return new Shown(States.name(n), n, stateClass(n));
            case REPORT_FLAGS:
                return new Shown(flags(n, false), flags(n, false), null);
            case URL_RULE_FLAGS:
                return new Shown(flags(n, true), flags(n, true), null);
            default:  // ports, ids, plain values: the number as sent
                return new Shown(n + unit, n, null);
        }
    }

    /** The class of a state, the same wherever a state is coloured: s0, s1, s2, or sx for one not known. */
    static String stateClass(int state) {
        return States.known(state) ? "s" + state : "sx";
    }

    /** UTC seconds as the pages show times. */
    static String time(long epochSeconds) {
        return TIME.format(Instant.ofEpochSecond(epochSeconds).atZone(ZoneId.systemDefault()));
    }

    private static final Pattern FULL = Pattern.compile("(\\d\\d)/(\\d\\d)/(\\d\\d) \\((\\d\\d):(\\d\\d):(\\d\\d)\\)");
    private static final Pattern CLOCK_DAY = Pattern.compile("(\\d\\d):(\\d\\d):(\\d\\d)<br>(\\d\\d)/(\\d\\d)");
    private static final Pattern DAY_MINUTE = Pattern.compile("(\\d\\d)/(\\d\\d) (\\d\\d):(\\d\\d)");
    private static final Pattern SINCE = Pattern.compile("(\\d+) (\\d\\d):(\\d\\d):(\\d\\d)");
    private static final Pattern LAST =
            Pattern.compile("Last( (\\d+) days?)?( (\\d+) hours?)?( (\\d+) mins?)?( (\\d+) secs?)?");

    /**
     * A time or span text the library makes, in the pages' forms: "12/09/26 (14:05:00)",
     * "14:05:00&lt;br&gt;12/09" and "12/09 14:05" (local times, the last two without their year)
     * as "2026-12-09 14:05:00"; "01 01:50:00" (days and a clock, a time since) and "Last 05 mins
     * 00 secs" as durations; "NO_TRANS_RECV" as words. Any other text is kept as it is.
     */
    static String libraryText(String s, LocalDate today) {
        try {
            return readLibraryText(s, today);
        } catch (DateTimeException e) {  // a month or a day out of range: the text as sent
            return s;
        }
    }

    private static String readLibraryText(String s, LocalDate today) {
        Matcher m;
        if ((m = FULL.matcher(s)).matches())
            return TIME.format(LocalDateTime.of(2000 + num(m, 3), num(m, 1), num(m, 2), num(m, 4), num(m, 5),
                    num(m, 6)));
        if ((m = CLOCK_DAY.matcher(s)).matches())
            return TIME.format(yearOf(num(m, 4), num(m, 5), today).atTime(num(m, 1), num(m, 2), num(m, 3)));
        if ((m = DAY_MINUTE.matcher(s)).matches())
            return MINUTE.format(yearOf(num(m, 1), num(m, 2), today).atTime(num(m, 3), num(m, 4)));
        if ((m = SINCE.matcher(s)).matches())
            return duration(num(m, 1) * 86400L + num(m, 2) * 3600L + num(m, 3) * 60L + num(m, 4));
        if ((m = LAST.matcher(s)).matches() && s.length() > 4)
            return "last " + duration(num(m, 2) * 86400L + num(m, 4) * 3600L + num(m, 6) * 60L + num(m, 8));
        if (s.equals("NO_TRANS_RECV")) return "no transaction received";
        return s;
    }

    /** The time format of a text that has no seconds. */
    static final DateTimeFormatter MINUTE = DateTimeFormatter.ofPattern("yyyy-MM-dd HH:mm", Locale.ROOT);

    private static int num(Matcher m, int group) {
        String g = m.group(group);
        return g == null ? 0 : Integer.parseInt(g);
    }

    /** A month and day without a year: the latest such day not after tomorrow. */
    static LocalDate yearOf(int month, int day, LocalDate today) {
        for (int y = today.getYear() + 1; ; y--) {
            if (month == 2 && day == 29 && !Year.isLeap(y)) continue;
            LocalDate d = LocalDate.of(y, month, day);
            if (!d.isAfter(today.plusDays(1))) return d;
        }
    }

    /** A span of seconds: "2 h 1 min 5 s", "3 d 0 h 2 min 4 s", "0 s". */
    static String duration(long seconds) {
        if (seconds < 0) return "-" + duration(-seconds);
        long d = seconds / 86400, h = seconds / 3600 % 24, m = seconds / 60 % 60, s = seconds % 60;
        StringBuilder sb = new StringBuilder();
        if (d > 0) sb.append(d).append(" d ");
        if (d > 0 || h > 0) sb.append(h).append(" h ");
        if (d > 0 || h > 0 || m > 0) sb.append(m).append(" min ");
        return sb.append(s).append(" s").toString();
    }

    /** A number with thousands separators: "12,345". */
    static String count(long n) {
        return String.format(Locale.ROOT, "%,d", n);
    }

    /**
     * A flags word by its flags' names in words ("HTTP transactions, include exclude URL"),
     * "none" for no flag; bits without a name follow as a number.
     */
    static String flags(int bits, boolean urlRule) {
        List<String> words = new ArrayList<>();
        int rest = 0;
        for (int b = 1; b != 0; b <<= 1) {
            if ((bits & b) == 0) continue;
            List<String> names = urlRule ? UrlRuleFlags.of(b).names() : ReportFlags.of(b).names();
            if (names.isEmpty()) rest |= b;
            else words.add(words(names.get(0).replaceFirst("^REP_(FLAGS_|URL_LIST_|URL_SEARCH_TYPE_)", "")));
        }
        if (rest != 0) words.add("other bits 0x" + Integer.toHexString(rest));
        return words.isEmpty() ? "none" : String.join(", ", words);
    }

    /** "HTTP_TRANSACTIONS_PATH_ZERO" in words: "HTTP transactions path zero". */
    static String words(String constant) {
        List<String> out = new ArrayList<>();
        for (String w : constant.toLowerCase(Locale.ROOT).split("_")) {
            switch (w) {
                case "http": case "url": case "ip": out.add(w.toUpperCase(Locale.ROOT)); break;
                case "src": out.add("source"); break;
                case "dst": out.add("destination"); break;
                case "parms": out.add("parameters"); break;
                case "mserver": out.add("server"); break;
                case "tran": out.add("transaction"); break;
                default: out.add(w);
            }
        }
        return String.join(" ", out);
    }

    /** A parameter's label with a capital first letter, for headings: "Path total response time average". */
    static String label(Catalog.Param p) {
        String l = p.label();
        return Character.toUpperCase(l.charAt(0)) + l.substring(1);
    }
}
