package vyt.cli;

import org.vytjni.api.CollectorErrorException;
import vyt.catalog.*;
import vyt.client.*;
import vyt.collector.*;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.util.ArrayList;
import java.util.List;
import java.util.Set;
import java.util.function.ToIntFunction;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

import org.junit.jupiter.api.AfterAll;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;

/**
 * Every report kind fetched over loopback from the sample collector and decoded by the library:
 * the values that reach the target are the sample data set's values that the collector encoded.
 */
class EndToEndTest {
    /** 2005-04-28 07:08:41 UTC. */
    static final int NOW = 1114672121;

    static Collector collector;
    static Client client;
    static Sample s;
    static Sample.Transaction checkout;
    static Sample.Transaction login;
    static Sample.Transaction search;

    @BeforeAll
    static void start() throws Exception {
        collector = new Collector(new Sample(NOW), 0);
        client = new Client(collector.host(), collector.port());
        s = collector.sample();
        checkout = s.transaction("checkout");
        login = s.transaction("login");
        search = s.transaction("search");
    }

    @AfterAll
    static void stop() {
        collector.close();
    }

    static NamedValues fetch(String name, Client.Selection sel) throws ClientException {
        return NamedValues.of(client.fetch(Catalog.byName(name), sel, false));
    }

    static Client.Selection tran(String t) {
        return Client.Selection.NONE.tran(t);
    }

    /** Every int parameter of a call not named in {@code special} equals the sample's value of that name. */
    static void assertValues(String what, List<Catalog.Param> params, List<Object> args,
            ToIntFunction<String> expected, Set<String> special) {
        int checked = 0;
        for (int i = 0; i < params.size(); i++) {
            Catalog.Param p = params.get(i);
            if (p.text() || special.contains(p.name())) continue;
            assertEquals(expected.applyAsInt(p.name()), (int) (Integer) args.get(i), what + " " + p.name());
            checked++;
        }
        assertTrue(checked > 0, what + ": nothing compared");
    }

    static void assertSpan(NamedValues r, int now, int start) {
        assertEquals(Texts.stamp(now), r.headerText("currentTime"));
        assertEquals(Texts.stamp(start), r.headerText("startTime"));
        assertEquals(Texts.duration(now, start), r.headerText("duration"));
    }

    static void assertPathTexts(NamedValues r, int i, Sample.Path p) {
        assertEquals(p.src().netName(), r.entryText(i, "pathIPSrcNetName"));
        assertEquals(p.dst().netName(), r.entryText(i, "pathIPDstNetName"));
        assertEquals(p.src().alias(), r.entryText(i, "pathIPSrcAlias"));
        assertEquals(p.dst().alias(), r.entryText(i, "pathIPDstAlias"));
    }

    // ---- transaction inventory ----------------------------------------------------------------

    @Test
    void allTransactionsListsEveryTransactionWithItsFlags() throws Exception {
        NamedValues r = fetch("all-transactions", Client.Selection.NONE);
        assertEquals(s.startup, r.headerInt("collectorStartupTime"));
        assertEquals(s.collectorFlags(), r.headerInt("flags"));
        assertEquals(s.transactions.size(), r.entryCount());
        for (int i = 0; i < r.entryCount(); i++) {
            assertEquals(s.transactions.get(i).name(), r.entryText(i, "tranName"));
            assertEquals(s.transactions.get(i).flags(), r.entryInt(i, "flags"));
        }
    }

    @Test
    void transactionInfoAndServers() throws Exception {
        NamedValues info = fetch("transaction-info", tran("login"));
        assertEquals(List.of("login", s.startup, login.flags()), info.headerValues());

        NamedValues servers = fetch("transaction-servers", tran("search"));
        List<Sample.Node> expected = search.servers();
        assertEquals(expected.size(), servers.entryCount());
        for (int i = 0; i < expected.size(); i++) {
            Sample.Node n = expected.get(i);
            assertEquals("search", servers.entryText(i, "tranName"));
            assertEquals(n.netName(), servers.entryText(i, "serverIPNetName"));
            assertEquals(n.serverId(), servers.entryInt(i, "serverId"));
            assertEquals(n.online() ? 0 : Flags.MSERVER_OFFLINE, servers.entryInt(i, "flags"));
        }
        assertSame(servers.entry(0, "tranName"), servers.entry(1, "tranName"));
    }

