package vyt.web;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.fasterxml.jackson.databind.JsonNode;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import vyt.client.ReportJson;

/**
 * What a rule change answers: 303 to the list when done, 422 with the collector's reason when
 * refused, 400 for a blank URL; removing asks first; every change sent is one audit line.
 */
class RuleChangeTest {
    static {
        WebTestSupport.quiet();
    }

    @Test
    void outcomesStatusesAndTheAuditLog(@TempDir Path dir) throws Exception {
        Path audit = dir.resolve("audit.log");
        WebServer w = WebTestSupport.start("--audit-log", audit.toString());
        try {
            String host = "Host: 127.0.0.1:" + w.port() + "\r\n";
            String c = WebTestSupport.raw(w.port(), "GET /rules?tran=checkout HTTP/1.1\r\n" + host, null)
                    .header("set-cookie");
            String tok = c.substring(c.indexOf('=') + 1, c.indexOf(';'));
            String form = "POST %s HTTP/1.1\r\n" + host + "Content-Type: application/x-www-form-urlencoded\r\n"
                    + "Origin: http://127.0.0.1:" + w.port() + "\r\nCookie: vyt-csrf=" + tok + "\r\n";
            String api = "POST %s HTTP/1.1\r\n" + host + "X-CSRF-Token: " + tok + "\r\nCookie: vyt-csrf=" + tok
                    + "\r\n";
            String add = "op=add&tran=checkout&type=include&search=begins&csrf=" + tok + "&sub=";
            // {request, path, body, status, text in the answer or the redirect, audit code or "" for none}
            String[][] cases = {
                {form, "/rules", add + "%2Faudit%2F", "303", "/rules?tran=checkout&done=add", "0"},
                {form, "/rules", add + "%2Faudit%2F", "422", "another rule has that URL", "2"},
                {form, "/rules", add + "+%09+", "400", "parameter sub: only white space", ""},
                {form, "/rules", add.replace("op=add", "op=edit&continue=9999") + "%2Fy%2F", "422",
                    "no rule has that number", "1"},
                {form, "/rules", "op=remove&tran=checkout&continue=9999&csrf=" + tok, "422",
                    "Remove a URL rule: return code 1 (no rule has that number)", "1"},
                {form, "/reports/remove-url-rule", "tran=checkout&continue=9999&csrf=" + tok, "422",
                    "return code 1 (no rule has that number)", "1"},
                {form, "/reports/url-rule-precedence",
                    "tran=checkout&view=URL_LIST_PRECEDENCE_INCLUDE_FIRST&csrf=" + tok, "303",
                    "/reports/url-rule-precedence?done=1", "0"},
                {api, "/api/reports/add-url-rule?tran=checkout&sub=%2Faudit%2F&view=URL_LIST_TYPE_INCLUDE,"
                    + "URL_SEARCH_TYPE_BEGINS_WITH", "", "422",
                    "{\"ok\":false,\"code\":2,\"reason\":\"another rule has that URL\"}", "2"},
                {api, "/api/reports/remove-url-rule?tran=checkout&continue=9999", "", "422",
                    "{\"ok\":false,\"code\":1,\"reason\":\"no rule has that number\"}", "1"},
                {api, "/api/reports/add-url-rule?tran=checkout&sub=%20&view=URL_LIST_TYPE_INCLUDE,"
                    + "URL_SEARCH_TYPE_BEGINS_WITH", "", "400", "only white space", ""},
            };
            int lines = 0;
            for (String[] t : cases) {
                WebTestSupport.Raw r = WebTestSupport.raw(w.port(), String.format(t[0], t[1]),
                        t[2].getBytes(StandardCharsets.UTF_8));
                assertEquals(Integer.parseInt(t[3]), r.status(), t[1] + " " + t[2] + ": " + r.body());
                String said = r.status() == 303 ? r.header("location") : r.body();
                assertTrue(said.contains(t[4]), t[1] + " " + t[2] + " should say " + t[4] + ": " + said);
                List<String> log = Files.readAllLines(audit);
                if (t[5].isEmpty()) {
                    assertEquals(lines, log.size(), "nothing sent, nothing logged: " + t[2]);
                    continue;
                }
                assertEquals(++lines, log.size(), t[2]);
                JsonNode j = ReportJson.MAPPER.readTree(log.get(lines - 1));
                assertEquals(List.of("time", "user", "address", "collector", "operation", "arguments", "result"),
                        List.copyOf(iterable(j)), log.get(lines - 1));
                assertEquals(Integer.parseInt(t[5]), j.get("result").get("code").intValue(), log.get(lines - 1));
                assertEquals("127.0.0.1", j.get("address").textValue());
                assertEquals("checkout", j.get("arguments").get("tran").textValue());
            }

            // The page after the redirect says what was done; a reload of it changes nothing more.
            WebTestSupport.Browser b = new WebTestSupport.Browser(w.url());
            String done = b.get("/rules?tran=checkout&done=add").body();
            assertTrue(done.contains("Add a URL rule: return code 0 (done)"), done);
            assertEquals(lines, Files.readAllLines(audit).size());

            // Remove asks first: the list's button opens a page whose form removes the rule.
            String list = b.get("/rules?tran=checkout").body();
            assertFalse(list.contains("name=\"op\" value=\"remove\""), "no one-click remove on the list");
            String ask = b.get("/rules?tran=checkout&remove=1").body();
            assertTrue(ask.contains("name=\"op\" value=\"remove\"") && ask.contains("name=\"continue\" value=\"1\"")
                    && ask.contains("Keep it"), ask);
            assertEquals(lines, Files.readAllLines(audit).size(), "asking changes nothing");
        } finally {
            w.stop();
        }
    }

    static List<String> iterable(JsonNode j) {
        List<String> names = new java.util.ArrayList<>();
        j.fieldNames().forEachRemaining(names::add);
        return names;
    }
}
