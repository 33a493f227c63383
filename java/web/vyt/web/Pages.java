package vyt.web;

import java.time.Instant;
import java.time.format.DateTimeFormatter;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.TreeMap;
import javax.servlet.http.HttpServletRequest;
import javax.servlet.http.HttpServletResponse;
import vyt.catalog.Catalog;
import vyt.catalog.Flags;
import vyt.catalog.RuleCode;
import vyt.catalog.States;
import vyt.client.Client;
import vyt.client.ClientException;
import vyt.client.Fields;
import vyt.client.RuleReply;
import org.vytjni.api.AlertState;
import org.vytjni.api.Report;
import org.vytjni.api.reports.AllTransactions;
import org.vytjni.api.reports.CurrentPerformance;
import org.vytjni.api.reports.CurrentUrlAlerts;
import org.vytjni.api.reports.PathPorts;
import org.vytjni.api.reports.ResponseTime;
import org.vytjni.api.reports.ServerDetail;
import org.vytjni.api.reports.SubTransactions;
import org.vytjni.api.reports.TransactionFlow;
import org.vytjni.api.reports.TransactionInfo;
import org.vytjni.api.reports.TransactionServers;
import org.vytjni.api.reports.UrlRules;

/** The pages of one request. Every text from a report is escaped where it is written. */
final class Pages {
    /** A UTC second count with its zone, for texts outside the pages (the pages use {@link Values#TIME}). */
    static final DateTimeFormatter STAMP = DateTimeFormatter.ofPattern("yyyy-MM-dd HH:mm:ss zzz");
    static final String[] DETAIL_KINDS = {"response-time-detail", "network-detail", "server-detail", "wait-detail",
        "path-time-detail"};
    static final String[] TIER_KINDS = {"network-time", "server-time", "wait-time", "path-time"};

    private final FrontEndServlet servlet;
    private final HttpServletRequest req;
    private final HttpServletResponse resp;
    private final Reports client;
    private final Params params;
    private final String ctx;
    private final View view;

    Pages(FrontEndServlet servlet, HttpServletRequest req, HttpServletResponse resp, Reports client, View view) {
        this.view = view;
        this.servlet = servlet;
        this.req = req;
        this.resp = resp;
        this.client = client;
        this.params = new Params(req);
        this.ctx = req.getContextPath();
    }

    private Report get(String kind, Client.Selection sel) throws ClientException {
        return client.fetch(Catalog.byName(kind), sel, false);
    }

    /** The report of a kind as its typed record. */
    private <R extends Report> R get(Class<R> type, String kind, Client.Selection sel) throws ClientException {
        return type.cast(get(kind, sel));
    }

    /** A link of this front end, keeping the collector the page is about. */
    private String u(String path, Object... pairs) {
        List<Object> all = new ArrayList<>(java.util.Arrays.asList(pairs));
        all.addAll(collectorPair(view));
        return Html.url(ctx + path, all.toArray());
    }

    /** The {@code collector} parameter the links of a page carry: none for the default collector. */
    static List<Object> collectorPair(View view) {
        if (view == null || view.collectors().isEmpty() || view.collector().equals(view.collectors().get(0)))
            return List.of();
        return List.of("collector", view.collector());
    }

    /** This page's parameters other than sort, dir and csv, as pairs: the address its tables link to. */
    private List<Object> here() {
        List<Object> pairs = new ArrayList<>();
        for (Map.Entry<String, List<String>> e : params.all().entrySet()) {
            if (Set.of("sort", "dir", "csv").contains(e.getKey())) continue;
            for (String v : e.getValue()) {
                pairs.add(e.getKey());
                pairs.add(v);
            }
        }
        return pairs;
    }

    private String pagePath() {
        return req.getRequestURI();
    }

    private boolean filterShown;

    /**
     * Writes a table; the first table of a page gets the filter form above it (GET, keeping the
     * page's other parameters, so the filtered view is a link like any other).
     */
    private void table(Html h, Table t) {
        if (!filterShown) {
            filterShown = true;
            Table.filterForm(h, params, pagePath());
        }
        t.write(h, params, pagePath(), here());
    }

    // ---- frame ---------------------------------------------------------------------------------

    /** Opens a page; interval pages refresh themselves unless the query has refresh=off. */
    private Html open(String title, boolean interval) throws Params.BadParameter {
        Html h = new Html();
        String refresh = params.value("refresh");
        if (refresh != null && !refresh.equals("off") && !refresh.equals("on"))
            throw new Params.BadParameter("refresh", "on or off, not " + refresh);
        boolean refreshing = interval && !"off".equals(refresh);
        head(h, ctx, title, refreshing, interval ? switchHref(refreshing) : null, view);
        return h;
    }

    /** This page's address with the refresh switch turned the other way. */
    private String switchHref(boolean refreshing) {
        List<Object> pairs = new ArrayList<>();
        for (Map.Entry<String, List<String>> e : new TreeMap<>(params.all()).entrySet()) {
            if (e.getKey().equals("refresh")) continue;
            for (String v : e.getValue()) {
                pairs.add(e.getKey());
                pairs.add(v);
            }
        }
        if (refreshing) {
            pairs.add("refresh");
            pairs.add("off");
        }
        return Html.url(ctx + req.getRequestURI().substring(ctx.length()), pairs.toArray());
    }