    @Test
    void transactionPathsWithTheirEndAndPorts() throws Exception {
        NamedValues r = fetch("transaction-paths", tran("checkout"));
        Sample.Path end = checkout.endPath();
        assertEquals(3, r.entryCount());
        for (int i = 0; i < 3; i++) {
            Sample.Path p = checkout.paths().get(i);
            assertEquals("checkout", r.entryText(i, "tranName"));
            assertPathTexts(r, i, p);
            assertEquals(end.dst().netName(), r.entryText(i, "pathEndIPDstNetName"));
            assertEquals(end.dst().alias(), r.entryText(i, "pathEndIPDstAlias"));
            assertEquals(List.of(p.srcPort(), p.dstPort(), p.id(), end.id(), end.srcPort(), end.dstPort(), p.position()),
                    r.entries().get(i).subList(7, 14));
        }
        NamedValues l = fetch("transaction-paths", tran("login"));
        assertEquals("", l.entryText(0, "pathIPSrcAlias"));
        assertEquals(Flags.CLIENT_AND_END_PATH, l.entryInt(0, "flags"));
    }

    @Test
    void pathPortsListSourceThenDestinationPorts() throws Exception {
        for (Sample.Transaction t : List.of(checkout, login)) {
            Sample.Path p = t.path(1);
            NamedValues r = fetch("path-ports", tran(t.name()).path(1));
            assertEquals(List.of(t.name(), p.src().address(), p.src().netName(), p.src().alias(), p.dst().address(), p.dst().netName(),
                    p.dst().alias(), 1, p.srcPorts().size(), p.dstPorts().size(), s.startup,
                    p.position() | Flags.MULTIPLE_SRC_PORTS), r.headerValues());
            List<List<Object>> expected = new ArrayList<>();
            for (int port : p.srcPorts()) expected.add(List.of(port, Flags.SRC_PORT));
            for (int port : p.dstPorts()) expected.add(List.of(port, Flags.DST_PORT));
            assertEquals(expected, r.entries());
        }
        assertTrue(login.path(1).srcPorts().contains(65535), "the sample has a port of 65535");
    }

    @Test
    void currentPerformanceStatesAndTexts() throws Exception {
        NamedValues r = fetch("current-performance", Client.Selection.NONE);
        assertSpan(r, NOW, NOW - Sample.INTERVAL);
        String[] texts = {"allStateText", "nodeRespTimeStateText", "pathRespTimeStateText", "networkStateText",
            "serverStateText", "sixthStateText", "waitStateText"};
        for (int b = 0; b < texts.length; b++) assertEquals(s.perfText(b), r.headerText(texts[b]), texts[b]);
        assertEquals(List.of(s.perfState(0), s.perfState(1), s.perfState(6), s.perfState(3), s.perfState(4),
                s.perfState(2), s.startup, s.collectorFlags()), r.headerValues().subList(10, 18));
    }

    @Test
    void reportabilityOverviewAndDetail() throws Exception {
        NamedValues r = fetch("reportability", Client.Selection.NONE);
        assertEquals(List.of(Texts.stamp(NOW), Texts.stamp(s.startup), "Last 26 hours 03 mins 04 secs",
                s.startup), r.headerValues());
        assertEquals(s.transactions.size(), r.entryCount());
        for (int i = 0; i < r.entryCount(); i++) {
            Sample.Transaction t = s.transactions.get(i);
            int online = 0;
            for (Sample.Node n : t.servers()) online += n.online() ? 1 : 0;
            assertEquals(List.of(t.name(), t.reportableSecs() == -1 ? "NO_TRANS_RECV" : Texts.statusTime(
                    t.reportableSecs()), t.servers().size(), online, t.flags()), r.entries().get(i));
        }
        assertEquals("01 01:01:01", r.entryText(1, "tranTime"));

        NamedValues d = fetch("reportability-detail", tran("search"));
        assertEquals(List.of("search", Texts.stamp(NOW), Texts.stamp(s.startup),
                "Last 26 hours 03 mins 04 secs", s.startup), d.headerValues());
        List<Sample.Node> servers = search.servers();
        assertEquals(servers.size(), d.entryCount());
        for (int i = 0; i < servers.size(); i++) {
            Sample.Node n = servers.get(i);
            assertEquals(List.of(n.address(), n.netName(), Texts.statusTime(s.serverReportableSecs(search, n)),
                    n.online() ? 0 : Flags.MSERVER_OFFLINE), d.entries().get(i));
        }
    }

