package vyt.cli;

import vyt.catalog.*;
import vyt.client.*;

import java.io.PrintStream;
import java.util.ArrayList;
import java.util.List;

/**
 * Prints a decoded report for a terminal: its header values one "name: value" per line, then
 * its entries as a table with the parameter names as column heads. Flags words are shown in
 * hexadecimal, and the HTML line break of alert start texts as a blank.
 */
public final class Printer {
    private Printer() {}

    /** A value as the terminal shows it. */
    public static String show(Catalog.Param p, Object v) {
        if (v instanceof String) return ((String) v).replace("<br>", " ");
        if (p.name().equals("flags")) return "0x" + Integer.toHexString((Integer) v);
        return String.valueOf(v);
    }

    public static void print(Report r, PrintStream out) {
        out.println("== " + r.kind().name() + " (report type " + r.kind().type() + "): " + r.kind().title() + " ==");
        if (r.hasHeader()) {
            List<Object> h = r.headerValues();
            for (int i = 0; i < h.size(); i++) {
                Catalog.Param p = r.kind().setData().get(i);
                out.println(p.name() + ": " + show(p, h.get(i)));
            }
        }
        if (!r.kind().hasAddEntry()) return;
        int n = r.entryCount();
        out.println(n + (n == 1 ? " entry" : " entries"));
        if (n == 0) return;
        List<Catalog.Param> cols = r.kind().addEntry();
        List<String[]> rows = new ArrayList<>();
        int[] width = new int[cols.size()];
        for (int c = 0; c < cols.size(); c++) width[c] = cols.get(c).name().length();
        for (List<Object> e : r.entries()) {
            String[] row = new String[cols.size()];
            for (int c = 0; c < cols.size(); c++) {
                row[c] = show(cols.get(c), e.get(c));
                width[c] = Math.max(width[c], row[c].length());
            }
            rows.add(row);
        }
        StringBuilder head = new StringBuilder();
        for (int c = 0; c < cols.size(); c++) cell(head, cols.get(c).name(), width[c], cols.get(c).text(), c);
        out.println(head.toString().stripTrailing());
        for (String[] row : rows) {
            StringBuilder line = new StringBuilder();
            for (int c = 0; c < cols.size(); c++) cell(line, row[c], width[c], cols.get(c).text(), c);
            out.println(line.toString().stripTrailing());
        }
    }

    /** Texts are left-aligned, numbers right-aligned; columns are two blanks apart. */
    private static void cell(StringBuilder sb, String s, int width, boolean text, int col) {
        if (col > 0) sb.append("  ");
        String pad = " ".repeat(width - s.length());
        sb.append(text ? s + pad : pad + s);
    }
}
