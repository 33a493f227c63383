package vyt.web;

import java.io.IOException;
import java.io.PrintStream;
import java.net.InetAddress;
import java.net.UnknownHostException;
import java.nio.ByteBuffer;
import java.nio.channels.SocketChannel;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.time.Duration;
import java.util.concurrent.Callable;
import java.util.concurrent.Executors;
import java.util.concurrent.ScheduledExecutorService;
import java.util.concurrent.TimeUnit;
import java.util.function.Predicate;
import javax.servlet.http.HttpServletRequest;
import org.eclipse.jetty.security.ConstraintMapping;
import org.eclipse.jetty.security.ConstraintSecurityHandler;
import org.eclipse.jetty.security.HashLoginService;
import org.eclipse.jetty.security.UserStore;
import org.eclipse.jetty.security.authentication.BasicAuthenticator;
import org.eclipse.jetty.server.ConnectionLimit;
import org.eclipse.jetty.server.CustomRequestLog;
import org.eclipse.jetty.server.HttpConfiguration;
import org.eclipse.jetty.server.HttpConnectionFactory;
import org.eclipse.jetty.server.Request;
import org.eclipse.jetty.server.RequestLogWriter;
import org.eclipse.jetty.server.Server;
import org.eclipse.jetty.server.ServerConnector;
import org.eclipse.jetty.servlet.ServletContextHandler;
import org.eclipse.jetty.servlet.ServletHolder;
import org.eclipse.jetty.util.security.Constraint;
import org.eclipse.jetty.util.thread.QueuedThreadPool;
import picocli.CommandLine;
import picocli.CommandLine.Command;
import picocli.CommandLine.Option;
import vyt.client.Client;
import vyt.collector.Collector;
import vyt.collector.Sample;
import vyt.history.HistoryException;
import vyt.history.HistoryStore;
import vyt.history.PruneResult;
import vyt.history.Retention;
import vyt.history.StoreOptions;

/**
 * Runs the web front end in an embedded Jetty: {@code vyt web [--port N] [--bind ADDR]
 * [--collector [NAME=]HOST:PORT]... [--collectors FILE] [--poll-interval SECONDS] [--data DIR | --db URL]
 * [--users FILE] [--access-log FILE] [--data-set NAME] [--host-name NAME]... [--trust-proxy]
 * [--audit-log FILE]...}. Without a collector it starts the sample collector in the process. Each
 * collector is polled on a thread of its own into the history and the pages' reports. It prints
 * where the history is, then {@code serving http://ADDR:PORT/} once it accepts requests.
 */
@Command(name = "vyt web", mixinStandardHelpOptions = true, sortOptions = false,
        description = "Serves the reports as web pages on http://ADDR:PORT/.")
public final class WebServer implements Callable<Integer> {
    @Option(names = "--port", paramLabel = "N",
            description = "TCP port; 0 picks a free one (default: ${DEFAULT-VALUE})")
    int port = 8080;

    @Option(names = "--bind", paramLabel = "ADDR", description = "address to listen on (default: ${DEFAULT-VALUE})")
    String bind = "127.0.0.1";

    @Option(names = "--collector", paramLabel = "[NAME=]HOST:PORT",
            description = "a collector to poll and show, named NAME or after its host (repeatable; default: a"
                    + " sample collector in this process, named sample)")
    List<String> collectorArgs = new ArrayList<>();

    @Option(names = "--collectors", paramLabel = "FILE",
            description = "a file of collectors, one NAME=HOST:PORT a line ('#' starts a comment)")
    Path collectorsFile;

    @Option(names = "--poll-interval", paramLabel = "SECONDS",
            description = "how often each collector is polled; 0: not at all, every page asks the collector and"
                    + " nothing is stored (default: ${DEFAULT-VALUE}; the sample collector is polled every --interval)")
    int pollSeconds = CollectorSet.DEFAULT_POLL;

    @Option(names = "--interval", paramLabel = "SECONDS",
            description = "the sample collector's interval (default: ${DEFAULT-VALUE})")
    int sampleInterval = Sample.INTERVAL;

    @Option(names = "--data", paramLabel = "DIR",
            description = "the folder of the history's SQLite file (default: vyt-data in the working directory)")
    Path data;

    @Option(names = "--db", paramLabel = "URL",
            description = "keep the history in PostgreSQL instead: jdbc:postgresql://HOST:PORT/DB?user=NAME (no"
                    + " password in the URL)")
    String dbUrl;