    // ---- interval reports ------------------------------------------------------------------

    static final Set<String> INTERVAL_SPECIAL = Set.of("pathId", "pathIPDstPort", "pathIPSrcPort", "flags",
            "sumIntervalAux", "reportReturnCode", "headerValue");

    void checkInterval(String name, boolean withAvg) throws Exception {
        NamedValues r = fetch(name, tran("checkout"));
        assertSpan(r, NOW, NOW - Sample.INTERVAL);
        assertEquals(s.tranValue(checkout, "tranTotalCtSum"), r.headerInt("tranTotalCtSum"));
        assertEquals(s.sumIntervalAux(), r.headerInt("sumIntervalAux"));
        assertEquals(0, r.headerInt("reportReturnCode"));
        assertEquals(checkout.flags(), r.headerInt(name.equals("server-time") ? "headerValue" : "flags"));
        if (withAvg) assertEquals(s.tranValue(checkout, "tranTotRespTimeAvg"), r.headerInt("tranTotRespTimeAvg"));
        assertEquals(checkout.paths().size(), r.entryCount());
        for (int i = 0; i < r.entryCount(); i++) {
            Sample.Path p = checkout.paths().get(i);
            assertPathTexts(r, i, p);
            assertEquals(p.id(), r.entryInt(i, "pathId"));
            assertEquals(p.dstPort(), r.entryInt(i, "pathIPDstPort"));
            assertEquals(p.position(), r.entryInt(i, "flags"));
            assertValues(name + " entry " + i, r.kind().addEntry(), r.entries().get(i), n -> s.pathValue(checkout, p, n),
                    INTERVAL_SPECIAL);
        }
    }

    @Test
    void responseTime() throws Exception {
        checkInterval("response-time", false);
        NamedValues r = fetch("response-time", tran("checkout"));
        assertEquals(checkout.path(1).srcPort(), r.entryInt(0, "pathIPSrcPort"));
    }

    @Test
    void networkTime() throws Exception {
        checkInterval("network-time", false);
    }

    @Test
    void serverTimeTakesItsReturnCodeAfterTheHeaderWord() throws Exception {
        checkInterval("server-time", false);
    }

    @Test
    void waitTime() throws Exception {
        checkInterval("wait-time", false);
    }

    @Test
    void pathTime() throws Exception {
        checkInterval("path-time", true);
    }

    @Test
    void transactionFlowCells() throws Exception {
        NamedValues r = fetch("transaction-flow", tran("checkout"));
        assertSpan(r, NOW, NOW - Sample.INTERVAL);
        assertEquals(List.of(s.tranValue(checkout, "tranTotalCtSum"), s.sumIntervalAux(),
                s.tranValue(checkout, "tranTotRespTimeAvg"), checkout.flags(), 0), r.headerValues().subList(3, 8));
        List<Sample.FlowCell> cells = s.flow(checkout);
        assertEquals(cells.size(), r.entryCount());
        for (int i = 0; i < cells.size(); i++) {
            Sample.FlowCell c = cells.get(i);
            assertEquals(List.of(c.node().netName(), c.node().alias(), c.port(), c.colNum(), c.type(), c.path().position()),
                    r.entries().get(i).subList(0, 6));
            assertEquals(c.path().id(), r.entryInt(i, "pathId"));
            assertEquals(c.path().tier(), r.entryInt(i, "pathTier"));
            assertValues("flow cell " + i, r.kind().addEntry(), r.entries().get(i),
                    n -> n.startsWith("node") ? s.nodeValue(checkout, c.node(), n) : s.pathValue(checkout, c.path(), n),
                    Set.of("nodePort", "colNum", "type", "flags", "pathId", "pathTier"));
        }
    }

