package vyt.web;

import java.time.Instant;
import java.time.ZoneId;
import java.time.format.DateTimeFormatter;
import java.util.List;
import vyt.catalog.States;
import vyt.history.AlertInterval;
import vyt.history.Components;
import vyt.history.Point;

/**
 * The trend charts as inline SVG, written straight into one StringBuilder: the response time of a
 * series (components stacked per point, the total as a line broken at gaps, the threshold, an
 * overlay read earlier, a band of the worst state per point and a mark on sample data) and an
 * alert timeline. Both scale to their box through the viewBox; texts are escaped.
 */
final class TrendChart {
    static final String[] COMPONENTS = {"Network", "Server", "Application", "Wait"};
    static final int W = 720;
    private static final int LEFT = 58, RIGHT = 12;
    private static final int PLOT_W = W - LEFT - RIGHT;
    /** Candidate time-axis steps, in seconds. */
    private static final long[] TIME_STEPS = {300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400,
        172800, 604800};

    private final StringBuilder sb;
    private final long from, to;
    private final ZoneId zone;
    private final DateTimeFormatter axisFormat;
    private final String zoneName;

    TrendChart(StringBuilder sb, long from, long to, ZoneId zone, String zoneName) {
        this.sb = sb;
        this.from = from;
        this.to = to;
        this.zone = zone;
        this.zoneName = zoneName;
        this.axisFormat = DateTimeFormatter.ofPattern(to - from <= 86_400 ? "HH:mm" : "MM-dd HH:mm").withZone(zone);
    }

    /** The worst state of a point's components, or -1 when none is known. */
    static int worst(Components<Integer> s) {
        return worse(worse(worse(worse(worse(-1, s.network()), s.server()), s.application()), s.waiting()), s.total());
    }

    /** The worse of a state so far (-1: none) and a component's state (null: unknown). */
    private static int worse(int w, Integer v) {
        // A state this application does not know ranks above critical: it is shown, never hidden.
        return v == null || (w >= 0 && rank(v) <= rank(w)) ? w : v;
    }

    private static int rank(int state) {
        return States.known(state) ? state : 3;
    }

    /**
     * The response-time chart. {@code earlier} (may be null) is the overlay, drawn as a dashed
     * total; the page's legend names it.
     */
    void responseTime(String id, String title, String desc, List<Point> points, List<Point> earlier) {
        int bandY = 6, bandH = 12, seedY = 20, top = 44, plotH = 220, height = top + plotH + 46;
        double max = 0;
        for (Point p : points) {
            if (p.gap()) continue;
            Components<Double> t = p.times();
            max = Math.max(max, sum(t));
            max = Math.max(max, val(t.total()));
            max = Math.max(max, val(p.thresholds().total()));
        }
        if (earlier != null) for (Point p : earlier) if (!p.gap()) max = Math.max(max, val(p.times().total()));
        double step = niceStep(max > 0 ? max : 1);
        double yMax = Math.ceil((max > 0 ? max : 1) / step) * step;
        double k = plotH / yMax;
        open(id, title, desc, height);
        // Value axis: grid lines and labels in ms.
        for (double v = 0; v <= yMax + step / 2; v += step) {
            double y = top + plotH - v * k;
            sb.append("<line class=\"grid\" x1=\"").append(LEFT).append("\" x2=\"").append(W - RIGHT)
                    .append("\" y1=\"");
            num(y).append("\" y2=\"");
            num(y).append("\"/><text class=\"tick\" x=\"").append(LEFT - 4).append("\" y=\"");
            num(y + 4).append("\" text-anchor=\"end\">");
            label(v, step).append("</text>");
        }
        sb.append("<text class=\"unit\" x=\"4\" y=\"").append(top - 14).append("\">ms</text>");
        // Gaps first, under everything: the time the collector was not reached.
        for (Point p : points) {
            if (!p.gap()) continue;
            double x0 = x(p.start()), x1 = x(p.start() + p.length());
            sb.append("<rect class=\"gap\" x=\"");
            num(x0).append("\" y=\"").append(top).append("\" width=\"");
            num(x1 - x0).append("\" height=\"").append(plotH).append("\"><title>no data</title></rect>");
        }
        // Stacked components: one path per component, a closed rectangle per point.
        for (int i = 0; i < 4; i++) {
            sb.append("<path class=\"c").append(i).append("\" d=\"");
            for (Point p : points) {
                if (p.gap()) continue;
                Components<Double> t = p.times();
                double below = 0;
                for (int j = 0; j < i; j++) below += val(component(t, j));
                double v = val(component(t, i));
                if (v <= 0) continue;
                double x0 = x(p.start()), x1 = x(p.start() + p.length());
                double w = x1 - x0 > 2 ? x1 - x0 - 0.6 : x1 - x0;
                sb.append('M');
                num(x0).append(' ');
                num(top + plotH - (below + v) * k).append('h');
                num(w).append('v');
                num(v * k).append('h');
                num(-w).append('z');
            }
            sb.append("\"/>");
        }
        // The state band and the sample marks, one rectangle per run of points alike.
        run(points, bandY, bandH, true);
        run(points, seedY, 4, false);
        line("total", points, top + plotH, k, 0);
        line("threshold", points, top + plotH, k, 1);
        if (earlier != null) line("compare", earlier, top + plotH, k, 0);
        sb.append("<line class=\"axis\" x1=\"").append(LEFT).append("\" x2=\"").append(W - RIGHT).append("\" y1=\"")
                .append(top + plotH).append("\" y2=\"").append(top + plotH).append("\"/>");
        timeAxis(top + plotH);
        sb.append("</svg>");
    }

