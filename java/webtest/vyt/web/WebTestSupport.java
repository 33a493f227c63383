package vyt.web;

import java.io.IOException;
import java.net.CookieManager;
import java.net.InetAddress;
import java.net.ServerSocket;
import java.net.Socket;
import java.net.URI;
import java.net.http.HttpClient;
import java.net.http.HttpRequest;
import java.net.http.HttpResponse;
import java.util.function.Supplier;
import java.util.logging.Logger;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import vyt.collector.Request;

/** An HTTP client with its own session, and a collector that answers what a test chooses. */
final class WebTestSupport {
    private static final Logger QUIET = Logger.getLogger("vyt.web");

    private WebTestSupport() {}

    /**
     * Keeps the application's log lines (warnings for 502 answers) out of the JUnit output, which
     * the test runner searches for JVM warnings.
     */
    static void quiet() {
        QUIET.setUseParentHandlers(false);
    }

    /** A browser-like client: cookies kept, so a session and its token last across requests. */
    static final class Browser {
        final String base;
        final HttpClient http = HttpClient.newBuilder().cookieHandler(new CookieManager()).build();

        Browser(String base) {
            this.base = base.endsWith("/") ? base.substring(0, base.length() - 1) : base;
        }

        HttpResponse<String> get(String path) throws IOException, InterruptedException {
            return http.send(HttpRequest.newBuilder(URI.create(base + path)).build(),
                    HttpResponse.BodyHandlers.ofString());
        }

        HttpResponse<String> post(String path, String form) throws IOException, InterruptedException {
            return http.send(HttpRequest.newBuilder(URI.create(base + path))
                    .header("Content-Type", "application/x-www-form-urlencoded")
                    .POST(HttpRequest.BodyPublishers.ofString(form)).build(), HttpResponse.BodyHandlers.ofString());
        }

        /** The CSRF token of this client's session, from a page with forms. */
        String token() throws IOException, InterruptedException {
            Matcher m = Pattern.compile("name=\"csrf\" value=\"([^\"]+)\"").matcher(get("/rules?tran=checkout").body());
            if (!m.find()) throw new AssertionError("no token on the rules page");
            return m.group(1);
        }
    }

    /** A collector that reads each request and answers with what {@code answer} gives (null: hang up). */
    static final class FakeCollector implements AutoCloseable {
        final ServerSocket server;

        FakeCollector(Supplier<byte[]> answer) throws IOException {
            server = new ServerSocket(0, 8, InetAddress.getLoopbackAddress());
            Thread t = new Thread(() -> {
                while (!server.isClosed()) {
                    try (Socket s = server.accept()) {
                        s.getInputStream().readNBytes(Request.LENGTH);
                        byte[] a = answer.get();
                        if (a != null) s.getOutputStream().write(a);
                    } catch (IOException e) {
                        // closed
                    }
                }
            });
            t.setDaemon(true);
            t.start();
        }

        String address() {
            return "127.0.0.1:" + server.getLocalPort();
        }

        @Override
        public void close() throws IOException {
            server.close();
        }
    }

    /** An embedded web server on a free loopback port. */
    static WebServer start(String... args) throws Exception {
        WebServer w = new WebServer();
        new picocli.CommandLine(w).parseArgs(args);
        w.port = 0;
        w.start();
        return w;
    }
}