    @Test
    void serverLoadOfTheWebServer() throws Exception {
        Sample.Node web = s.server(11);
        NamedValues r = fetch("server-load", Client.Selection.NONE.server(11));
        List<Sample.Path> paths = new ArrayList<>();
        for (Sample.Transaction t : s.transactions) for (Sample.Path p : t.paths()) if (p.dst() == web) paths.add(p);
        int total = 0;
        for (Sample.Path p : paths) total += s.pathValue(s.owner(p), p, "pathTotRespTimeDataCtSum");
        assertSpan(r, NOW, NOW - Sample.INTERVAL);
        assertEquals(List.of(total, s.startup, 0), r.headerValues().subList(3, 6));
        assertEquals(3, paths.size());
        assertEquals(paths.size(), r.entryCount());
        for (int i = 0; i < paths.size(); i++) {
            Sample.Path p = paths.get(i);
            Sample.Transaction own = s.owner(p);
            Sample.Path shared = s.sharedPath(own, web);
            assertPathTexts(r, i, p);
            assertEquals(own.name(), r.entryText(i, "ownTranName"));
            assertEquals(s.owner(shared).name(), r.entryText(i, "impTranName"));
            assertEquals(List.of(p.id(), p.srcPort(), p.dstPort()), r.entries().get(i).subList(6, 9));
            assertEquals(p.position() | Flags.OWNING_TRAN_NAME | Flags.IMPACTING_TRAN_NAME, r.entryInt(i, "flags"));
            assertValues("server load " + i, r.kind().addEntry(), r.entries().get(i), n -> s.pathValue(own, p, n),
                    Set.of("pathId", "pathIPSrcPort", "pathIPDstPort", "flags"));
        }
        ClientException e = assertThrows(ClientException.class,
                () -> fetch("server-load", Client.Selection.NONE.server(999)));
        assertEquals(ClientException.Reason.SERVER_NOT_FOUND, e.reason);
        assertTrue(e.getMessage().contains(CollectorErrorException.SERVER_NOT_FOUND), e.getMessage());
    }

    // ---- path detail reports -------------------------------------------------------------------

    static final Set<String> DETAIL_SPECIAL = Set.of("pathIPDstPort", "type", "flags", "sumIntervalAux",
            "reportReturnCode", "usePort", "pathIPSrcPort", "pathIPSrc");

