package vyt.web;

import java.io.IOException;
import java.io.InputStream;
import java.io.Writer;
import java.nio.charset.StandardCharsets;
import java.security.MessageDigest;
import java.security.SecureRandom;
import java.time.ZonedDateTime;
import java.time.format.DateTimeFormatter;
import java.util.Base64;
import java.util.Set;
import java.util.logging.Level;
import java.util.logging.Logger;
import javax.servlet.ServletException;
import javax.servlet.http.HttpServlet;
import javax.servlet.http.HttpServletRequest;
import javax.servlet.http.HttpServletResponse;
import javax.servlet.http.HttpSession;
import vyt.catalog.Catalog;
import vyt.client.Client;
import vyt.client.ClientException;
import vyt.client.Report;
import vyt.client.ReportJson;

/**
 * The web front end: every page, the reports by name, their JSON form and the health check.
 * Each report on a page is one request through the library: the request record from
 * {@code buildVYTRequest}, an exchange with the collector, {@code getBufLength} and
 * {@code mapData}.
 *
 * <p>The collector's address comes from the context attribute {@value #CLIENT_ATTRIBUTE} (a
 * {@link Client}, set by the embedded server), else the context parameter or system property
 * {@value #COLLECTOR_PARAM} ("HOST:PORT"), else {@value #DEFAULT_COLLECTOR}.
 */
public final class FrontEndServlet extends HttpServlet {
    private static final long serialVersionUID = 1L;
    static final Logger LOG = Logger.getLogger("vyt.web");

    public static final String COLLECTOR_PARAM = "vyt.collector";
    public static final String CLIENT_ATTRIBUTE = "vyt.client";
    public static final String DEFAULT_COLLECTOR = "127.0.0.1:47300";

    static final String CSP = "default-src 'none'; style-src 'self'; img-src 'self'; form-action 'self';"
            + " frame-ancestors 'none'; base-uri 'none'";
    static final String CSRF_ATTRIBUTE = "vyt.csrf";
    static final int REFRESH_SECONDS = 30;

    /** The report kinds that change the collector's rules: only by POST with the session's token. */
    static final Set<String> CHANGES = Client.CHANGES;

    private transient Client client;
    private transient boolean ownClient;
    /** Why the application cannot serve, or null. */
    private transient String unavailable;
    private static final SecureRandom RANDOM = new SecureRandom();

    @Override
    public void init() throws ServletException {
        try {
            Class.forName("vyt.client.Native", true, FrontEndServlet.class.getClassLoader());
        } catch (ClassNotFoundException | LinkageError e) {
            Throwable cause = e.getCause() != null ? e.getCause() : e;
            String why = String.valueOf(cause.getMessage());
            unavailable = why.contains("already loaded in another classloader")
                    ? "the native library VYTjni is already loaded by another class loader in this JVM (an earlier"
                            + " deployment of this application, or another application); a JVM loads a native"
                            + " library into one class loader only. Restart the servlet container, or deploy a"
                            + " vytjni.jar that extracts its library once per class loader. (" + why + ")"
                    : "the native library VYTjni could not be loaded: " + why + ". Put libVYTjni.so on the"
                            + " container's java.library.path or name the file with -Dvytjni.library=PATH.";
            LOG.severe(unavailable);
            return;
        }
        Object c = getServletContext().getAttribute(CLIENT_ATTRIBUTE);
        if (c instanceof Client) {
            client = (Client) c;
        } else {
            String addr = getServletContext().getInitParameter(COLLECTOR_PARAM);
            if (addr == null || addr.isBlank()) addr = System.getProperty(COLLECTOR_PARAM);
            if (addr == null || addr.isBlank()) addr = DEFAULT_COLLECTOR;
            try {
                client = Client.forAddress(addr.trim());
            } catch (IllegalArgumentException e) {
                throw new ServletException("bad collector address in " + COLLECTOR_PARAM + ": " + e.getMessage());
            }
            ownClient = true;
        }
        LOG.info("reports from the collector at " + client.address());
    }

    @Override
    public void destroy() {
        if (ownClient && client != null) client.close();
    }

    /** A page that cannot be served, with the status and the message it shows. */
    static final class Failure extends Exception {
        private static final long serialVersionUID = 1L;
        final int status;

