package vyt.web;

import java.io.IOException;
import java.io.InputStream;
import java.io.Writer;
import java.nio.charset.StandardCharsets;
import java.security.GeneralSecurityException;
import java.security.MessageDigest;
import java.security.SecureRandom;
import java.time.ZonedDateTime;
import java.time.format.DateTimeFormatter;
import java.util.Base64;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.concurrent.atomic.AtomicBoolean;
import java.util.function.Predicate;
import java.util.logging.Level;
import java.util.logging.Logger;
import javax.servlet.ServletException;
import javax.servlet.http.HttpServlet;
import javax.servlet.http.HttpServletRequest;
import javax.servlet.http.Cookie;
import javax.servlet.http.HttpServletResponse;
import javax.crypto.Mac;
import javax.crypto.spec.SecretKeySpec;
import vyt.catalog.Catalog;
import vyt.client.Client;
import vyt.client.ClientException;
import vyt.client.RuleReply;
import org.vytjni.api.Report;
import vyt.client.ReportJson;

/**
 * The web front end: every page, the reports by name, their JSON form and the health check.
 * Each report fetched is one request through the library: the request record from
 * {@code buildVYTRequest}, an exchange with the collector, {@code getBufLength} and
 * {@code mapData}.
 *
 * <p>Under {@code vyt web} the collectors are named in the context attribute
 * {@value #COLLECTORS_ATTRIBUTE} (a {@link CollectorSet}, polled: pages show the reports of the
 * last poll, see {@link Source}); a request picks one with {@code collector=NAME}. Otherwise
 * (a war) there is one collector, asked for every report: its address comes from the context
 * attribute {@value #CLIENT_ATTRIBUTE} (a {@link Client}), else the context parameter or system
 * property {@value #COLLECTOR_PARAM} ("HOST:PORT"), else {@value #DEFAULT_COLLECTOR}.
 */
public final class FrontEndServlet extends HttpServlet {
    private static final long serialVersionUID = 1L;
    static final Logger LOG = Logger.getLogger("vyt.web");

    public static final String COLLECTOR_PARAM = "vyt.collector";
    public static final String CLIENT_ATTRIBUTE = "vyt.client";
    /** A {@code vyt.history.HistoryStore}: the history the trend pages read. */
    public static final String HISTORY_ATTRIBUTE = "vyt.history";
    /** A {@link CollectorSet}: the named collectors and their polled reports (set by vyt web). */
    static final String COLLECTORS_ATTRIBUTE = "vyt.collectors";
    /** A {@link Poller.StoreHealth}: whether the history takes writes (set by vyt web). */
    static final String STORE_HEALTH_ATTRIBUTE = "vyt.storeHealth";
    /**
     * A {@code Predicate<HttpServletRequest>}, true when the request's browser has closed its
     * connection; the embedded server sets it, since only the container can tell.
     */
    static final String GONE_ATTRIBUTE = "vyt.gone";
    /**
     * "true": the pages need no login from the servlet (vyt web sets it: it asks for users itself);
     * otherwise reads ask the container for a login.
     */
    public static final String OPEN_READS_PARAM = "vyt.openReads";
    /** The deadline of one exchange with the collector, in milliseconds (context parameter). */
    public static final String TIMEOUT_PARAM = "vyt.collectorTimeout";
    public static final String DEFAULT_COLLECTOR = "127.0.0.1:47300";

    static final String CSP = "default-src 'none'; style-src 'self'; img-src 'self'; form-action 'self';"
            + " frame-ancestors 'none'; base-uri 'none'";
    /**
     * No address of these pages (they name transactions) leaves for another site. Not
     * "no-referrer": with it browsers send {@code Origin: null} on the pages' own forms, and
     * those can no longer be told from a form on another site.
     */
    static final String REFERRER_POLICY = "same-origin";
    /** The cookie of the double-submit token: rule forms carry the same value. */
    static final String TOKEN_COOKIE = "vyt-csrf";
    static final int REFRESH_SECONDS = 30;

    private transient Client client;
    private transient boolean ownClient;
    private transient CollectorSet collectors;
    /** Why the application cannot serve, or null. */
    private transient String unavailable;
    private transient Guard guard;
    private transient Audit audit;
    /** Signs the tokens; made at start, so a restart asks browsers to reload their forms. */
    private transient byte[] tokenKey;
    private transient boolean openReads;
    private transient Predicate<HttpServletRequest> gone;
    private static final SecureRandom RANDOM = new SecureRandom();