    @Option(names = "--db-password-file", paramLabel = "FILE",
            description = "the file holding the --db password (default: the environment variable VYT_DB_PASSWORD)")
    Path dbPasswordFile;

    @Option(names = "--retention-days", paramLabel = "N",
            description = "days the collector intervals are kept (default: ${DEFAULT-VALUE})")
    int retentionDays = 30;

    @Option(names = "--retention-hourly-days", paramLabel = "N",
            description = "days the hourly roll-ups are kept (default: ${DEFAULT-VALUE})")
    int retentionHourlyDays = 365;

    @Option(names = "--seed-history", paramLabel = "DAYS",
            description = "days of generated sample history stored at start for the built-in sample collector, or"
                    + " for the first --collector when that is a sample collector (./vyt collector); 0: none"
                    + " (default: 7 with the built-in one)")
    Integer seedDays;

    @Option(names = "--users", paramLabel = "FILE",
            description = "HTTP Basic users, lines 'name: hash' written by ./vyt passwd FILE USER (required when"
                    + " ADDR is not a loopback address)")
    Path users;

    @Option(names = "--access-log", paramLabel = "FILE",
            description = "where the access log goes (default: standard error)")
    String accessLog;

    @Option(names = "--data-set", paramLabel = "NAME",
            description = "the sample collector's data set: standard or markup (default: ${DEFAULT-VALUE})")
    String dataSet = "standard";

    @Option(names = "--host-name", paramLabel = "NAME",
            description = "a host name browsers use for this server, e.g. the public name behind a reverse proxy"
                    + " (repeatable; its address and localhost are always accepted)")
    List<String> hostNames = new ArrayList<>();

    @Option(names = "--trust-proxy",
            description = "take the host name and scheme from X-Forwarded-Host and X-Forwarded-Proto (only behind"
                    + " a reverse proxy that sets them)")
    boolean trustProxy;

    @Option(names = "--audit-log", paramLabel = "FILE",
            description = "where rule changes are recorded, one JSON line each (default: audit.log beside the"
                    + " access log, or in the working directory)")
    Path auditLog;

    @Option(names = "--collector-timeout", paramLabel = "MS",
            description = "deadline of one whole exchange with the collector (default: ${DEFAULT-VALUE})")
    int collectorTimeoutMs = Client.DEFAULT_READ_TIMEOUT_MS;

    @Option(names = "--max-connections", paramLabel = "N",
            description = "browser connections open at once (default: ${DEFAULT-VALUE})")
    int maxConnections = 256;

    @Option(names = "--header-timeout", paramLabel = "MS",
            description = "time a connection has to send a complete request head (default: ${DEFAULT-VALUE})")
    int headerTimeoutMs = 10000;

    private final PrintStream out;
    private Server server;
    private Collector embedded;
    private CollectorSet collectors;
    private final List<Poller> pollers = new ArrayList<>();
    private HistoryStore store;
    private ScheduledExecutorService housekeeping;
    private HeaderTimeout headerTimeout;
    /** Opens the history; tests put a store of their own here. */
    java.util.function.Function<StoreOptions, HistoryStore> openStore = HistoryStore::open;

    public WebServer() {
        this(System.out);
    }

    WebServer(PrintStream out) {
        this.out = out;
    }

    public static void main(String[] args) {
        // Jetty and the application log through the JDK's logging, one line per record.
        System.setProperty("org.eclipse.jetty.util.log.class", "org.eclipse.jetty.util.log.JavaUtilLog");
        if (System.getProperty("java.util.logging.SimpleFormatter.format") == null)
            System.setProperty("java.util.logging.SimpleFormatter.format", "%1$tF %1$tT %4$s %3$s: %5$s%6$s%n");
        int status = new CommandLine(new WebServer()).execute(args);
        if (status != 0) System.exit(status);
    }

    /** A command line that cannot be served; the message says what to do. */
    static final class Refused extends Exception {
        private static final long serialVersionUID = 1L;

        Refused(String message) {
            super(message);
        }
    }

    @Override
    public Integer call() throws Exception {
        try {
            start();
        } catch (Refused e) {
            System.err.println("vyt web: " + e.getMessage());
            return 2;
        }
        out.println("serving " + url());
        out.flush();
        server.join();
        return 0;
    }

    /** The address the server answers on, e.g. "http://127.0.0.1:8080/". */
    String url() {
        String host = bind.contains(":") ? "[" + bind + "]" : bind;
        return "http://" + host + ":" + port() + "/";
    }

