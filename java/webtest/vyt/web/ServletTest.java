package vyt.web;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.fasterxml.jackson.databind.JsonNode;
import java.net.InetAddress;
import java.net.ServerSocket;
import java.net.URI;
import java.net.http.HttpRequest;
import java.net.http.HttpResponse;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Base64;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import org.junit.jupiter.api.AfterAll;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import vyt.catalog.Catalog;
import vyt.client.ReportJson;
import vyt.collector.Wire;

/** The servlet over HTTP: error statuses and their messages, the token rule, every report kind, the JSON. */
class ServletTest {
    static {
        WebTestSupport.quiet();
    }

    static WebServer web;
    static WebTestSupport.Browser browser;

    @BeforeAll
    static void start() throws Exception {
        web = WebTestSupport.start();
        browser = new WebTestSupport.Browser(web.url());
    }

    @AfterAll
    static void stop() throws Exception {
        web.stop();
    }

    static void check(HttpResponse<String> r, int status, String text, String what) {
        assertEquals(status, r.statusCode(), what + ": " + r.body());
        assertTrue(r.body().contains(text), what + " should say " + text + ": " + r.body());
        assertFalse(r.body().contains("Exception") || r.body().contains("\tat "), what + ": a stack trace");
        assertTrue(r.headers().firstValue("Content-Security-Policy").orElse("").contains("default-src 'none'"),
                what + ": CSP");
    }

    @Test
    void errorsArePagesWithTheStatusAndWhatWentWrong() throws Exception {
        String[][] cases = {
            {"/path?tran=checkout&path=x", "400", "parameter path: not a number"},
            {"/transaction?tran=" + "t".repeat(65), "400", "parameter tran: longer than 64 bytes"},
            {"/api/reports/network-detail?tran=checkout&path=1&view=NO_SUCH_FLAG", "400", "parameter view"},
            {"/reports/url-rules?tran=checkout&bogus=1", "400", "parameter bogus: unknown"},
            {"/reports/all-transactions?tran=checkout", "400", "parameter tran: not taken by all-transactions"},
            {"/sub-transactions?tran=checkout&scroll=99999", "400", "parameter scroll: out of range"},
            {"/summary?tran=checkout", "400", "parameter path: required"},
            {"/reports/no-such-report", "404", "no report kind named &quot;no-such-report&quot;"},
            {"/api/reports/no-such-report", "404", "no report kind named \\\"no-such-report\\\""},
            {"/transaction?tran=no-such", "404", "transaction not found: &quot;no-such&quot;"},
            {"/path?tran=checkout&path=99", "404", "path not found: 99"},
            {"/server-load?tran=checkout&server=999", "404", "server not found: 999"},
            {"/no-such-page", "404", "no page /no-such-page"},
            {"/api/reports/add-url-rule?tran=checkout&sub=/x/&view=8", "403", "only by POST"},
        };
        for (String[] c : cases) check(browser.get(c[0]), Integer.parseInt(c[1]), c[2], c[0]);
    }

    @Test
    void ruleChangesWithoutTheSessionsTokenAreRefusedAndChangeNothing() throws Exception {
        String before = browser.get("/api/reports/url-rules?tran=checkout&scroll=50").body();
        String add = "op=add&tran=checkout&sub=%2Fforged%2F&type=include&search=begins";
        check(browser.post("/rules", add), 403, "token is missing or does not match", "no token");
        check(browser.post("/rules", add + "&csrf=" + "A".repeat(32)), 403, "does not match", "wrong token");
        WebTestSupport.Browser other = new WebTestSupport.Browser(web.url());  // another session's token
        check(browser.post("/rules", add + "&csrf=" + other.token()), 403, "does not match", "other session");
        check(browser.post("/reports/remove-url-rule", "tran=checkout&continue=1"), 403, "token", "report form");
        assertEquals(before, browser.get("/api/reports/url-rules?tran=checkout&scroll=50").body());
        // With the token the same change goes through, and is undone.
        String token = browser.token();
        check(browser.post("/rules", add + "&csrf=" + token), 200, "return code 0 (done)", "with token");
        JsonNode rules = json("/api/reports/url-rules?tran=checkout&scroll=50");
        int id = -1;
        for (JsonNode e : rules.get("entries")) if (e.get("urlName").textValue().equals("/forged/")) id = e.get(
                "urlRuleId").intValue();
        check(browser.post("/rules", "op=remove&tran=checkout&continue=" + id + "&csrf=" + token), 200,
                "return code 0 (done)", "remove");
        assertEquals(before, browser.get("/api/reports/url-rules?tran=checkout&scroll=50").body());
    }