    /** A detail report of a path: header values, then one entry per source address. */
    void checkDetail(String name, Sample.Transaction t, int pathId, int expectedType) throws Exception {
        Sample.Path p = t.path(pathId);
        NamedValues r = fetch(name, tran(t.name()).path(pathId).view(Flags.VIEW_DISTRIBUTIONS).sub("/shop/x?y=1"));
        assertSpan(r, NOW, NOW - Sample.INTERVAL);
        if (r.kind().setData().get(0).name().equals("subTranName")) assertEquals("/shop/x?y=1", r.headerText("subTranName"));
        assertEquals(p.src().address(), r.headerText("pathIPSrcAddress"));
        assertEquals(p.dst().netName(), r.headerText("pathIPDstNetName"));
        assertEquals(p.src().alias(), r.headerText("pathIPSrcAlias"));
        assertEquals(p.dst().alias(), r.headerText("pathIPDstAlias"));
        assertEquals(p.dstPort(), r.headerInt("pathIPDstPort"));
        assertEquals(expectedType, r.headerInt("type"));
        assertEquals(p.position() | Flags.VIEW_DISTRIBUTIONS, r.headerInt("flags"));
        assertEquals(s.sumIntervalAux(), r.headerInt("sumIntervalAux"));
        assertEquals(0, r.headerInt("reportReturnCode"));
        assertValues(name + " header", r.kind().setData(), r.headerValues(),
                n -> n.equals("tranTotalCtSum") ? s.tranValue(t, n) : s.pathValue(t, p, n), DETAIL_SPECIAL);
        assertEquals(p.clients().size(), r.entryCount());
        for (int i = 0; i < p.clients().size(); i++) {
            Sample.Client c = p.clients().get(i);
            assertEquals(c.address(), r.entryText(i, "pathIPSrcAddress"));
            assertEquals(Sample.Node.ipNumber(c.address()), r.entryInt(i, "pathIPSrc"));
            assertEquals(1, r.entryInt(i, "usePort"));
            assertEquals(c.srcPort(), r.entryInt(i, "pathIPSrcPort"));
            if (!name.equals("wait-detail")) assertEquals(p.dstPort(), r.entryInt(i, "pathIPDstPort"));
            else assertEquals(0, r.entryInt(i, "flags"));
            assertValues(name + " entry " + i, r.kind().addEntry(), r.entries().get(i), n -> s.clientValue(t, p, c, n),
                    DETAIL_SPECIAL);
        }

        // With the client sum in the view, one entry summed over every source, without port.
        NamedValues sum = fetch(name, tran(t.name()).path(pathId).view(Flags.CLIENT_SUM));
        assertEquals(p.position() | Flags.CLIENT_SUM, sum.headerInt("flags"));
        assertEquals(1, sum.entryCount());
        assertEquals(0, sum.entryInt(0, "usePort"));
        assertEquals(0, sum.entryInt(0, "pathIPSrcPort"));
        if (name.equals("wait-detail")) assertEquals(Flags.CLIENT_SUM, sum.entryInt(0, "flags"));
        assertValues(name + " sum", sum.kind().addEntry(), sum.entries().get(0), n -> s.clientSumValue(t, p, n),
                DETAIL_SPECIAL);
    }

    @Test
    void responseTimeDetail() throws Exception {
        checkDetail("response-time-detail", checkout, 1, 1);
    }

    @Test
    void pathTimeDetail() throws Exception {
        checkDetail("path-time-detail", checkout, 2, 2);
    }

    @Test
    void networkDetail() throws Exception {
        checkDetail("network-detail", checkout, 3, 4);
    }

    @Test
    void serverDetail() throws Exception {
        checkDetail("server-detail", login, 1, 8);
    }

    @Test
    void waitDetail() throws Exception {
        checkDetail("wait-detail", search, 1, 1);
    }

    @Test
    void unknownPathIsAnErrorReply() {
        ClientException e = assertThrows(ClientException.class,
                () -> fetch("wait-detail", tran("checkout").path(9)));
        assertEquals(ClientException.Reason.PATH_NOT_FOUND, e.reason);
        assertTrue(e.getMessage().contains(CollectorErrorException.PATH_NOT_FOUND), e.getMessage());
    }

    // ---- alerts, events, summary, thresholds -----------------------------------------------

    static final Set<String> ALERT_SPECIAL = Set.of("pathId", "flags", "pathIPDstPort");

    static void assertAlert(NamedValues r, int i, Sample.Alert a) {
        assertEquals(Texts.alertStart(a.firstAlert()), r.entryText(i, "alertStart"));
        assertEquals(a.tran().name(), r.entryText(i, "tranName"));
        if (a.url() != null) assertEquals(a.url(), r.entryText(i, "subTranName"));
        assertPathTexts(r, i, a.path());
        assertEquals(List.of(a.path().id(), a.path().position(), a.path().dstPort()),
                List.of(r.entry(i, "pathId"), r.entry(i, "flags"), r.entry(i, "pathIPDstPort")));
        assertValues("alert " + i, r.kind().addEntry(), r.entries().get(i), n -> s.alertValue(a, n), ALERT_SPECIAL);
    }

    @Test
    void currentAlerts() throws Exception {
        NamedValues r = fetch("current-alerts", Client.Selection.NONE);
        assertSpan(r, NOW, NOW - Sample.INTERVAL);
        assertEquals(List.of(2, 6), r.headerValues().subList(3, 5));
        assertEquals(s.alerts.size(), r.entryCount());
        for (int i = 0; i < r.entryCount(); i++) assertAlert(r, i, s.alerts.get(i));
        assertEquals("06:38:11<br>04/28", r.entryText(0, "alertStart"));  // 07:08:41 less 1830 s
    }

