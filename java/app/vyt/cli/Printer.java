package vyt.cli;

import vyt.catalog.Catalog;
import org.vytjni.api.Report;
import vyt.client.Fields;
import vyt.client.ReportJson;

import java.io.IOException;
import java.io.OutputStreamWriter;
import java.io.PrintStream;
import java.io.UncheckedIOException;
import java.io.Writer;
import java.nio.charset.StandardCharsets;
import java.time.ZoneId;
import java.util.ArrayList;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Set;

/**
 * Prints a decoded report as a table for a terminal, as JSON, or as CSV.
 *
 * <p>The table shows the header values one "name: value" per line, then the entries with the
 * parameter names as column heads. Flags words show their bit names, states their words, second
 * counts also their ISO-8601 time, and the line break of alert start texts a blank. Lines fit
 * {@value #WIDTH} columns: a table too wide for them is cut into bands of columns, each led by
 * the entry number, and a longer text wraps; {@code wide} keeps one line per entry instead.
 *
 * <p>JSON is {@link ReportJson}'s form, the same as the web front end's. CSV has one line per
 * entry (one line in all for kinds without entries), the header values first, then the entry's,
 * the raw values as the library passed them.
 */
public final class Printer {
    /** The width a table fits unless it is printed wide. */
    public static final int WIDTH = 120;

    /** The narrowest a long text is cut to so that it fits beside the columns before it. */
    private static final int MIN_TEXT = 20;

    public enum Format { TABLE, JSON, CSV }

    private final ZoneId zone;

    public Printer(ZoneId zone) {
        this.zone = zone;
    }

    public void print(Report r, Format format, boolean wide, PrintStream out) {
        switch (format) {
            case JSON: json(r, out); break;
            case CSV: csv(r, out); break;
            default: table(r, wide, out);
        }
    }

    /** A value as the table shows it. */
    public String show(Catalog.Kind k, Catalog.Param p, Object v) {
        if (v instanceof String) return ((String) v).replace("<br>", " ");
        int n = (Integer) v;
        if (p.name().equals("flags")) return Words.flags(n, Words.urlRuleFlags(k));
        if (Words.isState(p)) return Words.state(n);
        if (Words.isEpochSeconds(p)) return n + " (" + Words.iso(n, zone) + ")";
        return String.valueOf(n);
    }

    // ---- table -------------------------------------------------------------------------------

    public void table(Report r, boolean wide, PrintStream out) {
        Catalog.Kind k = Fields.kind(r);
        out.println("== " + k.name() + " (report type " + k.type() + "): " + k.title() + " ==");
        List<Object> header = Fields.header(r);
        if (!header.isEmpty()) {
            for (int i = 0; i < header.size(); i++) {
                Catalog.Param p = k.setData().get(i);
                String head = p.name() + ": ";
                List<String> lines = wide ? List.of(show(k, p, header.get(i)))
                        : wrap(show(k, p, header.get(i)), WIDTH - head.length());
                for (int l = 0; l < lines.size(); l++)
                    out.println(((l == 0 ? head : " ".repeat(head.length())) + lines.get(l)).stripTrailing());
            }
        }
        if (!k.hasAddEntry()) return;
        List<List<Object>> entries = Fields.entries(r);
        int n = entries.size();
        out.println(n + (n == 1 ? " entry" : " entries"));
        if (n == 0) return;
        List<Catalog.Param> cols = k.addEntry();
        List<String[]> rows = new ArrayList<>();
        int[] width = new int[cols.size()];
        for (int c = 0; c < cols.size(); c++) width[c] = cols.get(c).name().length();
        for (List<Object> e : entries) {
            String[] row = new String[cols.size()];
            for (int c = 0; c < cols.size(); c++) {
                row[c] = show(k, cols.get(c), e.get(c));
                width[c] = Math.max(width[c], row[c].length());
            }
            rows.add(row);
        }
        int total = -2;
        for (int w : width) total += w + 2;
        if (wide || total <= WIDTH) {
            band(out, cols, rows, width, 0, cols.size(), false);
            return;
        }
        // Bands of columns led by the entry number; a column never wider than a band.
        int numWidth = Math.max(1, String.valueOf(n).length());
        int room = WIDTH - numWidth - 2;
        for (int c = 0; c < width.length; c++) width[c] = Math.min(width[c], room);
        for (int from = 0; from < cols.size(); ) {
            int to = from, used = numWidth;
            while (to < cols.size()) {
                int left = WIDTH - used - 2;
                // A long text takes what is left of the band if that is a fair width, else opens the next.
                if (width[to] > left && cols.get(to).text() && left >= Math.max(MIN_TEXT, cols.get(to).name().length())
                        && to > from) width[to] = left;
                if (width[to] > left) break;
                used += 2 + width[to++];
            }
            if (from > 0) out.println();
            band(out, cols, rows, width, from, to, true);
            from = to;
        }
    }