    int port() {
        return ((ServerConnector) server.getConnectors()[0]).getLocalPort();
    }

    /** Starts the collector (when embedded) and the server; returns once it accepts requests. */
    void start() throws Exception {
        InetAddress addr;
        try {
            addr = InetAddress.getByName(bind);
        } catch (UnknownHostException e) {
            throw new Refused("--bind: unknown address " + bind);
        }
        if (!addr.isLoopbackAddress() && users == null)
            throw new Refused("refusing to serve on " + bind + " without credentials: anyone who reaches it could"
                    + " read the reports and change the URL rules. Name a users file with --users FILE (lines"
                    + " 'name: password'), or leave out --bind to serve on 127.0.0.1 only.");
        UserStore userStore = null;
        if (users != null) {
            try {
                userStore = Passwords.load(users);
            } catch (Passwords.BadFile e) {
                throw new Refused("--users: " + e.getMessage());
            }
        }
        if (port < 0 || port > 65535) throw new Refused("--port out of range: " + port);
        Sample.DataSet set = Sample.DataSet.of(dataSet);
        if (set == null) throw new Refused("--data-set: standard or markup, not " + dataSet);
        if (collectorTimeoutMs < 1) throw new Refused("--collector-timeout: at least 1 ms, not " + collectorTimeoutMs);
        if (maxConnections < 1) throw new Refused("--max-connections: at least 1, not " + maxConnections);
        if (headerTimeoutMs < 1) throw new Refused("--header-timeout: at least 1 ms, not " + headerTimeoutMs);
        for (String n : hostNames)
            if (!n.matches("[A-Za-z0-9.-]+(:[0-9]{1,5})?|\\[[0-9A-Fa-f:.]+\\](:[0-9]{1,5})?"))
                throw new Refused("--host-name: a host name or address, optionally with :PORT, not " + n);
        Audit audit = new Audit(auditLog != null ? auditLog
                : accessLog != null ? Path.of(accessLog).toAbsolutePath().resolveSibling("audit.log")
                : Path.of("audit.log"));
        try {
            audit.open();
        } catch (IOException e) {
            throw new Refused("--audit-log: cannot write " + e.getMessage());
        }
        if (pollSeconds < 0) throw new Refused("--poll-interval: seconds, 0 or more, not " + pollSeconds);
        if (sampleInterval < 1) throw new Refused("--interval: at least 1 s, not " + sampleInterval);
        if (retentionDays < 1 || retentionHourlyDays < 1)
            throw new Refused("--retention-days and --retention-hourly-days: at least 1 day");
        if (seedDays != null && seedDays < 0) throw new Refused("--seed-history: days, 0 or more, not " + seedDays);
        if (dbUrl == null && dbPasswordFile != null) throw new Refused("--db-password-file applies only with --db");
        List<CollectorSet.Named> given;
        try {
            given = CollectorSet.parse(collectorArgs, collectorsFile);
        } catch (IOException e) {
            throw new Refused("--collectors: cannot read " + collectorsFile + " (" + e.getMessage() + ")");
        } catch (IllegalArgumentException e) {
            throw new Refused(e.getMessage());
        }
        List<Source> sources = new ArrayList<>();
        if (!given.isEmpty()) {
            if (!dataSet.equals("standard")) throw new Refused("--data-set applies only to the embedded collector");
            Duration every = pollSeconds == 0 ? null : Duration.ofSeconds(pollSeconds);
            for (CollectorSet.Named named : given) {
                try {
                    Client a = Client.forAddress(named.address());
                    sources.add(new Source(named.name(), new Client(a.host, a.port, Client.DEFAULT_CONNECT_TIMEOUT_MS,
                            collectorTimeoutMs, Client.DEFAULT_MAX_REPLY), false, every));
                } catch (IllegalArgumentException e) {
                    throw new Refused("--collector " + named.name() + ": " + e.getMessage());
                }
            }
        } else {
            embedded = Collector.start(0, set, sampleInterval);
            sources.add(new Source("sample", new Client(embedded.host(), embedded.port(),
                    Client.DEFAULT_CONNECT_TIMEOUT_MS, collectorTimeoutMs, Client.DEFAULT_MAX_REPLY), true,
                    pollSeconds == 0 ? null : Duration.ofSeconds(sampleInterval)));
        }
        collectors = new CollectorSet(sources);
        Poller.StoreHealth storeHealth = new Poller.StoreHealth();
        boolean polling = pollSeconds > 0;
        if (polling) openHistory(storeHealth);
        Metrics metrics = new Metrics(store, collectors.names());
        if (polling) startPolling(set, metrics, storeHealth);

        QueuedThreadPool threads = new QueuedThreadPool(64, 8);
        threads.setName("vyt-web");
        server = new Server(threads);
        HttpConfiguration http = new HttpConfiguration();
        http.setSendServerVersion(false);
        http.setSendXPoweredBy(false);
        ServerConnector connector = new ServerConnector(server, 1, 1, new HttpConnectionFactory(http));
        connector.setHost(bind);
        connector.setPort(port);
        headerTimeout = new HeaderTimeout(headerTimeoutMs);
        connector.addBean(headerTimeout);
        server.addConnector(connector);
        server.addBean(new ConnectionLimit(maxConnections, server));

        // No sessions: the rule forms' token is a signed cookie (see FrontEndServlet.token).
        ServletContextHandler context = new ServletContextHandler(ServletContextHandler.NO_SESSIONS);
        context.setContextPath("/");
        context.setAttribute(FrontEndServlet.CLIENT_ATTRIBUTE, collectors.first().client);
        context.setAttribute(FrontEndServlet.COLLECTORS_ATTRIBUTE, collectors);
        context.setAttribute(FrontEndServlet.STORE_HEALTH_ATTRIBUTE, storeHealth);
        context.setAttribute(Metrics.ATTRIBUTE, metrics);
        if (store != null) context.setAttribute(FrontEndServlet.HISTORY_ATTRIBUTE, store);
        context.setInitParameter(FrontEndServlet.OPEN_READS_PARAM, "true");  // --users asks for logins itself
        context.setAttribute(Guard.ATTRIBUTE, new Guard(hostNames, trustProxy));
        context.setAttribute(Audit.ATTRIBUTE, audit);
        context.setAttribute(FrontEndServlet.GONE_ATTRIBUTE, (Predicate<HttpServletRequest>) WebServer::browserGone);
        context.addServlet(new ServletHolder("vyt", new FrontEndServlet()), "/");
        if (userStore != null) context.setSecurityHandler(basicAuth(userStore));
        context.setErrorHandler(new ErrorPages());
        server.setErrorHandler(new ErrorPages());
        server.setHandler(context);

        RequestLogWriter writer = accessLog == null ? new RequestLogWriter() : new RequestLogWriter(accessLog);
        if (accessLog != null) writer.setAppend(true);
        // Every response is counted for /metrics with the status the access log shows, Jetty's own error pages included.
        server.setRequestLog(new CustomRequestLog(writer, CustomRequestLog.NCSA_FORMAT) {
            @Override
            public void log(Request request, org.eclipse.jetty.server.Response response) {
                metrics.request(response.getCommittedMetaData().getStatus());
                super.log(request, response);
            }
        });
        server.setStopAtShutdown(true);
        server.start();
    }