    /** The paging cursor of URL alert {@code i}: its transaction's number and its number within it. */
    static List<Integer> cursor(int i) {
        Sample.Alert a = s.urlAlerts.get(i);
        int within = 0;
        for (int j = 0; j < i; j++) if (s.urlAlerts.get(j).tran() == a.tran()) within++;
        return List.of(s.transactions.indexOf(a.tran()), within);
    }

    @Test
    void currentUrlAlertsPageAcrossTransactions() throws Exception {
        List<Sample.Alert> all = s.urlAlerts;
        NamedValues whole = fetch("current-url-alerts", Client.Selection.NONE);
        assertEquals(all.size(), whole.entryCount());
        assertEquals(List.of(0, 0), whole.headerValues().subList(5, 7));
        for (int i = 0; i < all.size(); i++) assertAlert(whole, i, all.get(i));

        int first = 0, second = 0, seen = 0, pages = 0;
        do {
            NamedValues page = fetch("current-url-alerts", Client.Selection.NONE.continueAt(first, second).scroll(3));
            assertSpan(page, NOW, NOW - Sample.INTERVAL);
            for (int i = 0; i < page.entryCount(); i++) assertAlert(page, i, all.get(seen + i));
            seen += page.entryCount();
            List<Integer> expectedNext = seen < all.size() ? cursor(seen) : List.of(0, 0);
            assertEquals(expectedNext, List.of(page.headerInt("reportEntryContinueIdx"),
                    page.headerInt("reportEntryContinueIdx2")));
            first = expectedNext.get(0);
            second = expectedNext.get(1);
            pages++;
        } while (first != 0 || second != 0);
        assertEquals(all.size(), seen);
        assertEquals(3, pages);
    }

    @Test
    void eventAlerts() throws Exception {
        NamedValues r = fetch("event-alerts", Client.Selection.NONE);
        assertEquals(List.of(Texts.stamp(NOW), 2, 86400), r.headerValues());
        assertEquals(s.events.size(), r.entryCount());
        for (int i = 0; i < r.entryCount(); i++) {
            Sample.Event e = s.events.get(i);
            assertEquals(Texts.alertStart(e.start()), r.entryText(i, "eventStart"));
            assertEquals(e.tran().name(), r.entryText(i, "tranName"));
            assertPathTexts(r, i, e.path());
            assertEquals(List.of(NOW - e.start(), e.path().srcPort(), e.path().dstPort(), e.path().id(),
                    s.eventValue(e, "pathTranCtMax"), s.eventValue(e, "pathTotRespTimeDataCt"), e.type(),
                    s.eventValue(e, "pathEventTime"), e.state(), e.type() << 4 | e.state(), e.curState(), e.path().position()),
                    r.entries().get(i).subList(6, 18));
        }
    }

    @Test
    void summaryOfAPath() throws Exception {
        Sample.Path p = checkout.path(2);
        NamedValues r = fetch("summary", tran("checkout").path(2));
        int start = NOW - Sample.SUMMARY_INTERVALS * Sample.INTERVAL;
        assertSpan(r, NOW, start);
        assertEquals("Last 01 hours 00 mins 00 secs", r.headerText("duration"));
        assertEquals(List.of(p.srcPort(), p.dstPort(), s.summaryDataCt(checkout, p), s.summaryMax(checkout, p, "Tot"),
                s.summaryMax(checkout, p, "Net"), s.summaryMax(checkout, p, "Srv"), s.summaryMax(checkout, p, "App"),
                s.summaryMax(checkout, p, "Wait"), Sample.SUMMARY_INTERVALS, start, NOW,
                s.tranValue(checkout, "tranTotalCt"), p.position(), Sample.INTERVAL, 0),
                r.headerValues().subList(3, 18));
        assertEquals(Sample.SUMMARY_INTERVALS, r.entryCount());
        for (int k = 0; k < r.entryCount(); k++) {
            int from = start + k * Sample.INTERVAL;
            assertEquals(Texts.intervalStamp(from), r.entryText(k, "intervalStart"));
            assertEquals(Texts.intervalStamp(from + Sample.INTERVAL), r.entryText(k, "intervalEnd"));
            assertEquals(Sample.INTERVAL, r.entryInt(k, "sumIntervalSecs"));
            assertEquals(p.position(), r.entryInt(k, "flags"));
            final int kk = k;
            assertValues("interval " + k, r.kind().addEntry(), r.entries().get(k), n -> s.intervalValue(checkout, p, kk, n),
                    Set.of("sumIntervalSecs", "flags"));
        }
    }