    @Override
    public void init() throws ServletException {
        guard = Guard.of(getServletContext());
        Object g = getServletContext().getAttribute(GONE_ATTRIBUTE);
        @SuppressWarnings("unchecked")
        Predicate<HttpServletRequest> p = g instanceof Predicate ? (Predicate<HttpServletRequest>) g : r -> false;
        gone = p;
        openReads = "true".equalsIgnoreCase(String.valueOf(getServletContext().getInitParameter(OPEN_READS_PARAM))
                .strip());
        audit = Audit.of(getServletContext());
        tokenKey = new byte[32];
        RANDOM.nextBytes(tokenKey);
        try {
            Client.loadLibrary();
        } catch (LinkageError | IllegalStateException e) {
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
        Object set = getServletContext().getAttribute(COLLECTORS_ATTRIBUTE);
        if (set instanceof CollectorSet) {
            collectors = (CollectorSet) set;
            client = collectors.first().client;
            LOG.info("reports from the collectors " + String.join(", ", collectors.names()));
            return;
        }
        Object c = getServletContext().getAttribute(CLIENT_ATTRIBUTE);
        if (c instanceof Client) {
            client = (Client) c;
        } else {
            String addr = getServletContext().getInitParameter(COLLECTOR_PARAM);
            if (addr == null || addr.isBlank()) addr = System.getProperty(COLLECTOR_PARAM);
            if (addr == null || addr.isBlank()) addr = DEFAULT_COLLECTOR;
            String timeout = getServletContext().getInitParameter(TIMEOUT_PARAM);
            try {
                Client a = Client.forAddress(addr.trim());
                int ms = timeout == null || timeout.isBlank() ? Client.DEFAULT_READ_TIMEOUT_MS
                        : Integer.parseInt(timeout.strip());
                if (ms < 1) throw new NumberFormatException("below 1");
                client = new Client(a.host, a.port, Client.DEFAULT_CONNECT_TIMEOUT_MS, ms, Client.DEFAULT_MAX_REPLY);
            } catch (NumberFormatException e) {
                throw new ServletException(TIMEOUT_PARAM + ": milliseconds, at least 1, not " + timeout);
            } catch (IllegalArgumentException e) {
                throw new ServletException("bad collector address in " + COLLECTOR_PARAM + ": " + e.getMessage());
            }
            ownClient = true;
        }
        collectors = new CollectorSet(List.of(new Source(client.address(), client, false, null)));
        LOG.info("reports from the collector at " + client.address());
    }

    @Override
    public void destroy() {
        if (ownClient && client != null) client.close();
    }

    /** The browser has gone: nothing more is fetched for it, and nothing is answered. */
    static final class Gone extends RuntimeException {
        private static final long serialVersionUID = 1L;

        Gone() {
            super("the browser closed the connection", null, false, false);
        }
    }

    /**
     * The chosen collector's reports for one request: those of its last poll, else fetched now
     * (and kept until its next poll), only while the request's browser is still there.
     */
    private Reports reports(HttpServletRequest req) throws Failure {
        Source src = source(req);
        return (k, sel, trace) -> {
            if (gone.test(req)) throw new Gone();
            return src.report(k, sel, trace);
        };
    }

    /** The collector a request names with {@code collector=NAME}, else the first; an unknown name is a 404. */
    Source source(HttpServletRequest req) throws Failure {
        String name = new Params(req).first("collector");
        if (name == null || name.isEmpty()) return collectors.first();
        Source s = collectors.get(name);
        if (s == null)
            throw new Failure(404, "no collector named \"" + name + "\"; this front end shows "
                    + String.join(", ", collectors.names()));
        return s;
    }

    /** The collector a request is about, and how fresh its data is. */
    View view(HttpServletRequest req) throws Failure {
        return source(req).view(collectors.names(), java.time.Instant.now());
    }

    /**
     * The history the front end keeps; a 503 saying what to do when it keeps none or when the
     * store refuses writes.
     */
    vyt.history.HistoryStore history() throws Failure {
        Object h = getServletContext().getAttribute(HISTORY_ATTRIBUTE);
        if (!(h instanceof vyt.history.HistoryStore))
            throw new Failure(503, "this front end keeps no history; start it with ./vyt web, which keeps one in --data DIR");
        Object health = getServletContext().getAttribute(STORE_HEALTH_ATTRIBUTE);
        vyt.history.HistoryException f = health instanceof Poller.StoreHealth ? ((Poller.StoreHealth) health).fault()
                : null;
        if (f != null)
            throw new Failure(503, "the history cannot be written: " + f.getMessage() + " The current pages still"
                    + " work; polling goes on and its intervals are written once the store takes them.");
        return (vyt.history.HistoryStore) h;
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
        secure(resp);
        String path = req.getRequestURI().substring(req.getContextPath().length());
        boolean api = path.startsWith("/api/");
        try {
            String misdirected = guard.refuseHost(req);
            if (misdirected != null) throw new Failure(421, misdirected);
            if (!openReads && req.getRemoteUser() == null && !path.equals("/health") && !path.equals("/style.css")
                    && !req.authenticate(resp))
                return;  // the container has asked for a login
            if (unavailable != null) throw new Failure(503, unavailable);
            String method = req.getMethod();
            if (!method.equals("GET") && !method.equals("HEAD") && !method.equals("POST"))
                throw new Failure(405, "method " + method + " is not used here");
            if (method.equals("POST")) {
                String foreign = guard.refuseOrigin(req);
                if (foreign != null) throw new Failure(403, foreign);
            }
            Params.parse(req);
            route(path, req, resp);
        } catch (Failure f) {
            if (f.status >= 500) LOG.warning(path + ": " + f.status + " " + f.getMessage());
            error(req, resp, api, f.status, f.getMessage());
        } catch (Params.BadParameter e) {
            error(req, resp, api, 400, e.getMessage());
        } catch (Params.TooLarge e) {
            error(req, resp, api, 413, e.getMessage());
        } catch (ClientException e) {
            int status = statusOf(e);
            if (status >= 500) LOG.warning(path + ": " + e.getMessage());
            error(req, resp, api, status, e.getMessage());
        } catch (vyt.history.HistoryException e) {
            LOG.warning(path + ": 503 " + e.getMessage());
            error(req, resp, api, 503, "the history cannot be read: " + e.getMessage());
        } catch (Table.Csv c) {
            csv(resp, c);
        } catch (Gone e) {
            LOG.fine(path + ": " + e.getMessage() + "; its remaining reports were not fetched");
        } catch (RuntimeException e) {
            LOG.log(Level.SEVERE, path + ": internal error", e);
            error(req, resp, api, 500, "internal error; the server log has the details");
        }
    }

    static int statusOf(ClientException e) {
        switch (e.reason) {
            case TRAN_NOT_FOUND: case PATH_NOT_FOUND: case SERVER_NOT_FOUND: return 404;
            case BAD_REQUEST: return 400;
            case TIMED_OUT: return 504;
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
            sendOrNot(resp, new Pages(this, req, resp, reports(req), view(req)).report(k, post));
            return;
        }
        List<String> args = PAGE_ARGS.get(path);
        if (args != null) new Params(req).only(args.toArray(new String[0]));
        if (path.equals("/style.css")) {
            asset(resp, "style.css", "text/css");
            return;
        }
        if (path.equals("/favicon.ico")) {
            resp.setStatus(204);
            return;
        }
        if (path.equals("/health")) {
            health(req, resp);
            return;
        }
        if (path.equals("/metrics")) {
            new Params(req).only();
            metrics(resp);
            return;
        }
        if (post && !path.equals("/rules"))
            throw new Failure(405, "POST is used only for rule changes");
        if (path.equals("/trend")) {
            send(resp, new Trends(req, history(), view(req)).page());
            return;
        }
        Pages p = new Pages(this, req, resp, reports(req), view(req));
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
            case "/rules": sendOrNot(resp, post ? p.changeRules() : p.rules(null)); break;
            case "/reports": send(resp, p.index()); break;
            case "/collectors": new Params(req).only(); send(resp, collectorsPage(req)); break;
            default: throw new Failure(404, "no page " + path);
        }
    }