    /** Stops the server, the polls, the history and the embedded collector. */
    void stop() throws Exception {
        if (server != null) server.stop();
        if (headerTimeout != null) headerTimeout.close();
        for (Poller p : pollers) p.close();
        if (housekeeping != null) housekeeping.shutdownNow();
        if (collectors != null) for (Source s : collectors.all()) s.client.close();
        if (store != null) store.close();
        if (embedded != null) embedded.close();
    }

    /** Opens the history the options name and says where it is; a store that cannot be opened refuses the start. */
    private void openHistory(Poller.StoreHealth health) throws Refused {
        StoreOptions o = new StoreOptions(data, dbUrl, dbPasswordFile,
                new Retention(Duration.ofDays(retentionDays), Duration.ofDays(retentionHourlyDays)));
        OpeningStore s = new OpeningStore(o, openStore);
        HistoryException f = s.tryOpen();
        if (f != null) {
            switch (f.fault()) {
                case CONFIG: case CREDENTIALS: case SCHEMA:
                    throw new Refused("the history cannot be opened: " + f.getMessage());
                default:
                    out.println("history: " + s.describe() + ": " + f.getMessage() + " Serving the current pages;"
                            + " the history is opened once it can be, and the polls are kept until then.");
                    FrontEndServlet.LOG.warning("the history cannot be opened yet: " + f.getMessage());
                    health.failed(f);
            }
        } else {
            out.println("history: " + s.describe());
        }
        store = s;
    }