    static JsonNode json(String path) throws Exception {
        HttpResponse<String> r = browser.get(path);
        assertEquals(200, r.statusCode(), path + ": " + r.body());
        assertTrue(r.headers().firstValue("Content-Type").orElse("").startsWith("application/json"), path);
        return ReportJson.MAPPER.readTree(r.body());
    }

    /** Arguments for every kind that the sample collector answers. */
    static final Map<String, String> ARGS = Map.of("tran", "checkout", "path", "1", "server", "11",
            "view", "VIEW_DISTRIBUTIONS", "sub", "/shop/junit/", "continue", "2", "scroll", "5");

    static String query(Catalog.Kind k) {
        List<String> q = new ArrayList<>();
        for (Catalog.Selection s : k.selections()) {
            String v = ARGS.get(s.key());
            if (s == Catalog.Selection.VIEW && k.name().endsWith("url-rule"))
                v = "URL_LIST_TYPE_EXCLUDE,URL_SEARCH_TYPE_ENDS_WITH";
            if (s == Catalog.Selection.VIEW && k.name().equals("url-rule-precedence"))
                v = "URL_LIST_PRECEDENCE_EXCLUDE_FIRST";
            if (v != null) q.add(s.key() + "=" + v);
        }
        return String.join("&", q);
    }

    @Test
    void everyReportKindRendersAsAPageAndAsJsonWithTheCataloguesNames() throws Exception {
        String token = browser.token();
        for (Catalog.Kind k : Catalog.all()) {
            String q = query(k);
            boolean changes = k.changesRules();
            HttpResponse<String> page = changes ? browser.post("/reports/" + k.name(), q + "&csrf=" + token)
                    : browser.get("/reports/" + k.name() + "?" + q);
            if (changes) {  // done (200 after the redirect) or refused by the collector (422)
                assertTrue(page.statusCode() == 200 || page.statusCode() == 422, k.name() + ": " + page.statusCode());
                check(page, page.statusCode(), page.statusCode() == 200 ? "return code 0" : "return code ", k.name());
                continue;
            }
            check(page, 200, k.title(), k.name());
            JsonNode j = json("/api/reports/" + k.name() + "?" + q);
            assertEquals(k.name(), j.get("report").textValue());
            assertEquals(k.type(), j.get("type").intValue());
            assertEquals(0, j.get("status").intValue());
            assertEquals(!k.hasSetData(), j.get("setData").isNull(), k.name());
            if (k.hasSetData()) assertParams(k.setData(), j.get("setData"), k.name());
            for (JsonNode e : j.get("entries")) assertParams(k.addEntry(), e, k.name());
            assertEquals(k.hasAddEntry() ? j.get("entries").size() : 0, j.get("entries").size());
        }
    }

    static void assertParams(List<Catalog.Param> ps, JsonNode o, String what) {
        List<String> names = new ArrayList<>();
        o.fieldNames().forEachRemaining(names::add);
        List<String> expected = new ArrayList<>();
        for (Catalog.Param p : ps) {
            expected.add(p.name());
            assertTrue(p.text() ? o.get(p.name()).isTextual() : o.get(p.name()).isInt(), what + " " + p);
        }
        assertEquals(expected, names, what);
    }