    /**
     * The parameters of the pages that take a fixed set; the others check theirs against the
     * report kinds they show. Any other parameter is refused as unknown.
     */
    static final Map<String, List<String>> PAGE_ARGS = Map.of("", List.of(), "/", List.of(),
            "/transaction", List.of("tran"), "/tiers", List.of("tran"), "/flow", List.of("tran"),
            "/path", List.of("tran", "path", "view"), "/summary", List.of("tran", "path"), "/reports", List.of(),
            "/health", List.of(), "/style.css", List.of());

    static Catalog.Kind kind(String name) throws Failure {
        Catalog.Kind k = Catalog.byName(name);
        if (k == null) throw new Failure(404, "no report kind named \"" + name + "\"");
        return k;
    }

    private void apiReport(String name, HttpServletRequest req, HttpServletResponse resp)
            throws Failure, Params.BadParameter, ClientException, IOException {
        Catalog.Kind k = kind(name);
        // A kind that changes the collector's rules: only by POST with the session's token.
        if (k.changesRules()) {
            if (!req.getMethod().equals("POST"))
                throw new Failure(403, k.name() + " changes the rules: only by POST with the session's CSRF token");
            checkToken(req);
        } else if (req.getMethod().equals("POST")) {
            throw new Failure(405, k.name() + " is read with GET");
        }
        Client.Selection sel = new Params(req).selection(k);
        Report r = k.changesRules() ? change(req, k, sel) : reports(req).fetch(k, sel, false);
        resp.setContentType("application/json;charset=UTF-8");
        resp.setHeader("Cache-Control", "no-store");
        int code = k.changesRules() ? RuleReply.returnCode(r) : 0;
        if (code != 0) {
            resp.setStatus(422);
            resp.getWriter().write(ReportJson.MAPPER.createObjectNode().put("ok", false).put("code", code)
                    .put("reason", Pages.codeReason(code)).toString());
            return;
        }
        Writer w = resp.getWriter();
        ReportJson.write(r, w);
    }

