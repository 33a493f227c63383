package vyt.web;

import java.util.List;

/** Charts drawn on the server as inline SVG; labels are escaped like any other text. */
final class Charts {
    private Charts() {}

    /** One bar of a stacked bar chart: its label and one value per component. */
    record Bar(String label, String href, int[] values) {}

    /**
     * Horizontal stacked bars, one per row, with a legend: each component in its own colour
     * class {@code c0..}, the total at the end of the bar.
     */
    static void stackedBars(Html h, String title, List<String> components, List<Bar> bars, String unit) {
        int labelW = 240, barW = 360, rowH = 26, top = 28;
        long max = 1;
        for (Bar b : bars) {
            long sum = 0;
            for (int v : b.values()) sum += Math.max(0, v);
            max = Math.max(max, sum);
        }
        int height = top + rowH * bars.size() + 8;
        h.raw("<svg class=\"chart bars\" role=\"img\" viewBox=\"0 0 680 ").text(height)
                .raw("\" preserveAspectRatio=\"xMinYMin meet\"><title>").text(title).raw("</title>");
        int x = 0;
        for (int c = 0; c < components.size(); c++) {
            h.raw("<rect class=\"c").text(c).raw("\" x=\"").text(x).raw("\" y=\"4\" width=\"12\" height=\"12\"/>");
            h.raw("<text x=\"").text(x + 16).raw("\" y=\"15\">").text(components.get(c)).raw("</text>");
            x += 20 + 8 * components.get(c).length();
        }
        for (int i = 0; i < bars.size(); i++) {
            Bar b = bars.get(i);
            int y = top + i * rowH;
            h.raw("<text x=\"0\" y=\"").text(y + 15).raw("\">");
            if (b.href() != null) h.raw("<a").attr("href", b.href()).raw(">");
            h.text(clip(b.label(), 36));
            if (b.href() != null) h.raw("</a>");
            h.raw("</text>");
            double pos = labelW;
            long sum = 0;
            for (int c = 0; c < b.values().length; c++) {
                int v = Math.max(0, b.values()[c]);
                sum += v;
                double w = (double) barW * v / max;
                h.raw("<rect class=\"c").text(c).raw("\" x=\"").raw(fmt(pos)).raw("\" y=\"").text(y + 3)
                        .raw("\" width=\"").raw(fmt(w)).raw("\" height=\"18\"><title>").text(components.get(c))
                        .raw(": ").text(Values.count(v)).raw(" ").text(unit).raw("</title></rect>");
                pos += w;
            }
            h.raw("<text x=\"").raw(fmt(pos + 6)).raw("\" y=\"").text(y + 16).raw("\">").text(Values.count(sum))
                    .raw(" ").text(unit).raw("</text>");
        }
        h.raw("</svg>");
    }

    /**
     * A histogram of a distribution: four groups bounded by three thresholds, each bar coloured
     * by the group's state (classes {@code s0}, {@code s1}, {@code s2}, {@code sx}).
     */
    static void histogram(Html h, String title, int[] bounds, int[] counts, int[] states, String unit) {
        int w = 320, plotH = 110, top = 34, barW = 60, gap = 16;
        long max = 1;
        for (int c : counts) max = Math.max(max, c);
        h.raw("<svg class=\"chart histogram\" role=\"img\" viewBox=\"0 0 ").text(w).raw(" ")
                .text(top + plotH + 40).raw("\" preserveAspectRatio=\"xMinYMin meet\"><title>").text(title)
                .raw("</title>");
        h.raw("<text x=\"0\" y=\"14\" class=\"caption\">").text(title).raw("</text>");
        for (int g = 0; g < 4; g++) {
            int c = Math.max(0, counts[g]);
            double bh = (double) plotH * c / max;
            int x = 10 + g * (barW + gap);
            String label = g == 0 ? "\u2264 " + Values.count(bounds[0]) : g == 3 ? "> " + Values.count(bounds[2])
                    : Values.count(bounds[g - 1]) + "\u2013" + Values.count(bounds[g]);
            h.raw("<rect class=\"").raw(stateClass(states[g])).raw("\" x=\"").text(x).raw("\" y=\"")
                    .raw(fmt(top + plotH - bh)).raw("\" width=\"").text(barW).raw("\" height=\"").raw(fmt(bh))
                    .raw("\"><title>").text(label).raw(" ").text(unit).raw(": ").text(Values.count(c))
                    .raw("</title></rect>");
            h.raw("<text class=\"count\" x=\"").text(x + barW / 2).raw("\" y=\"").raw(fmt(top + plotH - bh - 3))
                    .raw("\" text-anchor=\"middle\">").text(Values.count(c)).raw("</text>");
            h.raw("<text x=\"").text(x + barW / 2).raw("\" y=\"").text(top + plotH + 16)
                    .raw("\" text-anchor=\"middle\">").text(label).raw("</text>");
        }
        h.raw("<text x=\"10\" y=\"").text(top + plotH + 34).raw("\">").text(unit).raw("</text></svg>");
    }

    /** The class of a state value: the pages' one mapping ({@link Values#stateClass}). */
    static String stateClass(int state) {
        return Values.stateClass(state);
    }

    private static String clip(String s, int n) {
        return s.length() <= n ? s : s.substring(0, n - 1) + "\u2026";
    }

    private static String fmt(double d) {
        return String.format(java.util.Locale.ROOT, "%.1f", d);
    }
}
