package vyt.web;

import java.time.Instant;
import vyt.catalog.States;
import vyt.history.HistoryException;

/**
 * {@code /collectors}: every collector the front end shows, with its state (ok, stale,
 * unreachable, waiting for its first poll), how old its data is, its number of transactions,
 * its worst current alert state and links to its pages; and the history store's condition.
 */
final class CollectorsPage {
    private CollectorsPage() {
    }

    static String page(String ctx, CollectorSet set, Poller.StoreHealth store, String storeWhere, boolean refreshing) {
        Instant now = Instant.now();
        Html h = new Html();
        Pages.head(h, ctx, "Collectors", refreshing, null, null);
        h.raw("<table class=\"collectors\"><thead><tr><th>Collector</th><th>State</th><th>Updated</th>"
                + "<th class=\"num\">Transactions</th><th>Worst alert</th><th>Pages</th></tr></thead><tbody>");
        for (Source s : set.all()) {
            String state = s.state(now);
            Instant good = s.lastGood();
            h.raw("<tr class=\"row-").raw(state.equals("ok") ? "s0" : state.equals("stale") ? "s1" : "s2")
                    .raw("\"><td>").link(Html.url(ctx + "/", "collector", s.name), s.name)
                    .raw(s.sample ? " (built-in sample)" : "").raw("</td><td>").el("span", "state-" + state, state);
            if (s.lastError() != null && !state.equals("ok")) h.raw("<br>").el("small", null, s.lastError());
            h.raw("</td><td>").text(good == null ? "never"
                    : "updated " + Math.max(0, now.getEpochSecond() - good.getEpochSecond()) + " s ago")
                    .raw("</td><td class=\"num\">").text(s.transactions() < 0 ? "\u2014" : String.valueOf(s.transactions()))
                    .raw("</td><td>");
            if (s.worst() < 0) h.text("\u2014");
            else h.el("span", "state " + Charts.stateClass(s.worst()), States.title(s.worst()));
            h.raw("</td><td>").link(Html.url(ctx + "/", "collector", s.name), "Overview").text(" \u00b7 ")
                    .link(Html.url(ctx + "/alerts", "collector", s.name), "Alerts").text(" \u00b7 ")
                    .link(Html.url(ctx + "/reports", "collector", s.name), "All reports").raw("</td></tr>");
        }
        h.raw("</tbody></table>");
        if (storeWhere != null) {
            HistoryException f = store == null ? null : store.fault();
            h.raw("<p class=\"history\">History: ").text(storeWhere);
            if (f == null) h.text(" \u00b7 writes ok");
            else h.raw("</p><p class=\"error\">").text("The history store refuses writes since " + store.since()
                    + ": " + f.getMessage() + " Polling goes on and the intervals are written once it takes them.");
            h.raw("</p>");
        }
        Pages.foot(h);
        return h.toString();
    }
}