    /** Runs a rule change and writes its line to the audit log, whatever the outcome. */
    Report change(HttpServletRequest req, Catalog.Kind k, Client.Selection sel) throws ClientException {
        Source src;
        try {
            src = source(req);
        } catch (Failure f) {  // the page has refused the name already; never a change elsewhere
            throw new ClientException(ClientException.Reason.BAD_REQUEST, f.getMessage());
        }
        try {
            Report r = src.client.fetch(k, sel, false);
            int code = RuleReply.returnCode(r);
            audit.record(req, src.client.address(), k, sel, code, Pages.codeReason(code));
            return r;
        } catch (ClientException e) {
            audit.record(req, src.client.address(), k, sel, -1, e.getMessage());
            throw e;
        } finally {
            src.rulesChanged();
        }
    }

    /** How old the last known state of a collector may be before /health asks it again, in ms. */
    static final long HEALTH_FRESH_MS = 5000;
    private final java.util.Set<String> probing = java.util.concurrent.ConcurrentHashMap.newKeySet();

    /**
     * Answers from the last known state of every collector, never waiting on one: when a state is
     * stale, a background request refreshes it for the next call. Only before any answer is known
     * does it wait, up to a second. A collector's address is named only to a logged-in user. The
     * status is 503 when no collector answers.
     */
    private void health(HttpServletRequest req, HttpServletResponse resp) throws IOException {
        resp.setContentType("text/plain;charset=UTF-8");
        resp.setHeader("Cache-Control", "no-store");
        List<Source> all = collectors.all();
        List<Thread> waits = new java.util.ArrayList<>();
        for (Source src : all) {
            Client.State st = src.client.state();
            if (st == null || System.currentTimeMillis() - st.atMillis() > HEALTH_FRESH_MS) {
                Thread probe = probe(src);
                if (st == null && probe != null) waits.add(probe);
            }
        }
        long until = System.currentTimeMillis() + 1000;
        for (Thread t : waits) {
            try {
                t.join(Math.max(1, until - System.currentTimeMillis()));
            } catch (InterruptedException e) {
                Thread.currentThread().interrupt();
            }
        }
        boolean named = req.getRemoteUser() != null;
        boolean anyOk = false;
        StringBuilder out = new StringBuilder();
        for (Source src : all) {
            Client.State st = src.client.state();
            String who = (all.size() > 1 ? "the collector " + src.name : "the collector")
                    + (named ? " at " + src.client.address() : "");
            String stale = src.stale(java.time.Instant.now()) ? " (its last good poll is more than two intervals old)"
                    : "";
            if (all.size() > 1) out.append(src.name).append(": ");
            if (st == null) {
                out.append("unknown: ").append(who).append(" has not answered yet\n");
            } else if (st.ok()) {
                anyOk = true;
                out.append("ok: ").append(who).append(" answered ").append(ageOf(st)).append(stale).append('\n');
            } else {
                out.append("unavailable: ").append(named ? st.message()
                        : who + " failed (" + st.reason().name().toLowerCase(Locale.ROOT).replace('_', ' ') + ")")
                        .append(", ").append(ageOf(st)).append(stale).append('\n');
            }
        }
        Object health = getServletContext().getAttribute(STORE_HEALTH_ATTRIBUTE);
        if (health instanceof Poller.StoreHealth && ((Poller.StoreHealth) health).fault() != null)
            out.append("history: refuses writes; polling goes on and writes them later").append(named
                    ? " (" + ((Poller.StoreHealth) health).fault().fault().name().toLowerCase(Locale.ROOT) + ")" : "")
                    .append('\n');
        if (!anyOk) resp.setStatus(503);
        resp.getWriter().write(out.toString());
    }

