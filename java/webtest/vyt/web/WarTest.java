package vyt.web;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.net.http.HttpResponse;
import java.nio.file.Files;
import java.nio.file.Path;
import org.eclipse.jetty.server.Server;
import org.eclipse.jetty.server.ServerConnector;
import org.eclipse.jetty.server.handler.ContextHandlerCollection;
import org.eclipse.jetty.webapp.WebAppContext;
import org.junit.jupiter.api.Test;
import vyt.collector.Collector;

/**
 * vytweb.war deployed unchanged into a Jetty server, undeployed and deployed again in the same
 * JVM. The second deployment loads the binding classes, and so the library, in a new class loader,
 * and must serve as the first did.
 */
class WarTest {
    static {
        WebTestSupport.quiet();
    }

    static WebAppContext deploy(ContextHandlerCollection contexts, Path war, String collector) throws Exception {
        WebAppContext app = new WebAppContext();
        app.setContextPath("/vyt");
        app.setWar(war.toString());
        app.setInitParameter(FrontEndServlet.COLLECTOR_PARAM, collector);
        contexts.addHandler(app);
        app.start();
        return app;
    }

    @Test
    void theWarDeploysUndeploysAndDeploysAgain() throws Exception {
        Path war = Path.of(System.getenv("VYT_WAR"));
        assertTrue(Files.isRegularFile(war), war + " (set VYT_WAR)");
        try (Collector c = Collector.start(0)) {
            String collector = c.host() + ":" + c.port();
            Server server = new Server(0);
            ((ServerConnector) server.getConnectors()[0]).setHost("127.0.0.1");
            ContextHandlerCollection contexts = new ContextHandlerCollection();
            server.setHandler(contexts);
            server.start();
            try {
                String base = "http://127.0.0.1:" + ((ServerConnector) server.getConnectors()[0]).getLocalPort()
                        + "/vyt";
                WebAppContext first = deploy(contexts, war, collector);
                WebTestSupport.Browser b = new WebTestSupport.Browser(base);
                HttpResponse<String> r = b.get("/transaction?tran=checkout");
                assertEquals(200, r.statusCode(), r.body());
                assertTrue(r.body().contains("href=\"/vyt/path?tran=checkout&amp;path=1\""), "links carry the context");
                assertEquals(200, b.get("/health").statusCode());
                first.stop();
                contexts.removeHandler(first);
                first.destroy();
                assertEquals(404, b.get("/health").statusCode(), "undeployed");

                // The new class loader extracts and loads its own copy of the library.
                deploy(contexts, war, collector);
                r = b.get("/transaction?tran=checkout");
                assertEquals(200, r.statusCode(), r.body());
                assertTrue(r.body().contains("href=\"/vyt/path?tran=checkout&amp;path=1\""), "the second one serves");
            } finally {
                server.stop();
            }
        }
    }
}
