package vyt.web;

import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;
import java.util.Locale;

/**
 * A table of a page that its reader can sort and filter through the query (so a link shares the
 * view) and download as CSV. Query parameters: {@code sort=KEY} and {@code dir=asc|desc} order the
 * rows by a column; {@code q=TEXT} keeps the rows whose cells hold the text (case-insensitive);
 * {@code csv=ID} answers the table with that id as CSV instead of the page (see {@link Csv}).
 * A page that shows several tables gives each its own id; sorting and filtering apply to all of
 * them by column key.
 */
final class Table {
    /**
     * A column: its key in the query, its heading and its unit ("" for none). A column that is not
     * {@code data} holds controls (forms): it neither sorts nor goes into the CSV.
     */
    record Column(String key, String label, String unit, boolean numeric, boolean data) {
        Column(String key, String label, String unit, boolean numeric) {
            this(key, label, unit, numeric, true);
        }

        static Column controls(String key, String label) {
            return new Column(key, label, "", false, false);
        }

        String heading() {
            return unit.isEmpty() ? label : label + " (" + unit + ")";
        }
    }

    /**
     * One cell: the text shown (and written to CSV), the value it sorts by (a Number for numeric
     * columns, else the text), a link (null for none) and a CSS class (null for none).
     */
    record Cell(String text, Comparable<?> sortKey, String href, String cls, String markup) {
        Cell(String text, Comparable<?> sortKey, String href, String cls) {
            this(text, sortKey, href, cls, null);
        }

        /** A cell of controls: markup written in this package (see {@link Html#raw}), no text. */
        static Cell controls(String markup) {
            return new Cell("", null, null, null, markup);
        }

        static Cell of(String text) {
            return new Cell(text, text, null, null);
        }

        static Cell number(String text, double value) {
            return new Cell(text, value, null, null);
        }
    }

    /** Thrown while a page is built when the query asks for one of its tables as CSV. */
    static final class Csv extends RuntimeException {
        private static final long serialVersionUID = 1L;
        final String id;
        final String text;

        Csv(String id, String text) {
            super("the table " + id + " as CSV", null, false, false);
            this.id = id;
            this.text = text;
        }
    }

    private final String id;
    private final String caption;
    private final List<Column> columns;
    private final List<List<Cell>> rows = new ArrayList<>();
    private String empty = "No rows.";

    Table(String id, String caption, List<Column> columns) {
        this.id = id;
        this.caption = caption;
        this.columns = List.copyOf(columns);
    }

    /** What the table says when it has no rows (or none that pass the filter). */
    Table empty(String text) {
        this.empty = text;
        return this;
    }

    Table row(List<Cell> cells) {
        if (cells.size() != columns.size())
            throw new IllegalArgumentException(cells.size() + " cells for " + columns.size() + " columns");
        rows.add(List.copyOf(cells));
        return this;
    }

    String id() {
        return id;
    }

    /** The rows that pass the query's filter, in the query's order. */
    List<List<Cell>> view(Params p) {
        String q = p.first("q");
        String needle = q == null || q.isBlank() ? null : q.strip().toLowerCase(Locale.ROOT);
        List<List<Cell>> out = new ArrayList<>();
        for (List<Cell> r : rows) {
            if (needle == null || r.stream().anyMatch(c -> c.text().toLowerCase(Locale.ROOT).contains(needle)))
                out.add(r);
        }
        int col = column(p.first("sort"));
        if (col >= 0) {
            Comparator<List<Cell>> by = Comparator.comparing(r -> r.get(col).sortKey(), Table::compareKeys);
            if ("desc".equals(p.first("dir"))) by = by.reversed();
            out.sort(by);
        }
        return out;
    }

    private int column(String key) {
        for (int i = 0; key != null && i < columns.size(); i++)
            if (columns.get(i).key().equals(key) && columns.get(i).data()) return i;
        return -1;
    }

    @SuppressWarnings({"unchecked", "rawtypes"})
    private static int compareKeys(Comparable a, Comparable b) {
        if (a == null || b == null) return a == null ? (b == null ? 0 : -1) : 1;
        if (a instanceof Number && b instanceof Number)
            return Double.compare(((Number) a).doubleValue(), ((Number) b).doubleValue());
        if (a.getClass() != b.getClass()) return a.toString().compareTo(b.toString());
        return a.compareTo(b);
    }