    private static String ageOf(Client.State st) {
        return (System.currentTimeMillis() - st.atMillis()) / 1000 + " s ago";
    }

    /** Starts one background request to a collector unless one is running; returns it, or null. */
    private Thread probe(Source src) {
        if (!probing.add(src.name)) return null;
        Thread t = new Thread(() -> {
            try {
                src.client.fetch(Catalog.byName("all-transactions"), Client.Selection.NONE, false);
            } catch (ClientException | RuntimeException e) {
                // the client keeps the outcome as its state
            } finally {
                probing.remove(src.name);
            }
        }, "vyt-health");
        t.setDaemon(true);
        t.start();
        return t;
    }

    /** The overview of every collector. */
    private String collectorsPage(HttpServletRequest req) {
        Object h = getServletContext().getAttribute(HISTORY_ATTRIBUTE);
        Object health = getServletContext().getAttribute(STORE_HEALTH_ATTRIBUTE);
        boolean refreshing = !"off".equals(new Params(req).first("refresh"));
        return CollectorsPage.page(req.getContextPath(), collectors,
                health instanceof Poller.StoreHealth ? (Poller.StoreHealth) health : null,
                h instanceof vyt.history.HistoryStore ? ((vyt.history.HistoryStore) h).describe() : null, refreshing);
    }