    /**
     * The start of every page up to its heading: the refresh switch when {@code switchHref} is
     * given, and, with a view, the collector's name, how old its data is and a banner when stale.
     */
    static void head(Html h, String ctx, String title, boolean refreshing, String switchHref, View view) {
        h.raw("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">");
        if (refreshing) h.raw("<meta http-equiv=\"refresh\" content=\"").text(FrontEndServlet.REFRESH_SECONDS)
                .raw("\">");
        h.raw("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">");
        h.raw("<title>").text(title).raw(" \u2014 VYT</title><link rel=\"stylesheet\"")
                .attr("href", ctx + "/style.css").raw("></head><body><header><nav>");
        Object[] keep = collectorPair(view).toArray();
        h.link(Html.url(ctx + "/", keep), "Overview").link(Html.url(ctx + "/alerts", keep), "Alerts")
                .link(Html.url(ctx + "/reports", keep), "All reports").link(ctx + "/collectors", "Collectors");
        h.raw("</nav>");
        if (switchHref != null) {
            h.raw("<p class=\"refresh\">");
            if (refreshing) h.text("Refreshes every " + FrontEndServlet.REFRESH_SECONDS + " s \u00b7 ")
                    .raw("<a id=\"refresh-switch\"").attr("href", switchHref).raw(">Stop refreshing</a>");
            else h.text("Not refreshing \u00b7 ").raw("<a id=\"refresh-switch\"").attr("href", switchHref)
                    .raw(">Refresh every " + FrontEndServlet.REFRESH_SECONDS + " s</a>");
            h.raw("</p>");
        }
        if (view != null) {
            long age = view.ageSeconds(Instant.now());
            h.raw("<p class=\"source\">Collector ").el("span", "collector", view.collector());
            if (age >= 0) h.text(" \u00b7 ").el("span", "updated", "updated " + age + " s ago");
            h.raw("</p>");
        }
        h.raw("</header><main>");
        if (view != null && view.stale())
            h.raw("<p class=\"stale\" role=\"status\">").text("The data is stale: the last good poll of "
                    + view.collector() + " was more than two intervals ago. The last good data stays on show.")
                    .raw("</p>");
        h.raw("<h1>").text(title).raw("</h1>");
    }

    static void foot(Html h) {
        h.raw("</main><footer>Times are the server's local time, zone ").el("span", "zone", FrontEndServlet.zone())
                .raw(".</footer></body></html>\n");
    }

    private String close(Html h) {
        foot(h);
        return h.toString();
    }

    // ---- values --------------------------------------------------------------------------------

    /** One value as a page shows it: a state as its word in its colour, a time, a transaction as a link. */
    static void value(Html h, Catalog.Param p, Object v, String ctx, View view) {
        Values.Shown shown = Values.of(p, v);
        if (shown.text().isEmpty()) {
            h.el("span", "none", "\u2014");
        } else if (shown.cls() != null) {
            h.el("span", "state " + shown.cls(), shown.text());
        } else if (p.role() == Catalog.Role.EPOCH_SECONDS || (p.role() == Catalog.Role.TEXT
                && shown.text().matches("[0-9]{4}-[0-9]{2}-[0-9]{2} .*"))) {
            h.el("time", null, shown.text());
        } else if (p.name().equals("tranName") && !shown.text().isEmpty()) {
            List<Object> pairs = new ArrayList<>(List.of("tran", shown.text()));
            pairs.addAll(collectorPair(view));
            h.link(Html.url(ctx + "/transaction", pairs.toArray()), shown.text());
        } else {
            h.text(shown.text());
        }
    }

    /** {@link #value(Html, Catalog.Param, Object, String, View)} for the default collector. */
    static void value(Html h, Catalog.Param p, Object v, String ctx) {
        value(h, p, v, ctx, null);
    }

    private void value(Html h, Catalog.Param p, Object v) {
        value(h, p, v, ctx, view);
    }

    /** The setData values as a list of names and values. */
    private void header(Html h, Report r) {
        List<Object> values = Fields.header(r);
        if (values.isEmpty()) return;
        h.raw("<dl class=\"header\">");
        List<Catalog.Param> ps = Fields.kind(r).setData();
        for (int i = 0; i < ps.size(); i++) {
            h.el("dt", null, Values.label(ps.get(i))).raw("<dd").attr("data-name", ps.get(i).name()).raw(">");
            value(h, ps.get(i), values.get(i));
            h.raw("</dd>");
        }
        h.raw("</dl>");
    }

    /**
     * The addEntry rows as a table (id: the kind's name and "-entries") with the parameters' labels
     * as column heads; a row's transaction links to its page and its path number to the path's.
     * {@code tran} is the transaction the page is about, or null.
     */
    private void entries(Html h, Report r, String tran) {
        Catalog.Kind k = Fields.kind(r);
        if (!k.hasAddEntry()) return;
        List<Catalog.Param> ps = k.addEntry();
        List<List<Object>> rows = Fields.entries(r);
        h.raw("<p class=\"count\">").text(Values.count(rows.size()) + (rows.size() == 1 ? " entry" : " entries"))
                .raw("</p>");
        List<Table.Column> cols = new ArrayList<>();
        for (Catalog.Param p : ps)
            cols.add(new Table.Column(p.name(), Values.label(p), "", !p.text() && !p.isFlags()));
        Table t = new Table(k.name() + "-entries", null, cols).empty(emptyText(k, tran));
        int tranCol = index(ps, "tranName"), pathCol = k.takes(Catalog.Selection.PATH) ? -1 : index(ps, "pathId");
        for (List<Object> e : rows) {
            String rowTran = tranCol >= 0 ? (String) e.get(tranCol) : tran;
            List<Table.Cell> cells = new ArrayList<>();
            for (int i = 0; i < ps.size(); i++) {
                String href = null;
                boolean known = rowTran != null && !rowTran.isEmpty();
                if (i == tranCol && known) href = u("/transaction", "tran", rowTran);
                if (i == pathCol && known) href = u("/path", "tran", rowTran, "path", e.get(i));
                cells.add(Values.of(ps.get(i), e.get(i)).cell(href));
            }
            t.row(cells);
        }
        table(h, t);
    }

    /** What an empty table of a kind says. */
    static String emptyText(Catalog.Kind k, String tran) {
        if (tran == null)
            return "The collector lists no " + k.title().toLowerCase(java.util.Locale.ROOT) + " at present.";
        if (index(k.setData(), "tranTotalCtSum") >= 0)
            return "No transactions measured in this interval for " + tran + ".";
        return "The collector lists nothing of this kind for " + tran + ".";
    }

    private static int index(List<Catalog.Param> ps, String name) {
        for (int i = 0; i < ps.size(); i++) if (ps.get(i).name().equals(name)) return i;
        return -1;
    }

    private void section(Html h, Report r) {
        section(h, Fields.kind(r).title(), r);
    }

    private void section(Html h, String title, Report r) {
        Catalog.Kind k = Fields.kind(r);
        h.raw("<section class=\"report\" id=\"").text(k.name()).raw("\"><h2>").text(title).raw(" ")
                .link(u("/reports/" + k.name(), sel(k)), "\u2197").raw("</h2>");
        header(h, r);
        entries(h, r, params.first("tran"));
        h.raw("</section>");
    }

    /** The query of this page restricted to what a kind takes, for its /reports link. */
    private Object[] sel(Catalog.Kind k) {
        List<Object> pairs = new ArrayList<>();
        for (Catalog.Selection s : k.selections()) {
            String v = params.first(s.key());
            if (v != null) {
                pairs.add(s.key());
                pairs.add(v);
            }
        }
        if (k.takes(Catalog.Selection.VIEW) && params.first("view") == null) {
            pairs.add("view");
            pairs.add("VIEW_DISTRIBUTIONS");
        }
        return pairs.toArray();
    }

    // ---- pages ---------------------------------------------------------------------------------

    String overview() throws Params.BadParameter, ClientException {
        CurrentPerformance perf = get(CurrentPerformance.class, "current-performance", Client.Selection.NONE);
        AllTransactions all = get(AllTransactions.class, "all-transactions", Client.Selection.NONE);
        Report alerts = get("current-alerts", Client.Selection.NONE);
        Html h = open("Current performance", true);
        h.raw("<p>").text("From ");
        value(h, param(perf, "startTime"), perf.startTime());
        h.text(" to ");
        value(h, param(perf, "currentTime"), perf.currentTime());
        h.text(" (");
        value(h, param(perf, "duration"), perf.duration());
        h.text(")").raw("</p><ul class=\"states\">");
        Object[][] tiles = {{"Overall", perf.allStateText(), perf.allState()},
            {"Node response time", perf.nodeRespTimeStateText(), perf.nodeRespTimeState()},
            {"Path response time", perf.pathRespTimeStateText(), perf.pathRespTimeState()},
            {"Network", perf.networkStateText(), perf.networkState()},
            {"Server", perf.serverStateText(), perf.serverState()}, {"Wait", perf.waitStateText(), perf.waitState()}};
        for (Object[] t : tiles) {
            int st = ((AlertState) t[2]).value();
            h.raw("<li class=\"tile ").raw(Values.stateClass(st)).raw("\" data-state=\"").text(st).raw("\">")
                    .el("strong", null, (String) t[0]).el("span", null, (String) t[1]).raw("</li>");
        }
        h.raw("</ul><h2>Current alerts</h2>");
        List<Catalog.Param> ap = Fields.kind(alerts).addEntry();
        int start = index(ap, "alertStart"), tranCol = index(ap, "tranName"), pathCol = index(ap, "pathId");
        int src = index(ap, "pathIPSrcNetName"), dst = index(ap, "pathIPDstNetName");
        int worst = index(ap, "worstComponentState");
        Table at = new Table("alerts", null, List.of(new Table.Column("state", "State", "", false),
                new Table.Column("tran", "Transaction", "", false), new Table.Column("path", "Path", "", true),
                new Table.Column("between", "Between", "", false), new Table.Column("since", "Since", "", false)))
                .empty("No path of any transaction is in alert.");
        for (List<Object> e : Fields.entries(alerts)) {
            String t = (String) e.get(tranCol);
            int path = (Integer) e.get(pathCol);
            at.row(List.of(Values.of(ap.get(worst), e.get(worst)).cell(null),
                    new Table.Cell(t, t, u("/transaction", "tran", t), null),
                    new Table.Cell("Path " + path, path, u("/path", "tran", t, "path", path), null),
                    Table.Cell.of(e.get(src) + " \u2192 " + e.get(dst)),
                    Values.of(ap.get(start), e.get(start)).cell(null)));
        }
        table(h, at);
        h.raw("<h2>Transactions</h2>");
        Table tt = new Table("transactions", null, List.of(new Table.Column("tran", "Transaction", "", false),
                new Table.Column("kind", "Kind", "", false))).empty("The collector monitors no transaction.");
        for (AllTransactions.Entry e : all.entries()) {
            String t = e.tranName();
            String kind = (e.flags().bits() & Flags.HTTP_TRANSACTIONS) != 0 ? "HTTP" : "other";
            tt.row(List.of(new Table.Cell(t, t, u("/transaction", "tran", t), null), Table.Cell.of(kind)));
        }
        table(h, tt);
        h.raw("<p>").text("Collector started ");
        value(h, param(all, "collectorStartupTime"), Fields.word(all.collectorStartupTime()));
        h.raw("</p>");
        return close(h);
    }

    private static Catalog.Param param(Report r, String name) {
        for (Catalog.Param p : Fields.kind(r).setData()) if (p.name().equals(name)) return p;
        throw new IllegalArgumentException(name);
    }

    /** A header value by its catalogue name, as the word the collector sent. */
    private static int headerWord(Report r, String name) {
        List<Catalog.Param> ps = Fields.kind(r).setData();
        for (int i = 0; i < ps.size(); i++) if (ps.get(i).name().equals(name)) return (Integer) Fields.header(r).get(i);
        throw new IllegalArgumentException(name);
    }

    String transaction() throws Params.BadParameter, ClientException {
        String tran = params.tran(true);
        Client.Selection s = Client.Selection.NONE.tran(tran);
        TransactionInfo info = get(TransactionInfo.class, "transaction-info", s);
        ResponseTime rt = get(ResponseTime.class, "response-time", s);
        TransactionServers servers = get(TransactionServers.class, "transaction-servers", s);
        Html h = open("Transaction " + tran, true);
        h.raw("<p class=\"links\">").link(u("/tiers", "tran", tran), "Tier times")
                .link(u("/flow", "tran", tran), "Flow")
                .link(u("/sub-transactions", "tran", tran), "Sub-transactions")
                .link(u("/rules", "tran", tran), "URL rules")
                .link(u("/reports/transaction-paths", "tran", tran), "Paths")
                .link(u("/reports/reportability-detail", "tran", tran), "Reportability")
                .link(u("/trend", "tran", tran), "Trend").raw("</p>");
        h.raw("<p>").text("Flags: ");
        value(h, param(info, "flags"), Fields.word(info.flags()));
        h.text(" \u00b7 " + Values.count(rt.tranTotalCtSum()) + " transactions from ");
        value(h, param(rt, "startTime"), rt.startTime());
        h.text(" to ");
        value(h, param(rt, "currentTime"), rt.currentTime());
        h.raw("</p><h2>Response time per path</h2>");
        List<Charts.Bar> bars = new ArrayList<>();
        for (ResponseTime.Entry e : rt.entries()) {
            int id = e.pathId();
            bars.add(new Charts.Bar("Path " + id + " " + e.pathIPSrcNetName() + " \u2192 " + e.pathIPDstNetName(),
                    u("/path", "tran", tran, "path", id), new int[] {e.pathNetRespTimeAvg(), e.pathSrvRespTimeAvg(),
                        e.pathAppRespTimeAvg(), e.pathWaitRespTimeAvg()}));
        }
        if (bars.isEmpty()) {
            h.el("p", "empty", "No transactions measured in this interval for " + tran + ".");
        } else {
            Charts.stackedBars(h, "Average response time per path of " + tran,
                    List.of("network", "server", "application", "wait"), bars, "ms");
        }
        h.raw("<ul class=\"paths\">");
        for (ResponseTime.Entry e : rt.entries()) {
            int id = e.pathId();
            h.raw("<li>").link(u("/path", "tran", tran, "path", id), "Path " + id + ": "
                    + e.pathIPSrcNetName() + " \u2192 " + e.pathIPDstNetName())
                    .text(" ").link(u("/summary", "tran", tran, "path", id), "summary and thresholds")
                    .text(" ").link(u("/trend", "tran", tran, "path", id), "trend").raw("</li>");
        }
        h.raw("</ul>");
        section(h, "Response time", rt);
        h.raw("<h2>Servers</h2>");
        Table st = new Table("servers", null, List.of(new Table.Column("server", "Server", "", false),
                new Table.Column("id", "Number", "", true)))
                .empty("The collector knows no server of " + tran + ".");
        for (TransactionServers.Entry e : servers.entries()) {
            int id = e.serverId();
            st.row(List.of(new Table.Cell(e.serverIPNetName(), e.serverIPNetName(),
                    u("/server-load", "tran", tran, "server", id), null), Table.Cell.number(Integer.toString(id), id)));
        }
        table(h, st);
        return close(h);
    }

    String tiers() throws Params.BadParameter, ClientException {
        String tran = params.tran(true);
        List<Report> rs = new ArrayList<>();
        for (String k : TIER_KINDS) rs.add(get(k, Client.Selection.NONE.tran(tran)));
        Html h = open("Tier times of " + tran, true);
        h.raw("<p>").link(u("/transaction", "tran", tran), "\u2190 " + tran).raw("</p>");
        for (Report r : rs) section(h, r);
        return close(h);
    }

    String serverLoad() throws Params.BadParameter, ClientException {
        Catalog.Kind k = Catalog.byName("server-load");
        Report r = client.fetch(k, params.selection(k), false);
        Html h = open("Load of server " + params.value("server") + " for " + params.value("tran"), true);
        h.raw("<p>").link(u("/transaction", "tran", params.first("tran")), "\u2190 " + params.first("tran"))
                .raw("</p>");
        section(h, r);
        return close(h);
    }

    String flow() throws Params.BadParameter, ClientException {
        String tran = params.tran(true);
        TransactionFlow r = get(TransactionFlow.class, "transaction-flow", Client.Selection.NONE.tran(tran));
        Html h = open("Transaction flow of " + tran, true);
        h.raw("<p>").link(u("/transaction", "tran", tran), "\u2190 " + tran).raw("</p><div class=\"flow\">");
        TreeMap<Integer, List<TransactionFlow.Entry>> cols = new TreeMap<>();
        for (TransactionFlow.Entry e : r.entries()) cols.computeIfAbsent(e.colNum(), c -> new ArrayList<>()).add(e);
        for (List<TransactionFlow.Entry> col : cols.values()) {
            h.raw("<div class=\"column\">");
            for (TransactionFlow.Entry e : col) {
                // The box and the node's row in the table below take their colour from the same state.
                int st = e.nodeWorstComponentState().value();
                h.raw("<div class=\"node ").raw(Values.stateClass(st)).raw("\"").attr("data-node", e.nodeName())
                        .raw(">").el("strong", null, e.nodeName()).el("span", null, e.nodeAlias())
                        .el("span", "word", States.name(st))
                        .el("span", null, "server " + Values.count(e.nodeSrvRespTimeAvg()) + " ms, path "
                                + Values.count(e.pathTotRespTimeAvg()) + " ms").raw("</div>");
            }
            h.raw("</div>");
        }
        h.raw("</div>");
        section(h, r);
        return close(h);
    }

    String path() throws Params.BadParameter, ClientException {
        String tran = params.tran(true);
        int path = params.number("path", 0, Integer.MAX_VALUE, true);
        int view = params.flags("view", Flags.VIEW_DISTRIBUTIONS);
        Client.Selection s = Client.Selection.NONE.tran(tran).path(path).view(view);
        PathPorts ports = get(PathPorts.class, "path-ports", s);
        List<Report> details = new ArrayList<>();
        for (String k : DETAIL_KINDS) details.add(get(k, s));
        Html h = open("Path " + path + " of " + tran + ": " + ports.pathIPSrcNetName() + " \u2192 "
                + ports.pathIPDstNetName(), true);
        h.raw("<p class=\"links\">").link(u("/transaction", "tran", tran), "\u2190 " + tran)
                .link(u("/summary", "tran", tran, "path", path), "Summary and thresholds")
                .link(u("/trend", "tran", tran, "path", path), "Trend").raw("</p>");
        h.raw("<div class=\"histograms\">");
        for (Report r : details) {
            histogram(h, r, "", Fields.kind(r).title());
            if (r instanceof ServerDetail) histogram(h, r, "app", "Application time distribution");
        }
        h.raw("</div>");
        for (Report r : details) section(h, r);
        section(h, ports);
        return close(h);
    }

    private static void histogram(Html h, Report r, String prefix, String title) {
        String g = prefix.isEmpty() ? "Group" : prefix + "Group";
        int[] bounds = new int[3], counts = new int[4], states = new int[4];
        for (int i = 0; i < 4; i++) {
            if (i < 3) bounds[i] = headerWord(r, g + (i + 1));
            counts[i] = headerWord(r, g + (i + 1) + "Ct");
            states[i] = headerWord(r, g + (i + 1) + "State");
        }
        Charts.histogram(h, title, bounds, counts, states, "ms");
    }

    String alerts() throws Params.BadParameter, ClientException {
        Catalog.Kind urlKind = Catalog.byName("current-url-alerts");
        Client.Selection us = params.selection(urlKind);
        Report cur = get("current-alerts", Client.Selection.NONE);
        CurrentUrlAlerts url = (CurrentUrlAlerts) client.fetch(urlKind, us, false);
        Report events = get("event-alerts", Client.Selection.NONE);
        Html h = open("Alerts", true);
        section(h, cur);
        section(h, url);
        pager(h, "/alerts", url.reportEntryContinueIdx(), url.reportEntryContinueIdx2(),
                us, null);
        section(h, events);
        return close(h);
    }

    /**
     * Next and previous links of a paged list. The reply's continuation words say where the next
     * page starts (0 after the last page). A list whose first word is a plain index (the
     * sub-transactions and the rules) also gets a previous link one page size back; the URL
     * alerts are addressed by transaction and alert number, so they get a link to the first page.
     */
    private void pager(Html h, String page, int next1, int next2, Client.Selection s, String tran) {
        boolean indexed = !page.equals("/alerts");
        Integer scroll = s.scroll() > 0 ? s.scroll() : null;
        h.raw("<p class=\"pager\">");
        if (s.continueIdx() > 0 || s.continueIdx2() > 0) {
            if (indexed) {
                int size = scroll != null ? scroll : 10;
                h.raw("<a rel=\"prev\"").attr("href", u(page, "tran", tran, "continue",
                        Math.max(0, s.continueIdx() - size), "scroll", scroll)).raw(">\u2190 previous</a> ");
            }
            h.link(u(page, "tran", tran, "scroll", scroll), "first");
        }
        if (next1 != 0 || (!indexed && next2 != 0)) {
            h.raw(" <a rel=\"next\"").attr("href", u(page, "tran", tran, "continue", next1, "continue2",
                    indexed ? null : next2, "scroll", scroll)).raw(">next \u2192</a>");
        }
        h.raw("</p>");
    }

    String summary() throws Params.BadParameter, ClientException {
        String tran = params.tran(true);
        int path = params.number("path", 0, Integer.MAX_VALUE, true);
        Client.Selection s = Client.Selection.NONE.tran(tran).path(path);
        Report sum = get("summary", s);
        Report th = get("thresholds", s);
        Html h = open("Summary and thresholds of path " + path + " of " + tran, false);
        h.raw("<p>").link(u("/path", "tran", tran, "path", path), "\u2190 path " + path).raw("</p>");
        section(h, sum);
        h.raw("<section id=\"threshold-table\"><h2>Thresholds</h2>");
        List<Table.Column> cols = new ArrayList<>(List.of(new Table.Column("component", "Component", "", false)));
        String[][] groups = {{"Group1", "Group 1 up to"}, {"Group2", "Group 2 up to"}, {"Group3", "Group 3 up to"},
            {"Warn", "Warning from"}, {"Crit", "Critical from"}};
        for (String[] g : groups) cols.add(new Table.Column(g[0].toLowerCase(java.util.Locale.ROOT), g[1], "", true));
        Table t = new Table("thresholds", null, cols);
        for (String[] c : new String[][] {{"Network", "pathNetRespTime"}, {"Server", "pathSrvRespTime"},
            {"Application", "pathAppRespTime"}, {"Wait", "pathWaitRespTime"}, {"Total", "pathTotRespTime"},
            {"Path", "pathRespTime"}}) {
            List<Table.Cell> cells = new ArrayList<>(List.of(Table.Cell.of(c[0])));
            for (String[] g : groups) {
                Catalog.Param p = param(th, c[1] + g[0]);
                cells.add(Values.of(p, headerWord(th, p.name())).cell(null));
            }
            t.row(cells);
        }
        table(h, t);
        h.raw("</section>");
        section(h, th);
        return close(h);
    }

    String subTransactions() throws Params.BadParameter, ClientException {
        Catalog.Kind k = Catalog.byName("sub-transactions");
        Client.Selection s = params.selection(k);
        SubTransactions r = (SubTransactions) client.fetch(k, s, false);
        Html h = open("Sub-transactions of " + s.tran(), false);
        h.raw("<p>").link(u("/transaction", "tran", s.tran()), "\u2190 " + s.tran()).raw("</p>");
        section(h, r);
        pager(h, "/sub-transactions", r.reportEntryContinueIdx(), 0, s, s.tran());
        return close(h);
    }

    // ---- URL rules -------------------------------------------------------------------------------

    static final String[][] TYPES = {{"include", "URL_LIST_TYPE_INCLUDE"}, {"exclude", "URL_LIST_TYPE_EXCLUDE"}};
    static final String[][] SEARCHES = {{"exact", "URL_SEARCH_TYPE_EXACT_MATCH"},
        {"begins", "URL_SEARCH_TYPE_BEGINS_WITH"}, {"contains", "URL_SEARCH_TYPE_CONTAINS"},
        {"ends", "URL_SEARCH_TYPE_ENDS_WITH"}};
    static final String[][] PRECEDENCES = {{"include-first", "URL_LIST_PRECEDENCE_INCLUDE_FIRST"},
        {"exclude-first", "URL_LIST_PRECEDENCE_EXCLUDE_FIRST"}};

    /** Rules shown on one page of the rules list. */
    static final int RULES_PAGE = 50;

    /** The operations of the rule forms and the report kind each runs. */
    static final Map<String, String> RULE_OPS = Map.of("add", "add-url-rule", "edit", "edit-url-rule",
            "remove", "remove-url-rule", "precedence", "url-rule-precedence");

    /**
     * The rules of a transaction with their forms; {@code result} is the outcome of a change (the
     * list then starts at its first rule), or null. After a change went through, the redirect
     * names its operation ({@code done=OP}); {@code remove=N} asks to confirm removing rule N.
     */
    String rules(String result) throws Params.BadParameter, ClientException {
        if (result == null) params.only("tran", "continue", "done", "remove");
        String tran = params.tran(true);
        String done = result == null ? params.value("done") : null;
        if (done != null) {
            if (!RULE_OPS.containsKey(done)) throw new Params.BadParameter("done", "not an operation: " + done);
            result = Catalog.byName(RULE_OPS.get(done)).title() + ": " + codeText(0);
        }
        if (result == null && params.value("remove") != null) return confirmRemove(tran);
        Client.Selection page = Client.Selection.NONE.tran(tran)
                .continueAt(result == null ? params.number("continue", 0, Integer.MAX_VALUE, false) : 0, 0)
                .scroll(RULES_PAGE);
        UrlRules r = get(UrlRules.class, "url-rules", page);
        String token = servlet.token(req, resp);
        Html h = open("URL rules of " + tran, false);
        h.raw("<p>").link(u("/transaction", "tran", tran), "\u2190 " + tran).raw("</p>");
        if (result != null) h.raw("<p class=\"result\" id=\"result\">").text(result).raw("</p>");
        int lf = r.flags().bits();
        h.raw("<p>").text("Precedence: " + ((lf & Flags.URL_PRECEDENCE_EXCLUDE_FIRST) != 0 ? "exclude rules first"
                : "include rules first")).raw("</p>");
        Table t = new Table("rules", null, List.of(new Table.Column("id", "No.", "", true),
                new Table.Column("url", "URL", "", false), new Table.Column("type", "Type", "", false),
                new Table.Column("match", "Match", "", false), new Table.Column("hits", "Hits", "", true),
                Table.Column.controls("change", "Change")))
                .empty("No URL rules for " + tran + (page.continueIdx() > 0 ? " from here on." : "."));
        for (UrlRules.Entry e : r.entries()) {
            int id = e.urlRuleId(), f = e.flags().bits();
            String url = e.urlName();
            Html c = new Html();
            form(c, "edit", tran, token);
            c.raw("<input type=\"hidden\" name=\"continue\"").attr("value", Integer.toString(id)).raw(">")
                    .raw("<input name=\"sub\" size=\"28\" required").attr("value", url)
                    .attr("aria-label", "URL of rule " + id).raw(">");
            select(c, "type", TYPES, pick(TYPES, f));
            select(c, "search", SEARCHES, pick(SEARCHES, f));
            c.raw("<button>Save</button></form> ");
            c.raw("<form method=\"get\" class=\"inline\" data-op=\"remove\"").attr("action", ctx + "/rules")
                    .raw("><input type=\"hidden\" name=\"tran\"").attr("value", tran)
                    .raw("><input type=\"hidden\" name=\"remove\"").attr("value", Integer.toString(id)).raw(">");
            keepCollector(c);
            c.raw("<button>Remove</button></form>");
            t.row(List.of(Table.Cell.number(Integer.toString(id), id), new Table.Cell(url, url, null, "url"),
                    Table.Cell.of(pick(TYPES, f)), Table.Cell.of(pick(SEARCHES, f)),
                    Table.Cell.number(Values.count(e.hitCt()), e.hitCt()), Table.Cell.controls(c.toString())));
        }
        table(h, t);
        pager(h, "/rules", r.reportEntryContinueIdx(), 0, page, tran);
        h.raw("<h2>Add a rule</h2>");
        form(h, "add", tran, token);
        h.raw("<input name=\"sub\" size=\"40\" required aria-label=\"URL\" placeholder=\"/path/\">");
        select(h, "type", TYPES, "include");
        select(h, "search", SEARCHES, "begins");
        h.raw("<button>Add</button></form><h2>Precedence</h2>");
        form(h, "precedence", tran, token);
        select(h, "precedence", PRECEDENCES, (lf & Flags.URL_PRECEDENCE_EXCLUDE_FIRST) != 0 ? "exclude-first"
                : "include-first");
        h.raw("<button>Set</button></form>");
        return close(h);
    }

    /** Asks before removing a rule: the POST form that removes it, and a way back. */
    private String confirmRemove(String tran) throws Params.BadParameter {
        int id = params.number("remove", 0, Integer.MAX_VALUE, true);
        String token = servlet.token(req, resp);
        Html h = open("Remove URL rule " + id + " of " + tran + "?", false);
        h.raw("<p>").text("Rule " + id + " of " + tran + " will be removed from the collector.").raw("</p>");
        form(h, "remove", tran, token);
        h.raw("<input type=\"hidden\" name=\"continue\"").attr("value", Integer.toString(id))
                .raw("><button>Remove rule ").text(id).raw("</button></form> ")
                .raw("<a id=\"cancel\"").attr("href", u("/rules", "tran", tran)).raw(">Keep it</a>");
        return close(h);
    }

    private static String pick(String[][] options, int flags) {
        for (String[] o : options) if ((flags & Flags.parse(o[1])) != 0) return o[0];
        return "-";
    }

    private void form(Html h, String op, String tran, String token) {
        h.raw("<form method=\"post\" class=\"inline\" data-op=\"").text(op).raw("\"").attr("action", ctx + "/rules")
                .raw("><input type=\"hidden\" name=\"op\"").attr("value", op)
                .raw("><input type=\"hidden\" name=\"tran\"").attr("value", tran)
                .raw("><input type=\"hidden\" name=\"csrf\"").attr("value", token).raw(">");
        keepCollector(h);
    }

    /** A form's hidden {@code collector} field, when the page is about a collector other than the first. */
    private void keepCollector(Html h) {
        List<Object> pair = collectorPair(view);
        if (!pair.isEmpty())
            h.raw("<input type=\"hidden\" name=\"collector\"").attr("value", (String) pair.get(1)).raw(">");
    }

    private static void select(Html h, String name, String[][] options, String chosen) {
        h.raw("<select").attr("name", name).attr("aria-label", name).raw(">");
        for (String[] o : options) {
            h.raw("<option").attr("value", o[0]).raw(o[0].equals(chosen) ? " selected>" : ">").text(o[0])
                    .raw("</option>");
        }
        h.raw("</select>");
    }

    private int option(String name, String[][] options) throws Params.BadParameter {
        String v = params.value(name);
        if (v == null) throw new Params.BadParameter(name, "required");
        for (String[] o : options) if (o[0].equals(v)) return Flags.parse(o[1]);
        throw new Params.BadParameter(name, "not one of the choices: " + v);
    }

    /**
     * A POSTed rule change: checked token, the operation, then a redirect to the list saying what
     * was done (so a reload does not repeat it), or 422 with the list and the collector's reason.
     * Returns null after a redirect.
     */
    String changeRules() throws FrontEndServlet.Failure, Params.BadParameter, ClientException {
        servlet.checkToken(req);
        params.only("op", "tran", "sub", "type", "search", "continue", "precedence");
        String op = params.value("op");
        String tran = params.tran(true);
        Client.Selection s = Client.Selection.NONE.tran(tran);
        String kind;
        if ("add".equals(op)) {
            kind = "add-url-rule";
            s = s.sub(params.url()).view(option("type", TYPES) | option("search", SEARCHES));
        } else if ("edit".equals(op)) {
            kind = "edit-url-rule";
            s = s.continueAt(params.number("continue", 0, Integer.MAX_VALUE, true), 0).sub(params.url())
                    .view(option("type", TYPES) | option("search", SEARCHES));
        } else if ("remove".equals(op)) {
            kind = "remove-url-rule";
            s = s.continueAt(params.number("continue", 0, Integer.MAX_VALUE, true), 0);
        } else if ("precedence".equals(op)) {
            kind = "url-rule-precedence";
            s = s.view(option("precedence", PRECEDENCES));
        } else {
            throw new Params.BadParameter("op", "add, edit, remove or precedence, not " + op);
        }
        int code = RuleReply.returnCode(servlet.change(req, Catalog.byName(kind), s));
        if (code == 0) {
            redirect(u("/rules", "tran", tran, "done", op));
            return null;
        }
        resp.setStatus(422);
        return rules(Catalog.byName(kind).title() + ": " + codeText(code));
    }

    /** 303 See Other: the browser fetches {@code location} with GET. */
    private void redirect(String location) {
        resp.setStatus(303);
        resp.setHeader("Location", location);
        resp.setContentLength(0);
    }

    static String codeText(int code) {
        return RuleCode.text(code);
    }

    /** What a rule operation's return code means. */
    static String codeReason(int code) {
        RuleCode c = RuleCode.of(code);
        return c == null ? "unknown" : c.meaning;
    }

    // ---- every report by name --------------------------------------------------------------------

    String index() throws Params.BadParameter {
        Html h = open("All reports", false);
        Table t = new Table("kinds", null, List.of(new Table.Column("type", "Type", "", true),
                new Table.Column("report", "Report", "", false), new Table.Column("title", "What it shows", "", false),
                new Table.Column("arguments", "Arguments", "", false)));
        for (Catalog.Kind k : Catalog.all()) {
            List<String> args = new ArrayList<>();
            for (Catalog.Selection s : k.selections()) args.add(s.key());
            t.row(List.of(Table.Cell.number(Integer.toString(k.type()), k.type()),
                    new Table.Cell(k.name(), k.name(), u("/reports/" + k.name()), null), Table.Cell.of(k.title()),
                    Table.Cell.of(args.isEmpty() ? "-" : String.join(", ", args))));
        }
        table(h, t);
        return close(h);
    }

    /**
     * One report by its catalogue name. Without arguments, a kind that needs some shows a form
     * for them; a kind that changes rules is run only by POST with the session's token.
     */
    String report(Catalog.Kind k, boolean post) throws FrontEndServlet.Failure, Params.BadParameter,
            ClientException {
        boolean changes = k.changesRules();
        if (post && !changes) throw new FrontEndServlet.Failure(405, k.name() + " is read with GET");
        if (changes && !post) return reportForm(k, true);
        if (!post && !k.selections().isEmpty() && params.all().isEmpty()) return reportForm(k, false);
        if (post) servlet.checkToken(req);
        Client.Selection sel = params.selection(k);
        Report r = changes ? servlet.change(req, k, sel) : client.fetch(k, sel, false);
        int code = changes ? RuleReply.returnCode(r) : 0;
        if (changes && code == 0) {
            redirect(u("/reports/" + k.name(), "done", 1));
            return null;
        }
        if (code != 0) resp.setStatus(422);
        Html h = open(k.title() + " (" + k.name() + ")", false);
        if (changes) h.raw("<p class=\"result\" id=\"result\">").text(codeText(code)).raw("</p>");
        h.raw("<p>").link(u("/api/reports/" + k.name(), sel(k)), "as JSON").raw("</p>");
        header(h, r);
        entries(h, r, params.first("tran"));
        return close(h);
    }

    private String reportForm(Catalog.Kind k, boolean changes) throws Params.BadParameter {
        Html h = open(k.title() + " (" + k.name() + ")", false);
        List<String> keys = new ArrayList<>(List.of("done"));
        for (Catalog.Selection s : k.selections()) keys.add(s.key());
        params.only(keys.toArray(new String[0]));
        if (changes && params.first("done") != null) {
            h.raw("<p class=\"result\" id=\"result\">").text(codeText(0)).raw("</p>");
        }
        h.raw("<form class=\"args\"").attr("method", changes ? "post" : "get").attr("action", ctx + "/reports/"
                + k.name()).raw(">");
        if (changes) h.raw("<input type=\"hidden\" name=\"csrf\"").attr("value", servlet.token(req, resp))
                .raw(">");
        keepCollector(h);
        for (Catalog.Selection s : k.selections()) {
            String v = params.first(s.key());
            h.raw("<label>").text(s.key()).raw(" <input").attr("name", s.key()).attr("value", v == null ? "" : v)
                    .raw("></label> ");
        }
        h.raw("<button>").text(changes ? "Change" : "Show").raw("</button></form>");
        return close(h);
    }
}