        Failure(int status, String message) {
            super(message);
            this.status = status;
        }
    }

    @Override
    protected void service(HttpServletRequest req, HttpServletResponse resp) throws ServletException, IOException {
        resp.setHeader("Content-Security-Policy", CSP);
        resp.setHeader("X-Content-Type-Options", "nosniff");
        resp.setHeader("X-Frame-Options", "DENY");
        resp.setHeader("Referrer-Policy", "no-referrer");
        String path = req.getRequestURI().substring(req.getContextPath().length());
        boolean api = path.startsWith("/api/");
        try {
            if (unavailable != null) throw new Failure(503, unavailable);
            String method = req.getMethod();
            if (!method.equals("GET") && !method.equals("HEAD") && !method.equals("POST"))
                throw new Failure(405, "method " + method + " is not used here");
            route(path, req, resp);
        } catch (Failure f) {
            if (f.status >= 500) LOG.warning(path + ": " + f.status + " " + f.getMessage());
            error(req, resp, api, f.status, f.getMessage());
        } catch (Params.BadParameter e) {
            error(req, resp, api, 400, e.getMessage());
        } catch (ClientException e) {
            int status = statusOf(e);
            if (status >= 500) LOG.warning(path + ": " + e.getMessage());
            error(req, resp, api, status, e.getMessage());
        } catch (RuntimeException e) {
            LOG.log(Level.SEVERE, path + ": internal error", e);
            error(req, resp, api, 500, "internal error; the server log has the details");
        }
    }

    static int statusOf(ClientException e) {
        switch (e.reason) {
            case TRAN_NOT_FOUND: case PATH_NOT_FOUND: case SERVER_NOT_FOUND: return 404;
            case BAD_REQUEST: return 400;
            default: return 502;
        }
    }

    private void route(String path, HttpServletRequest req, HttpServletResponse resp)
            throws Failure, Params.BadParameter, ClientException, IOException {
        boolean post = req.getMethod().equals("POST");
        if (path.startsWith("/api/reports/")) {
            apiReport(path.substring("/api/reports/".length()), req, resp);
            return;
        }
        if (path.startsWith("/reports/")) {
            Catalog.Kind k = kind(path.substring("/reports/".length()));
            send(resp, new Pages(this, req, client).report(k, post));
            return;
        }
        if (path.equals("/style.css")) {
            asset(resp, "style.css", "text/css");
            return;
        }
        if (path.equals("/favicon.ico")) {
            resp.setStatus(204);
            return;
        }
        if (path.equals("/health")) {
            health(resp);
            return;
        }
        if (post && !path.equals("/rules"))
            throw new Failure(405, "POST is used only for rule changes");
        Pages p = new Pages(this, req, client);
        switch (path) {
            case "": case "/": send(resp, p.overview()); break;
            case "/transaction": send(resp, p.transaction()); break;
            case "/tiers": send(resp, p.tiers()); break;
            case "/server-load": send(resp, p.serverLoad()); break;
            case "/flow": send(resp, p.flow()); break;
            case "/path": send(resp, p.path()); break;
            case "/alerts": send(resp, p.alerts()); break;
            case "/summary": send(resp, p.summary()); break;
            case "/sub-transactions": send(resp, p.subTransactions()); break;
            case "/rules": send(resp, post ? p.changeRules() : p.rules(null)); break;
            case "/reports": send(resp, p.index()); break;
            default: throw new Failure(404, "no page " + path);
        }
    }

    static Catalog.Kind kind(String name) throws Failure {
        Catalog.Kind k = Catalog.byName(name);
        if (k == null) throw new Failure(404, "no report kind named \"" + name + "\"");
        return k;
    }

    private void apiReport(String name, HttpServletRequest req, HttpServletResponse resp)
            throws Failure, Params.BadParameter, ClientException, IOException {
        Catalog.Kind k = kind(name);
        if (CHANGES.contains(k.name())) {
            if (!req.getMethod().equals("POST"))
                throw new Failure(403, k.name() + " changes the rules: only by POST with the session's CSRF token");
            checkToken(req);
        } else if (req.getMethod().equals("POST")) {
            throw new Failure(405, k.name() + " is read with GET");
        }
        Report r = client.fetch(k, new Params(req).selection(k), false);
        resp.setContentType("application/json;charset=UTF-8");
        resp.setHeader("Cache-Control", "no-store");
        Writer w = resp.getWriter();
        ReportJson.write(r, w);
    }

