package vyt.web;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.net.http.HttpResponse;
import java.nio.file.Files;
import java.nio.file.Path;
import org.eclipse.jetty.security.HashLoginService;
import org.eclipse.jetty.security.UserStore;
import org.eclipse.jetty.server.Server;
import org.eclipse.jetty.server.ServerConnector;
import org.eclipse.jetty.server.handler.ContextHandlerCollection;
import org.eclipse.jetty.util.security.Credential;
import org.eclipse.jetty.webapp.WebAppContext;
import org.junit.jupiter.api.Test;
import vyt.collector.Collector;

/**
 * vytweb.war deployed unchanged into a Jetty server, undeployed and deployed again in the same
 * JVM. The second deployment loads the binding classes, and so the library, in a new class loader,
 * and must serve as the first did. The container's realm has an administrator and a reader.
 */
class WarTest {
    static {
        WebTestSupport.quiet();
    }

    static WebAppContext deploy(ContextHandlerCollection contexts, Path war, String collector, String... params)
            throws Exception {
        WebAppContext app = new WebAppContext();
        app.setContextPath("/vyt");
        app.setWar(war.toString());
        app.setInitParameter(FrontEndServlet.COLLECTOR_PARAM, collector);
        for (int i = 0; i + 1 < params.length; i += 2) app.setInitParameter(params[i], params[i + 1]);
        contexts.addHandler(app);
        app.start();
        return app;
    }

    /** A script's change: the token from a form page, sent back in the X-CSRF-Token header. */
    static HttpResponse<String> post(WebTestSupport.Browser b, String path) throws Exception {
        String token = b.token();
        return b.http.send(java.net.http.HttpRequest.newBuilder(java.net.URI.create(b.base + path))
                .header("X-CSRF-Token", token).POST(java.net.http.HttpRequest.BodyPublishers.noBody()).build(),
                HttpResponse.BodyHandlers.ofString());
    }

    @Test
    void theWarDeploysUndeploysAndDeploysAgain() throws Exception {
        Path war = Path.of(System.getenv("VYT_WAR"));
        assertTrue(Files.isRegularFile(war), war + " (set VYT_WAR)");
        try (Collector c = Collector.start(0)) {
            String collector = c.host() + ":" + c.port();
            Server server = new Server(0);
            ((ServerConnector) server.getConnectors()[0]).setHost("127.0.0.1");
            UserStore users = new UserStore();
            users.addUser("admin", Credential.getCredential("admin-pw"), new String[] {"vyt-admin"});
            users.addUser("reader", Credential.getCredential("reader-pw"), new String[] {"staff"});
            HashLoginService realm = new HashLoginService("VYT");
            realm.setUserStore(users);
            server.addBean(realm);
            ContextHandlerCollection contexts = new ContextHandlerCollection();
            server.setHandler(contexts);
            server.start();
            try {
                String base = "http://127.0.0.1:" + ((ServerConnector) server.getConnectors()[0]).getLocalPort()
                        + "/vyt";
                WebAppContext first = deploy(contexts, war, collector);
                WebTestSupport.Browser anyone = new WebTestSupport.Browser(base);
                assertEquals(401, anyone.get("/transaction?tran=checkout").statusCode(), "reads need a login");
                WebTestSupport.Browser b = new WebTestSupport.Browser(base, "reader", "reader-pw");
                HttpResponse<String> r = b.get("/transaction?tran=checkout");
                assertEquals(200, r.statusCode(), r.body());
                assertTrue(r.body().contains("href=\"/vyt/path?tran=checkout&amp;path=1\""), "links carry the context");
                HttpResponse<String> health = anyone.get("/health");
                assertEquals(200, health.statusCode(), health.body());
                assertFalse(health.body().contains(collector), "no address without a login: " + health.body());
                // Changes need the role vyt-admin; the collector's refusal is 422 with its reason.
                String remove = "/api/reports/remove-url-rule?tran=checkout&continue=9999";
                assertEquals(403, post(b, remove).statusCode(), "a reader changes nothing");
                WebTestSupport.Browser admin = new WebTestSupport.Browser(base, "admin", "admin-pw");
                r = post(admin, remove);
                assertEquals(422, r.statusCode(), r.body());
                assertTrue(r.body().contains("no rule has that number"), r.body());
                first.stop();
                contexts.removeHandler(first);
                first.destroy();
                assertEquals(404, b.get("/health").statusCode(), "undeployed");

                // The new class loader extracts and loads its own copy of the library. This one
                // serves reads to anyone, and answers to one more host name.
                deploy(contexts, war, collector, FrontEndServlet.OPEN_READS_PARAM, "true", Guard.HOST_NAMES_PARAM,
                        "vyt.example.org, wall.example.org");
                r = anyone.get("/transaction?tran=checkout");
                assertEquals(200, r.statusCode(), r.body());
                assertTrue(r.body().contains("href=\"/vyt/path?tran=checkout&amp;path=1\""), "the second one serves");
                int port = ((ServerConnector) server.getConnectors()[0]).getLocalPort();
                for (String[] h : new String[][] {{"wall.example.org", "200"}, {"rebind.attacker.example", "421"}}) {
                    WebTestSupport.Raw raw = WebTestSupport.raw(port, "GET /vyt/transaction?tran=checkout HTTP/1.1\r\n"
                            + "Host: " + h[0] + "\r\n", null);
                    assertEquals(Integer.parseInt(h[1]), raw.status(), h[0]);
                }
                assertEquals(401, post(anyone, remove).statusCode(), "open reads, still no anonymous changes");
            } finally {
                server.stop();
            }
        }
    }
}