    /** The Prometheus figures, when the server keeps them. */
    private void metrics(HttpServletResponse resp) throws Failure, IOException {
        Object m = getServletContext().getAttribute(Metrics.ATTRIBUTE);
        if (!(m instanceof Metrics)) throw new Failure(404, "this front end keeps no figures; ./vyt web serves them");
        resp.setContentType(Metrics.CONTENT_TYPE);
        resp.setHeader("Cache-Control", "no-store");
        ((Metrics) m).write(resp.getWriter());
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

    /** Sends a page, or nothing when the page has answered itself (a redirect); null means that. */
    static void sendOrNot(HttpServletResponse resp, String html) throws IOException {
        if (html != null) send(resp, html);
    }

    /** The headers every response carries, error pages included. */
    static void secure(HttpServletResponse resp) {
        resp.setHeader("Content-Security-Policy", CSP);
        resp.setHeader("X-Content-Type-Options", "nosniff");
        resp.setHeader("X-Frame-Options", "DENY");
        resp.setHeader("Referrer-Policy", REFERRER_POLICY);
    }

    /** A table of a page as a CSV download. */
    static void csv(HttpServletResponse resp, Table.Csv c) throws IOException {
        resp.setContentType("text/csv;charset=UTF-8");
        resp.setHeader("Cache-Control", "no-store");
        resp.setHeader("Content-Disposition", "attachment; filename=\"" + c.id + ".csv\"");
        byte[] b = c.text.getBytes(StandardCharsets.UTF_8);
        resp.setContentLength(b.length);
        resp.getOutputStream().write(b);
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
        secure(resp);
        resp.setStatus(status);
        // A collector or the store that failed: clients may ask again after the refresh time.
        if (status >= 500) resp.setHeader("Retry-After", String.valueOf(REFRESH_SECONDS));
        if (api) {
            resp.setContentType("application/json;charset=UTF-8");
            resp.getWriter().write(ReportJson.MAPPER.createObjectNode().put("status", status).put("error", message)
                    .toString());
            return;
        }
        // A wall display showing a collector failure keeps refreshing, so it recovers by itself.
        boolean refreshing = status >= 500 && req.getMethod().equals("GET")
                && !"off".equals(new Params(req).first("refresh"));
        send(resp, errorPage(req.getContextPath(), status, message, refreshing));
    }

    /** An error page: the status, its reason and the message. */
    static String errorPage(String ctx, int status, String message, boolean refreshing) {
        Html h = new Html();
        Pages.head(h, ctx, status + " " + reason(status), refreshing, null, null);
        h.raw("<p class=\"error\">").text(message).raw("</p>");
        Pages.foot(h);
        return h.toString();
    }

    static String reason(int status) {
        switch (status) {
            case 400: return "Bad request";
            case 401: return "Login needed";
            case 403: return "Refused";
            case 404: return "Not found";
            case 405: return "Method not allowed";
            case 413: return "Too large";
            case 414: return "Address too long";
            case 421: return "Wrong host name";
            case 422: return "Not done";
            case 431: return "Headers too large";
            case 502: return "Collector failed";
            case 503: return "Unavailable";
            case 504: return "Collector timed out";
            default: return "Error";
        }
    }

    /**
     * The browser's CSRF token: a random value signed with this server's key and the user's name,
     * kept in a cookie (no session on the server) and repeated in every rule form. A change must
     * send the cookie and the same value in the form or the X-CSRF-Token header; another site can
     * neither read the cookie nor make a valid value.
     */
    String token(HttpServletRequest req, HttpServletResponse resp) {
        String t = cookie(req);
        if (t != null && valid(t, req)) return t;
        byte[] b = new byte[18];
        RANDOM.nextBytes(b);
        String nonce = Base64.getUrlEncoder().withoutPadding().encodeToString(b);
        t = nonce + "." + sign(nonce, req);
        String path = req.getContextPath().isEmpty() ? "/" : req.getContextPath();
        resp.addHeader("Set-Cookie", TOKEN_COOKIE + "=" + t + "; Path=" + path + "; HttpOnly; SameSite=Strict"
                + ("https".equals(guard.scheme(req)) ? "; Secure" : ""));
        return t;
    }

    private static String cookie(HttpServletRequest req) {
        Cookie[] cs = req.getCookies();
        if (cs != null) for (Cookie c : cs) if (c.getName().equals(TOKEN_COOKIE)) return c.getValue();
        return null;
    }

    private String sign(String nonce, HttpServletRequest req) {
        try {
            Mac mac = Mac.getInstance("HmacSHA256");
            mac.init(new SecretKeySpec(tokenKey, "HmacSHA256"));
            String user = req.getRemoteUser();
            byte[] sig = mac.doFinal((nonce + "\n" + (user == null ? "" : user)).getBytes(StandardCharsets.UTF_8));
            return Base64.getUrlEncoder().withoutPadding().encodeToString(sig);
        } catch (GeneralSecurityException e) {
            throw new IllegalStateException("HmacSHA256 is missing from this JVM", e);
        }
    }

    private boolean valid(String token, HttpServletRequest req) {
        int dot = token.indexOf('.');
        return dot > 0 && MessageDigest.isEqual(sign(token.substring(0, dot), req).getBytes(StandardCharsets.UTF_8),
                token.substring(dot + 1).getBytes(StandardCharsets.UTF_8));
    }

    /** Refuses a change whose token (form field or X-CSRF-Token header) is not the browser's. */
    void checkToken(HttpServletRequest req) throws Failure {
        String expected = cookie(req);
        String given = new Params(req).first("csrf");
        if (given == null) given = req.getHeader("X-CSRF-Token");
        if (expected == null || given == null || !valid(expected, req)
                || !MessageDigest.isEqual(expected.getBytes(StandardCharsets.UTF_8),
                        given.getBytes(StandardCharsets.UTF_8)))
            throw new Failure(403, "refused: the form's token is missing or does not match this browser's;"
                    + " nothing was changed. Reload the page and try again.");
    }

    /** The zone of the time texts: the server's local zone, e.g. "UTC" or "CET". */
    static String zone() {
        return ZonedDateTime.now().format(DateTimeFormatter.ofPattern("zzz"));
    }
}