    @Test
    void thresholdsOfAPath() throws Exception {
        Sample.Path p = login.path(1);
        NamedValues r = fetch("thresholds", tran("login").path(1));
        assertEquals(List.of("login", p.src().netName(), p.src().alias(), p.dst().netName(), p.dst().alias()),
                r.headerValues().subList(0, 5));
        Pattern limit = Pattern.compile("path(Net|Srv|App|Wait|Tot|)RespTime(Group1|Group2|Group3|Warn|Crit)");
        assertValues("thresholds", r.kind().setData(), r.headerValues(), n -> {
            Matcher m = limit.matcher(n);
            if (m.matches()) return s.threshold(login, p, m.group(1), m.group(2));
            return n.equals("flags") ? p.position() : s.pathValue(login, p, n);
        }, Set.of());
    }

    // ---- URL lists and rules -----------------------------------------------------------------

    @Test
    void pagingThroughTheLongSubTransactionList() throws Exception {
        List<String> urls = new ArrayList<>();
        int next = 0, pages = 0;
        do {
            NamedValues page = fetch("sub-transactions", tran("checkout").continueAt(next, 0).scroll(5));
            assertEquals("checkout", page.headerText("tranName"));
            assertEquals(s.startup, page.headerInt("collectorStartupTime"));
            assertEquals(checkout.flags(), page.headerInt("flags"));
            assertEquals(page.entryCount(), page.headerInt("reportEntryCt"));
            assertEquals(checkout.urls().size(), page.headerInt("reportEntryContinueIdx2"));
            for (int i = 0; i < page.entryCount(); i++) {
                String url = page.entryText(i, "subTranName");
                assertEquals(url.length(), page.entryInt(i, "subTranNameLen"));
                assertEquals(Flags.HTTP_TRANSACTIONS | (url.contains("?") ? Flags.TRUNCATE_URL_PARMS : 0),
                        page.entryInt(i, "flags"));
                urls.add(url);
            }
            next = page.headerInt("reportEntryContinueIdx");
            assertEquals(urls.size() < checkout.urls().size() ? urls.size() : 0, next);
            pages++;
        } while (next != 0);
        assertEquals(checkout.urls(), urls);
        assertEquals(5, pages);
    }

    @Test
    void unknownTransactionIsReportedAsNotFound() {
        for (String name : List.of("transaction-paths", "sub-transactions", "url-rules", "add-url-rule", "summary")) {
            ClientException e = assertThrows(ClientException.class,
                    () -> fetch(name, tran("no-such-transaction").path(1)), name);
            assertEquals(ClientException.Reason.TRAN_NOT_FOUND, e.reason, name);
            assertEquals("transaction not found: \"no-such-transaction\"", e.getMessage());
        }
    }

