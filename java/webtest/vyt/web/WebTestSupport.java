package vyt.web;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.net.Authenticator;
import java.net.CookieManager;
import java.net.InetAddress;
import java.net.PasswordAuthentication;
import java.net.ServerSocket;
import java.net.Socket;
import java.net.URI;
import java.net.http.HttpClient;
import java.net.http.HttpRequest;
import java.net.http.HttpResponse;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.util.ArrayList;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.TreeMap;
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
        final HttpClient http;

        Browser(String base) {
            this(base, null, null);
        }

        /** A client that logs in as {@code user} when asked (HTTP Basic). */
        Browser(String base, String user, String password) {
            this.base = base.endsWith("/") ? base.substring(0, base.length() - 1) : base;
            HttpClient.Builder b = HttpClient.newBuilder().cookieHandler(new CookieManager())
                    .followRedirects(HttpClient.Redirect.NORMAL);
            if (user != null) b.authenticator(new Authenticator() {
                @Override
                protected PasswordAuthentication getPasswordAuthentication() {
                    return new PasswordAuthentication(user, password.toCharArray());
                }
            });
            http = b.build();
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

        /** The CSRF token of this client (its cookie), from a page with forms. */
        String token() throws IOException, InterruptedException {
            Matcher m = Pattern.compile("name=\"csrf\" value=\"([^\"]+)\"").matcher(get("/rules?tran=checkout").body());
            if (!m.find()) throw new AssertionError("no token on the rules page");
            return m.group(1);
        }
    }

    /** An HTTP response read off the wire: status, headers (names in lower case) and body. */
    record Raw(int status, Map<String, List<String>> headers, String body) {
        String header(String name) {
            List<String> v = headers.get(name);
            return v == null ? null : v.get(0);
        }
    }

    /**
     * Sends {@code head} (request line and headers, lines ending in CRLF, without the blank line)
     * and {@code body} as bytes on a new connection, exactly as given, and reads the response to
     * the end. The JDK's client would refuse or correct much of what these tests send.
     */
    static Raw raw(int port, String head, byte[] body) throws IOException {
        try (Socket s = new Socket(InetAddress.getLoopbackAddress(), port)) {
            s.setSoTimeout(30000);
            ByteArrayOutputStream req = new ByteArrayOutputStream();
            req.writeBytes(head.getBytes(StandardCharsets.ISO_8859_1));
            if (body != null) req.writeBytes(("Content-Length: " + body.length + "\r\n").getBytes());
            req.writeBytes("Connection: close\r\n\r\n".getBytes());
            if (body != null) req.writeBytes(body);
            s.getOutputStream().write(req.toByteArray());
            String text = new String(s.getInputStream().readAllBytes(), StandardCharsets.UTF_8);
            int end = text.indexOf("\r\n\r\n");
            String[] lines = text.substring(0, end < 0 ? text.length() : end).split("\r\n");
            Map<String, List<String>> headers = new TreeMap<>();
            for (int i = 1; i < lines.length; i++) {
                int colon = lines[i].indexOf(':');
                if (colon > 0) headers.computeIfAbsent(lines[i].substring(0, colon).toLowerCase(Locale.ROOT),
                        k -> new ArrayList<>()).add(lines[i].substring(colon + 1).strip());
            }
            return new Raw(Integer.parseInt(lines[0].split(" ")[1]), headers, end < 0 ? "" : text.substring(end + 4));
        }
    }

    /** The port of a server's URL. */
    static int port(WebServer w) {
        return w.port();
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

    /** An embedded web server on a free loopback port, its audit log in a temporary file unless named. */
    static WebServer start(String... args) throws Exception {
        WebServer w = new WebServer();
        new picocli.CommandLine(w).parseArgs(args);
        w.port = 0;
        if (w.data == null && w.dbUrl == null)  // a history of its own, in the test run's working directory
            w.data = Files.createTempDirectory(java.nio.file.Path.of("").toAbsolutePath(), "vyt-history");
        if (w.auditLog == null) {
            w.auditLog = Files.createTempFile("vyt-audit", ".log");
            w.auditLog.toFile().deleteOnExit();
        }
        w.start();
        return w;
    }
}