    /** One bar per alert from its start to its end (an open alert to {@code now}), labelled by kind. */
    void alerts(String id, String title, String desc, List<AlertInterval> alerts, boolean withPath, long now) {
        int rowH = 34, top = 4;
        int height = top + rowH * alerts.size() + 48;
        open(id, title, desc, height);
        for (int i = 0; i < alerts.size(); i++) {
            AlertInterval a = alerts.get(i);
            int y = top + i * rowH;
            long end = a.end() == null ? now : a.end();
            double x0 = x(Math.max(a.start(), from)), x1 = x(Math.min(Math.max(end, a.start()), to));
            String label = (withPath ? a.kind() + " \u00b7 path " + a.path() : a.kind())
                    + (a.seeded() ? " \u00b7 sample" : "");
            String state = States.name(a.state());
            sb.append("<text class=\"tick\" x=\"").append(LEFT).append("\" y=\"").append(y + 14).append("\">");
            Html.escape(sb, label.length() > 60 ? label.substring(0, 59) + "\u2026" : label);
            sb.append(" (").append(state).append(a.end() == null ? ", open" : "").append(")</text><rect class=\"")
                    .append(Charts.stateClass(a.state())).append("\" x=\"");
            num(x0).append("\" y=\"").append(y + 18).append("\" width=\"");
            num(Math.max(1.5, x1 - x0)).append("\" height=\"12\"><title>");
            Html.escape(sb, label);
            sb.append(": ").append(state).append(a.end() == null ? ", still open" : "").append("</title></rect>");
        }
        timeAxis(top + rowH * alerts.size() + 8);
        sb.append("</svg>");
    }

    /**
     * Rectangles over runs of neighbouring points with the same worst state ({@code states}) or
     * with sample data (otherwise); a gap or an unknown state ends a run.
     */
    private void run(List<Point> points, int y, int h, boolean states) {
        int cur = -1;
        double x0 = 0, x1 = 0;
        for (int i = 0; i <= points.size(); i++) {
            Point p = i < points.size() ? points.get(i) : null;
            int v = p == null || p.gap() ? -1 : states ? worst(p.states()) : p.seeded() ? 1 : -1;
            boolean joins = p != null && v == cur && p.start() <= x1Time(points, i);
            if (cur >= 0 && !joins) {
                sb.append("<rect class=\"").append(states ? Charts.stateClass(cur) : "seeded").append("\" x=\"");
                num(x0).append("\" y=\"").append(y).append("\" width=\"");
                num(x1 - x0).append("\" height=\"").append(h).append('"');
                if (states) sb.append("><title>").append(States.name(cur)).append("</title></rect>");
                else sb.append("><title>sample data</title></rect>");
            }
            if (p == null) break;
            if (!joins) {
                cur = v;
                x0 = x(p.start());
            }
            x1 = x(p.start() + p.length());
        }
    }

    /** The end of the point before {@code i}, where a run continuing into point {@code i} must start. */
    private static long x1Time(List<Point> points, int i) {
        if (i == 0) return Long.MIN_VALUE;
        Point q = points.get(i - 1);
        return q.start() + q.length();
    }

    private static Double component(Components<Double> t, int i) {
        return switch (i) {
            case 0 -> t.network();
            case 1 -> t.server();
            case 2 -> t.application();
            default -> t.waiting();
        };
    }