    /** Texts and words (flags, states) are left-aligned, numbers right-aligned. */
    private static boolean leftAligned(Catalog.Param p) {
        return p.text() || p.name().equals("flags") || Words.isState(p);
    }

    /** Columns {@code from..to-1} of every row. */
    private static void band(PrintStream out, List<Catalog.Param> cols, List<String[]> rows, int[] width, int from,
            int to, boolean numbered) {
        int numWidth = String.valueOf(rows.size()).length();
        StringBuilder head = new StringBuilder();
        if (numbered) head.append(pad("#", numWidth, false)).append("  ");
        for (int c = from; c < to; c++) {
            if (c > from) head.append("  ");
            head.append(pad(cols.get(c).name(), width[c], leftAligned(cols.get(c))));
        }
        out.println(head.toString().stripTrailing());
        for (int i = 0; i < rows.size(); i++) {
            List<List<String>> cells = new ArrayList<>();
            int height = 1;
            for (int c = from; c < to; c++) {
                List<String> lines = wrap(rows.get(i)[c], width[c]);
                cells.add(lines);
                height = Math.max(height, lines.size());
            }
            for (int l = 0; l < height; l++) {
                StringBuilder line = new StringBuilder();
                if (numbered) line.append(pad(l == 0 ? String.valueOf(i + 1) : "", numWidth, false)).append("  ");
                for (int c = from; c < to; c++) {
                    List<String> cell = cells.get(c - from);
                    if (c > from) line.append("  ");
                    line.append(pad(l < cell.size() ? cell.get(l) : "", width[c], leftAligned(cols.get(c))));
                }
                out.println(line.toString().stripTrailing());
            }
        }
    }

    private static String pad(String s, int width, boolean left) {
        String p = " ".repeat(Math.max(0, width - s.length()));
        return left ? s + p : p + s;
    }

    /**
     * Cuts a text into lines of at most {@code width} characters, after a blank or a "|" where
     * there is one in the line, else at the width.
     */
    static List<String> wrap(String s, int width) {
        List<String> out = new ArrayList<>();
        int w = Math.max(1, width);
        while (s.length() > w) {
            int cut = Math.max(s.lastIndexOf(' ', w), s.lastIndexOf('|', w - 1) + 1);
            if (cut <= 0) cut = w;
            out.add(s.substring(0, cut).stripTrailing());
            s = s.substring(cut).stripLeading();
        }
        out.add(s);
        return out;
    }

    // ---- JSON and CSV ------------------------------------------------------------------------

    public static void json(Report r, PrintStream out) {
        Writer w = new OutputStreamWriter(out, StandardCharsets.UTF_8);
        try {
            ReportJson.write(r, w);
            w.write('\n');
            w.flush();
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    public static void csv(Report r, PrintStream out) {
        Catalog.Kind k = Fields.kind(r);
        List<Object> header = Fields.header(r);
        List<String> head = new ArrayList<>();
        Set<String> headerNames = new LinkedHashSet<>();
        for (Catalog.Param p : k.setData()) {
            head.add(p.name());
            headerNames.add(p.name());
        }
        // An entry parameter named like a header value is told apart by its prefix.
        for (Catalog.Param p : k.addEntry()) head.add(headerNames.contains(p.name()) ? "entry." + p.name() : p.name());
        out.print(csvLine(head));
        if (!k.hasAddEntry()) {
            out.print(csvLine(header));
            return;
        }
        for (List<Object> e : Fields.entries(r)) {
            List<Object> row = new ArrayList<>(header);
            row.addAll(e);
            out.print(csvLine(row));
        }
    }

    /** One CSV line: fields with a comma, quote or line break are quoted, quotes doubled. */
    static String csvLine(List<?> fields) {
        StringBuilder sb = new StringBuilder();
        for (int i = 0; i < fields.size(); i++) {
            if (i > 0) sb.append(',');
            String f = String.valueOf(fields.get(i));
            if (f.matches("(?s).*[,\"\r\n].*")) f = '"' + f.replace("\"", "\"\"") + '"';
            sb.append(f);
        }
        return sb.append('\n').toString();
    }
}