    @Test
    void pagedListsLinkToTheNextPageFromTheReplyAndBack() throws Exception {
        // The sample's checkout has 23 sub-transactions: pages start at 0, 8 and 16.
        String first = browser.get("/sub-transactions?tran=checkout&scroll=8").body();
        assertTrue(first.contains(
                "rel=\"next\" href=\"/sub-transactions?tran=checkout&amp;continue=8&amp;scroll=8\""), first);
        assertFalse(first.contains("rel=\"prev\""));
        String second = browser.get("/sub-transactions?tran=checkout&continue=8&scroll=8").body();
        assertTrue(second.contains("continue=16&amp;scroll=8"), second);
        assertTrue(second.contains(
                "rel=\"prev\" href=\"/sub-transactions?tran=checkout&amp;continue=0&amp;scroll=8\""), second);
        String last = browser.get("/sub-transactions?tran=checkout&continue=16&scroll=8").body();
        assertFalse(last.contains("rel=\"next\""), last);
    }

    @Test
    void beyondLoopbackTheServerNeedsUsersAndThenAsksForThem(@TempDir Path dir) throws Exception {
        WebServer.Refused e = assertThrows(WebServer.Refused.class,
                () -> WebTestSupport.start("--bind", "0.0.0.0"));
        assertTrue(e.getMessage().contains("--users FILE"), e.getMessage());
        Path users = Files.writeString(dir.resolve("users"), "# operators\nalice: secret\n");
        WebServer w = WebTestSupport.start("--users", users.toString());
        try {
            WebTestSupport.Browser b = new WebTestSupport.Browser(w.url());
            HttpResponse<String> denied = b.get("/");
            assertEquals(401, denied.statusCode());
            assertEquals("DENY", denied.headers().firstValue("X-Frame-Options").orElse(null), "Jetty's 401 page");
            assertTrue(denied.body().contains("<link rel=\"stylesheet\" href=\"/style.css\">"), denied.body());
            assertEquals(200, b.get("/health").statusCode());
            HttpResponse<String> r = b.http.send(HttpRequest.newBuilder(URI.create(w.url())).header("Authorization",
                    "Basic " + Base64.getEncoder().encodeToString("alice:secret".getBytes(StandardCharsets.UTF_8)))
                    .build(), HttpResponse.BodyHandlers.ofString());
            assertEquals(200, r.statusCode());
        } finally {
            w.stop();
        }
    }

    @Test
    void aCollectorThatFailsGives502AndTheHealthCheck503() throws Exception {
        byte[][] answer = {null};
        try (WebTestSupport.FakeCollector fake = new WebTestSupport.FakeCollector(() -> answer[0])) {
            WebServer w = WebTestSupport.start("--collector", fake.address());
            try {
                WebTestSupport.Browser b = new WebTestSupport.Browser(w.url());
                check(b.get("/"), 502, "reply shorter than its stated length", "hang-up");
                answer[0] = new Wire(12).i32(0, 12).i32(4, 1).i32(8, 99).bytes();  // too short for its header
                check(b.get("/reports/all-transactions"), 502, "could not decode the all-transactions reply",
                        "undecodable");
                check(b.get("/health"), 503, "unavailable", "health");
            } finally {
                w.stop();
            }
        }
        int dead;
        try (ServerSocket s = new ServerSocket(0, 1, InetAddress.getLoopbackAddress())) {
            dead = s.getLocalPort();
        }
        WebServer w = WebTestSupport.start("--collector", "127.0.0.1:" + dead);
        try {
            check(new WebTestSupport.Browser(w.url()).get("/api/reports/all-transactions"), 502,
                    "collector unreachable at 127.0.0.1:" + dead, "unreachable");
        } finally {
            w.stop();
        }
        check(browser.get("/health"), 200, "ok", "health");
    }
}