    /**
     * Starts a poll thread per collector, seeding the sample collector's history first, and the
     * daily prune of the history (once now).
     */
    private void startPolling(Sample.DataSet set, Metrics metrics, Poller.StoreHealth health) {
        for (Source s : collectors.all()) {
            Poller p = new Poller(s, store, metrics, health);
            boolean first = s == collectors.first();
            int days = seedDays != null ? (s.sample || first ? seedDays : 0) : s.sample ? DEFAULT_SEED_DAYS : 0;
            if (days > 0) {
                out.println("seeding " + days + " days of generated sample history for the collector " + s.name
                        + " (--seed-history 0: none)");
                p.before(() -> seed(s.name, set, days));
            }
            pollers.add(p);
            p.start();
        }
        housekeeping = Executors.newSingleThreadScheduledExecutor(r -> {
            Thread t = new Thread(r, "vyt-prune");
            t.setDaemon(true);
            return t;
        });
        housekeeping.scheduleAtFixedRate(this::prune, 0, 1, TimeUnit.DAYS);
    }

    static final int DEFAULT_SEED_DAYS = 7;

    private void seed(String name, Sample.DataSet set, int days) {
        try {
            // Sample history at the collector's usual resolution at most, however short the live interval.
            int n = SeedHistory.seed(store, name, set, days, Math.max(sampleInterval, Sample.INTERVAL),
                    System.currentTimeMillis() / 1000);
            FrontEndServlet.LOG.info("seeded " + n + " sample intervals for " + name);
        } catch (UnsupportedOperationException e) {
            FrontEndServlet.LOG.info("no sample history seeded: " + e.getMessage());
        } catch (HistoryException e) {
            FrontEndServlet.LOG.warning("no sample history seeded: " + e.getMessage());
        }
    }

    private void prune() {
        try {
            PruneResult r = store.prune(System.currentTimeMillis() / 1000);
            FrontEndServlet.LOG.info("history pruned: " + r.intervals() + " intervals, " + r.hours() + " hours, "
                    + r.alerts() + " alerts");
        } catch (HistoryException e) {
            FrontEndServlet.LOG.warning("the history was not pruned: " + e.getMessage());
        }
    }

    HistoryStore store() {
        return store;
    }

    CollectorSet collectors() {
        return collectors;
    }

    List<Poller> pollers() {
        return pollers;
    }

    Collector embedded() {
        return embedded;
    }

    /**
     * Whether the browser of a request being handled has closed its connection. Jetty does not
     * read a connection while its request is handled, so this reads the socket without waiting:
     * end of stream means the browser has gone. A byte that arrived instead belongs to a
     * pipelined next request, which then cannot be parsed: the response closes the connection,
     * and the client sends that request again on a new one.
     */
    static boolean browserGone(HttpServletRequest req) {
        Request base = Request.getBaseRequest(req);
        if (base == null || base.getHttpChannel() == null) return false;
        Object t = base.getHttpChannel().getEndPoint().getTransport();
        if (!(t instanceof SocketChannel) || ((SocketChannel) t).isBlocking()) return false;
        try {
            int n = ((SocketChannel) t).read(ByteBuffer.allocate(1));
            if (n > 0) base.getResponse().setHeader("Connection", "close");
            return n < 0;
        } catch (IOException e) {
            return true;  // reset by the browser
        }
    }

    /** Every path needs a user of the file, except /health for load balancers. */
    private static ConstraintSecurityHandler basicAuth(UserStore users) {
        HashLoginService login = new HashLoginService("VYT");
        login.setUserStore(users);
        Constraint any = new Constraint(Constraint.__BASIC_AUTH, Constraint.ANY_AUTH);
        any.setAuthenticate(true);
        ConstraintMapping all = new ConstraintMapping();
        all.setPathSpec("/*");
        all.setConstraint(any);
        Constraint open = new Constraint();
        open.setAuthenticate(false);
        ConstraintMapping health = new ConstraintMapping();
        health.setPathSpec("/health");
        health.setConstraint(open);
        ConstraintSecurityHandler sh = new ConstraintSecurityHandler();
        sh.setLoginService(login);
        sh.setAuthenticator(new BasicAuthenticator());
        sh.setRealmName("VYT");
        sh.addConstraintMapping(all);
        sh.addConstraintMapping(health);
        return sh;
    }
}