    @Test
    void urlRuleOperationsChangeTheRuleList() throws Exception {
        try (Collector c = new Collector(new Sample(NOW), 0)) {
            Client cl = new Client(c.host(), c.port());
            int exclude = Flags.URL_TYPE_EXCLUDE | Flags.URL_SEARCH_BEGINS_WITH;
            int include = Flags.URL_TYPE_INCLUDE | Flags.URL_SEARCH_EXACT_MATCH;

            NamedValues before = rules(cl);
            assertEquals(List.of("checkout", c.sample().startup,
                    Flags.URL_PRECEDENCE_INCLUDE_FIRST | Flags.URL_HAS_INCLUDE | Flags.URL_HAS_EXCLUDE, 2, 0),
                    before.headerValues());
            assertEquals(List.of("/shop/checkout/", 15, 1, 1520,
                    Flags.URL_TYPE_INCLUDE | Flags.URL_SEARCH_BEGINS_WITH), before.entries().get(0));

            assertEquals(List.of("checkout", "/static/", Rules.OK, exclude),
                    op(cl, "add-url-rule", Client.Selection.NONE.sub("/static/").view(exclude)));
            assertEquals(List.of("/static/", 8, 3, 0, exclude), rules(cl).entries().get(2));
            assertEquals(Rules.DUPLICATE_URL,
                    op(cl, "add-url-rule", Client.Selection.NONE.sub("/static/").view(include)).get(2));
            assertEquals(Rules.INVALID, op(cl, "add-url-rule",
                    Client.Selection.NONE.sub("/x").view(Flags.URL_TYPE_EXCLUDE)).get(2));

            assertEquals(List.of("checkout", "/static/", Rules.OK, exclude),
                    op(cl, "get-url-rule", Client.Selection.NONE.continueAt(3, 0)));
            assertEquals(List.of("checkout", "/static/index.html", Rules.OK, include), op(cl, "edit-url-rule",
                    Client.Selection.NONE.continueAt(3, 0).sub("/static/index.html").view(include)));
            assertEquals(List.of("/static/index.html", 18, 3, 0, include), rules(cl).entries().get(2));
            assertEquals(Rules.DUPLICATE_URL, op(cl, "edit-url-rule",
                    Client.Selection.NONE.continueAt(3, 0).sub(".gif").view(include)).get(2));

            assertEquals(List.of("checkout", ".gif", Rules.OK,
                    Flags.URL_TYPE_EXCLUDE | Flags.URL_SEARCH_ENDS_WITH),
                    op(cl, "remove-url-rule", Client.Selection.NONE.continueAt(2, 0)));
            assertEquals(Rules.UNKNOWN_RULE,
                    op(cl, "remove-url-rule", Client.Selection.NONE.continueAt(2, 0)).get(2));
            assertEquals(Rules.UNKNOWN_RULE,
                    op(cl, "get-url-rule", Client.Selection.NONE.continueAt(2, 0)).get(2));

            assertEquals(List.of("checkout", "", Rules.OK, Flags.URL_PRECEDENCE_EXCLUDE_FIRST
                    | Flags.URL_HAS_INCLUDE), op(cl, "url-rule-precedence",
                    Client.Selection.NONE.view(Flags.URL_PRECEDENCE_EXCLUDE_FIRST)));

            NamedValues after = rules(cl);
            assertEquals(Flags.URL_PRECEDENCE_EXCLUDE_FIRST | Flags.URL_HAS_INCLUDE, after.headerInt("flags"));
            List<String> urls = new ArrayList<>();
            List<Integer> ids = new ArrayList<>();
            for (int i = 0; i < after.entryCount(); i++) {
                urls.add(after.entryText(i, "urlName"));
                ids.add(after.entryInt(i, "urlRuleId"));
            }
            assertEquals(List.of("/shop/checkout/", "/static/index.html"), urls);
            assertEquals(List.of(1, 3), ids);

            // A page of one rule continues at the second.
            NamedValues page = NamedValues.of(cl.fetch(Catalog.byName("url-rules"), tran("checkout").scroll(1), false));
            assertEquals(List.of(1, 1), List.of(page.entryCount(), page.headerInt("reportEntryContinueIdx")));
        }
        // The shared collector's list is untouched.
        assertEquals(2, rules(client).entryCount());
    }

    static NamedValues rules(Client cl) throws ClientException {
        return NamedValues.of(cl.fetch(Catalog.byName("url-rules"), tran("checkout"), false));
    }

    static List<Object> op(Client cl, String name, Client.Selection sel) throws ClientException {
        return Fields.header(cl.fetch(Catalog.byName(name), sel.tran("checkout"), false));
    }
}