    private void health(HttpServletResponse resp) throws IOException {
        resp.setContentType("text/plain;charset=UTF-8");
        resp.setHeader("Cache-Control", "no-store");
        try {
            client.fetch(Catalog.byName("all-transactions"), Client.Selection.NONE, false);
            resp.getWriter().write("ok: the collector at " + client.address() + " answers\n");
        } catch (ClientException e) {
            resp.setStatus(503);
            resp.getWriter().write("unavailable: " + e.getMessage() + "\n");
        }
    }

    private static void asset(HttpServletResponse resp, String name, String type) throws IOException {
        try (InputStream in = FrontEndServlet.class.getResourceAsStream("/vyt/web/" + name)) {
            if (in == null) {
                resp.sendError(404);
                return;
            }
            resp.setContentType(type + ";charset=UTF-8");
            resp.setHeader("Cache-Control", "max-age=3600");
            in.transferTo(resp.getOutputStream());
        }
    }

    static void send(HttpServletResponse resp, String html) throws IOException {
        resp.setContentType("text/html;charset=UTF-8");
        resp.setHeader("Cache-Control", "no-store");
        byte[] b = html.getBytes(StandardCharsets.UTF_8);
        resp.setContentLength(b.length);
        resp.getOutputStream().write(b);
    }

    private void error(HttpServletRequest req, HttpServletResponse resp, boolean api, int status, String message)
            throws IOException {
        if (resp.isCommitted()) return;
        resp.reset();
        resp.setHeader("Content-Security-Policy", CSP);
        resp.setHeader("X-Content-Type-Options", "nosniff");
        resp.setStatus(status);
        if (api) {
            resp.setContentType("application/json;charset=UTF-8");
            resp.getWriter().write(ReportJson.MAPPER.createObjectNode().put("status", status).put("error", message)
                    .toString());
            return;
        }
        Html h = new Html();
        Pages.head(h, req.getContextPath(), status + " " + reason(status), false, null);
        h.raw("<p class=\"error\">").text(message).raw("</p>");
        Pages.foot(h);
        send(resp, h.toString());
    }

    static String reason(int status) {
        switch (status) {
            case 400: return "Bad request";
            case 403: return "Refused";
            case 404: return "Not found";
            case 405: return "Method not allowed";
            case 502: return "Collector failed";
            case 503: return "Unavailable";
            default: return "Error";
        }
    }

    /** The session's CSRF token, made on first use. */
    static String token(HttpServletRequest req) {
        HttpSession s = req.getSession(true);
        synchronized (s) {
            String t = (String) s.getAttribute(CSRF_ATTRIBUTE);
            if (t == null) {
                byte[] b = new byte[24];
                RANDOM.nextBytes(b);
                t = Base64.getUrlEncoder().withoutPadding().encodeToString(b);
                s.setAttribute(CSRF_ATTRIBUTE, t);
            }
            return t;
        }
    }

    /** Refuses a change whose token (form field or X-CSRF-Token header) is not the session's. */
    static void checkToken(HttpServletRequest req) throws Failure {
        HttpSession s = req.getSession(false);
        String expected = s == null ? null : (String) s.getAttribute(CSRF_ATTRIBUTE);
        String given = req.getParameter("csrf");
        if (given == null) given = req.getHeader("X-CSRF-Token");
        if (expected == null || given == null
                || !MessageDigest.isEqual(expected.getBytes(StandardCharsets.UTF_8),
                        given.getBytes(StandardCharsets.UTF_8)))
            throw new Failure(403, "refused: the form's token is missing or does not match this session;"
                    + " nothing was changed. Reload the page and try again.");
    }

    /** The zone of the time texts: the server's local zone, e.g. "UTC" or "CET". */
    static String zone() {
        return ZonedDateTime.now().format(DateTimeFormatter.ofPattern("zzz"));
    }
}