    /**
     * Writes the table with sortable headings, or throws {@link Csv} when the query asks for this
     * table as CSV. {@code here} is the page's address with its parameters other than sort, dir,
     * csv (as pairs for {@link Html#url}).
     */
    void write(Html h, Params p, String path, List<Object> here) {
        if (id.equals(p.first("csv"))) throw new Csv(id, csv(p));
        List<List<Cell>> shown = view(p);
        String sorted = p.first("sort");
        boolean desc = "desc".equals(p.first("dir"));
        h.raw("<div class=\"table\"><table").attr("id", id).raw(">");
        if (caption != null) h.raw("<caption>").text(caption).raw("</caption>");
        h.raw("<thead><tr>");
        for (Column c : columns) {
            if (!c.data()) {
                h.raw("<th scope=\"col\">").text(c.heading()).raw("</th>");
                continue;
            }
            boolean on = c.key().equals(sorted);
            List<Object> pairs = new ArrayList<>(here);
            pairs.add("sort");
            pairs.add(c.key());
            if (on && !desc) {
                pairs.add("dir");
                pairs.add("desc");
            }
            String cls = ((c.numeric() ? "num" : "") + (on ? " sorted" : "")).strip();
            h.raw("<th scope=\"col\"");
            if (!cls.isEmpty()) h.attr("class", cls);
            h.raw(">");
            h.raw("<a").attr("href", Html.url(path, pairs.toArray())).raw(">").text(c.heading());
            if (on) h.raw(desc ? " \u25bc" : " \u25b2");
            h.raw("</a></th>");
        }
        h.raw("</tr></thead><tbody>");
        if (shown.isEmpty()) {
            h.raw("<tr><td class=\"empty\"").attr("colspan", String.valueOf(columns.size())).raw(">").text(empty)
                    .raw("</td></tr>");
        }
        for (List<Cell> r : shown) {
            h.raw("<tr>");
            for (int i = 0; i < r.size(); i++) {
                Cell c = r.get(i);
                String cls = (columns.get(i).numeric() ? "num" : "") + (c.cls() == null ? "" : " " + c.cls());
                h.raw("<td");
                if (!cls.isBlank()) h.attr("class", cls.strip());
                h.raw(">");
                if (c.markup() != null) h.raw(c.markup());
                else if (c.href() != null) h.link(c.href(), c.text());
                else h.text(c.text());
                h.raw("</td>");
            }
            h.raw("</tr>");
        }
        h.raw("</tbody></table>");
        List<Object> csv = new ArrayList<>(here);
        if (sorted != null) {
            csv.add("sort");
            csv.add(sorted);
            if (desc) {
                csv.add("dir");
                csv.add("desc");
            }
        }
        csv.add("csv");
        csv.add(id);
        h.raw("<p class=\"download\"><a").attr("href", Html.url(path, csv.toArray())).attr("download", id + ".csv")
                .raw(">Download CSV</a></p></div>");
    }

    /**
     * The filter form above a page's tables: GET to {@code path}, keeping the query's other
     * parameters, so a filtered view is a link like any other; with a filter, a link to all rows.
     */
    static void filterForm(Html h, Params params, String path) {
        String q = params.first("q");
        List<Object> rest = new ArrayList<>();
        h.raw("<form method=\"get\" class=\"filter\" role=\"search\"").attr("action", path).raw(">");
        for (java.util.Map.Entry<String, List<String>> e : params.all().entrySet()) {
            if (e.getKey().equals("q") || e.getKey().equals("csv")) continue;
            for (String v : e.getValue()) {
                h.raw("<input type=\"hidden\"").attr("name", e.getKey()).attr("value", v).raw(">");
                rest.add(e.getKey());
                rest.add(v);
            }
        }
        h.raw("<label>Filter rows <input type=\"search\" name=\"q\"").attr("value", q == null ? "" : q)
                .raw("></label> <button>Filter</button>");
        if (q != null && !q.isBlank())
            h.text(" ").raw("<a class=\"clear\"").attr("href", Html.url(path, rest.toArray())).raw(">Show all rows</a>");
        h.raw("</form>");
    }

    /** The rows the query shows, as CSV (RFC 4180) with a heading line. */
    String csv(Params p) {
        StringBuilder sb = new StringBuilder();
        String sep = "";
        for (Column c : columns) {
            if (!c.data()) continue;
            sb.append(sep);
            field(sb, c.heading());
            sep = ",";
        }
        sb.append("\r\n");
        for (List<Cell> r : view(p)) {
            sep = "";
            for (int i = 0; i < r.size(); i++) {
                if (!columns.get(i).data()) continue;
                sb.append(sep);
                field(sb, r.get(i).text());
                sep = ",";
            }
            sb.append("\r\n");
        }
        return sb.toString();
    }

    /**
     * One CSV field, quoted when it needs to be. A text starting with =, +, - or @ gets a leading
     * apostrophe, so a spreadsheet never runs a collector's text as a formula.
     */
    private static void field(StringBuilder sb, String s) {
        String t = s == null ? "" : s;
        if (!t.isEmpty() && "=+-@\t\r".indexOf(t.charAt(0)) >= 0 && !t.matches("-?[0-9.,]+")) t = "'" + t;
        if (t.indexOf(',') >= 0 || t.indexOf('"') >= 0 || t.indexOf('\n') >= 0 || t.indexOf('\r') >= 0) {
            sb.append('"').append(t.replace("\"", "\"\"")).append('"');
        } else {
            sb.append(t);
        }
    }
}