    private void open(String id, String title, String desc, int height) {
        sb.append("<svg class=\"trend\" role=\"img\" width=\"100%\" viewBox=\"0 0 ").append(W).append(' ')
                .append(height).append("\" preserveAspectRatio=\"xMinYMin meet\" aria-labelledby=\"").append(id)
                .append("-t ").append(id).append("-d\"><title id=\"").append(id).append("-t\">");
        Html.escape(sb, title);
        sb.append("</title><desc id=\"").append(id).append("-d\">");
        Html.escape(sb, desc);
        sb.append("</desc>");
    }

    /**
     * A line over the points' totals ({@code which} 0) or total thresholds (1), lifted at every
     * gap and every unknown value, so a missing value is never drawn as zero.
     */
    private void line(String cls, List<Point> points, double base, double k, int which) {
        sb.append("<path class=\"").append(cls).append("\" fill=\"none\" d=\"");
        boolean pen = false;
        int drawn = 0;
        for (Point p : points) {
            Double v = p.gap() ? null : which == 0 ? p.times().total() : p.thresholds().total();
            if (v == null) {
                pen = false;
                continue;
            }
            double y = base - v * k;
            double x0 = x(p.start()), x1 = x(p.start() + p.length());
            if (which == 1) {  // a threshold holds over its whole point: a step
                sb.append(pen ? 'L' : 'M');
                num(x0).append(' ');
                num(y).append('L');
                num(x1).append(' ');
                num(y);
            } else {
                sb.append(pen ? 'L' : 'M');
                num((x0 + x1) / 2).append(' ');
                num(y);
                if (!pen) {  // a lone point still shows: a short tick across it
                    sb.append('h').append("0.01");
                }
            }
            pen = true;
            drawn++;
        }
        if (drawn == 0) sb.append("M0 0");
        sb.append("\"/>");
    }

    private void timeAxis(int y) {
        long span = to - from;
        long step = TIME_STEPS[TIME_STEPS.length - 1];
        // Longer labels (with the date) need more room: fewer of them.
        int most = span <= 86_400 ? 7 : 4;
        for (long s : TIME_STEPS) {
            if (span / s <= most) {
                step = s;
                break;
            }
        }
        long off = zone.getRules().getOffset(Instant.ofEpochSecond(from)).getTotalSeconds();
        long first = Math.floorDiv(from + off + step - 1, step) * step - off;
        for (long t = first; t <= to; t += step) {
            double x = x(t);
            sb.append("<line class=\"axis\" x1=\"");
            num(x).append("\" x2=\"");
            num(x).append("\" y1=\"").append(y).append("\" y2=\"").append(y + 5).append("\"/><text class=\"tick\" x=\"");
            num(x).append("\" y=\"").append(y + 18).append("\" text-anchor=\"middle\">")
                    .append(axisFormat.format(Instant.ofEpochSecond(t))).append("</text>");
        }
        sb.append("<text class=\"unit\" x=\"").append(W - RIGHT).append("\" y=\"").append(y + 36)
                .append("\" text-anchor=\"end\">Time (");
        Html.escape(sb, zoneName);
        sb.append(")</text>");
    }

    private double x(long t) {
        return LEFT + (double) (t - from) * PLOT_W / (to - from);
    }

    private static double sum(Components<Double> t) {
        return val(t.network()) + val(t.server()) + val(t.application()) + val(t.waiting());
    }

    private static double val(Double d) {
        return d == null || d < 0 ? 0 : d;
    }

    /** A step of 1, 2 or 5 times a power of ten giving about five intervals up to {@code max}. */
    static double niceStep(double max) {
        double raw = max / 5;
        double mag = Math.pow(10, Math.floor(Math.log10(raw)));
        for (double m : new double[] {1, 2, 5}) if (m * mag >= raw) return m * mag;
        return 10 * mag;
    }

    private StringBuilder label(double v, double step) {
        if (step >= 1) return sb.append(Math.round(v));
        return sb.append(String.format(java.util.Locale.ROOT, "%.2f", v).replaceAll("0+$", "").replaceAll("\\.$", ""));
    }

    /** Appends a coordinate with one decimal, without String.format (this runs for every point). */
    private StringBuilder num(double d) {
        long tenths = Math.round(d * 10);
        if (tenths < 0) {
            sb.append('-');
            tenths = -tenths;
        }
        sb.append(tenths / 10);
        if (tenths % 10 != 0) sb.append('.').append(tenths % 10);
        return sb;
    }
}
