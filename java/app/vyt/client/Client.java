package vyt.client;

import vyt.catalog.*;

import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.net.ConnectException;
import java.net.InetSocketAddress;
import java.net.NoRouteToHostException;
import java.net.Socket;
import java.net.SocketTimeoutException;
import java.net.UnknownHostException;
import java.util.ArrayDeque;
import java.util.Deque;
import java.util.concurrent.Semaphore;
import java.util.concurrent.TimeUnit;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.lang.reflect.Constructor;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.lang.reflect.RecordComponent;
import org.vytjni.api.BadReplyException;
import org.vytjni.api.CollectorErrorException;
import org.vytjni.api.Report;
import org.vytjni.api.Request;
import org.vytjni.api.Requests;

/**
 * Fetches reports from a collector: builds the request record with the typed API, sends it over
 * TCP, reads the reply (its length from the first four bytes) and decodes it with the typed API
 * into the kind's record. Connections are kept open and reused (the collector answers several
 * requests per connection), at most {@link #DEFAULT_MAX_CONNECTIONS} at once.
 *
 * <p>Each exchange has one deadline, {@link #readTimeoutMs} after it starts, that covers waiting
 * for a connection, connecting, writing and the whole reply: a collector that trickles its reply
 * or goes silent holds a connection for at most that long, and the connection is then closed.
 */
public final class Client implements AutoCloseable {
    public static final int DEFAULT_CONNECT_TIMEOUT_MS = 3000;
    /** The deadline of one whole exchange, from its start to the reply's last byte. */
    public static final int DEFAULT_READ_TIMEOUT_MS = 10000;
    /** Larger than any reply of the report kinds; a stated length above it is refused. */
    public static final int DEFAULT_MAX_REPLY = 4 * 1024 * 1024;

    /**
     * The selection arguments of one request; what a kind does not take is ignored. The
     * {@code with...} methods return a copy with one argument changed.
     */
    public record Selection(String tran, String sub, int path, int server, int view, int continueIdx,
            int continueIdx2, int scroll) {
        /** The sub-transaction name or URL for which the library leaves the field empty. */
        public static final String NO_SUB = "NOTRANSNAME";

        /** No transaction, no sub-transaction, every number 0. */
        public static final Selection NONE = new Selection("", NO_SUB, 0, 0, 0, 0, 0, 0);

        public Selection tran(String v) {
            return new Selection(v, sub, path, server, view, continueIdx, continueIdx2, scroll);
        }

        public Selection sub(String v) {
            return new Selection(tran, v, path, server, view, continueIdx, continueIdx2, scroll);
        }

        public Selection path(int v) {
            return new Selection(tran, sub, v, server, view, continueIdx, continueIdx2, scroll);
        }

        public Selection server(int v) {
            return new Selection(tran, sub, path, v, view, continueIdx, continueIdx2, scroll);
        }

        public Selection view(int v) {
            return new Selection(tran, sub, path, server, v, continueIdx, continueIdx2, scroll);
        }

        public Selection continueAt(int first, int second) {
            return new Selection(tran, sub, path, server, view, first, second, scroll);
        }

        public Selection scroll(int v) {
            return new Selection(tran, sub, path, server, view, continueIdx, continueIdx2, v);
        }
    }

    /** How many connections a client keeps open at most, in use or idle. */
    public static final int DEFAULT_MAX_CONNECTIONS = 16;

    public final String host;
    public final int port;
    public final int connectTimeoutMs;
    public final int readTimeoutMs;
    public final int maxReplyLength;

    /** Bounds the connections open at once; a request waits up to the connect timeout for one. */
    private final Semaphore permits;
    private final int maxConnections;
    /** Connections that answered their last request in full, most recently used first. */
    private final Deque<Socket> idle = new ArrayDeque<>();
    private volatile boolean closed;
    private volatile State state;

    /**
     * The outcome of the last report fetched: {@code ok} (a reply the library decoded, or one
     * naming an unknown transaction, path or server), or the reason and message of its failure,
     * and when it ended (milliseconds since the epoch).
     */
    public record State(boolean ok, ClientException.Reason reason, String message, long atMillis) {}

    /** The outcome of the last report fetched from the collector, or null before the first one ended. */
    public State state() {
        return state;
    }

    public Client(String host, int port) {
        this(host, port, DEFAULT_CONNECT_TIMEOUT_MS, DEFAULT_READ_TIMEOUT_MS, DEFAULT_MAX_REPLY);
    }

    public Client(String host, int port, int connectTimeoutMs, int readTimeoutMs, int maxReplyLength) {
        this(host, port, connectTimeoutMs, readTimeoutMs, maxReplyLength, DEFAULT_MAX_CONNECTIONS);
    }

    public Client(String host, int port, int connectTimeoutMs, int readTimeoutMs, int maxReplyLength,
            int maxConnections) {
        this.host = host;
        this.port = port;
        this.connectTimeoutMs = connectTimeoutMs;
        this.readTimeoutMs = readTimeoutMs;
        this.maxReplyLength = maxReplyLength;
        this.maxConnections = maxConnections;
        this.permits = new Semaphore(maxConnections, true);
    }

    /**
     * Loads the native library now, through the typed API (it builds one request record), so that
     * a library that cannot be loaded shows at start rather than at the first report.
     *
     * @throws LinkageError the library cannot be loaded into this class loader
     * @throws IllegalStateException vytjni.jar is missing or its loader failed
     */
    public static void loadLibrary() {
        new Requests.AllTransactions().toBytes();
    }

    /** Closes the idle connections; requests made afterwards open connections of their own and close them. */
    @Override
    public void close() {
        closed = true;
        synchronized (idle) {
            for (Socket s : idle) closeQuietly(s);
            idle.clear();
        }
    }

    /** Parses "HOST:PORT" (the host may be empty for loopback). */
    public static Client forAddress(String hostPort) {
        int colon = hostPort.lastIndexOf(':');
        if (colon < 0) throw new IllegalArgumentException("expected HOST:PORT, got " + hostPort);
        String host = hostPort.substring(0, colon);
        int port;
        try {
            port = Integer.parseInt(hostPort.substring(colon + 1));
        } catch (NumberFormatException e) {
            throw new IllegalArgumentException("bad port in " + hostPort);
        }
        if (port < 1 || port > 65535) throw new IllegalArgumentException("port out of range in " + hostPort);
        return new Client(host.isEmpty() ? "127.0.0.1" : host, port);
    }

    public String address() {
        return host + ":" + port;
    }

    /**
     * Builds the request of a kind with the typed API, exchanges it with the collector and
     * decodes the reply into the kind's record. A kind that changes the collector's rules goes
     * out on a new connection, never a pooled one: a pooled connection that ends without a reply
     * might have carried the change already, and sending it again could apply it twice.
     */
    public Report fetch(Catalog.Kind kind, Selection sel, boolean trace) throws ClientException {
        Request<?> request;
        try {
            request = request(kind, sel);
        } catch (IllegalArgumentException e) {
            throw new ClientException(ClientException.Reason.BAD_REQUEST,
                    "the " + kind.name() + " request was refused: " + e.getMessage(), e);
        }
        return fetch(request, trace);
    }

    /** {@link #fetch(Request, boolean)} without switching the library's trace on. */
    public <R extends Report> R fetch(Request<R> request) throws ClientException {
        return fetch(request, false);
    }

    /**
     * Exchanges a typed request with the collector and decodes the reply into its record;
     * {@code trace} switches the library's trace on first ({@link LibraryTrace}).
     */
    public <R extends Report> R fetch(Request<R> request, boolean trace) throws ClientException {
        try {
            R r = fetchOnce(request, trace);
            state = new State(true, null, null, System.currentTimeMillis());
            return r;
        } catch (ClientException e) {
            switch (e.reason) {
                case BAD_REQUEST: break;  // refused before anything was sent
                case TRAN_NOT_FOUND: case PATH_NOT_FOUND: case SERVER_NOT_FOUND:
                    state = new State(true, null, null, System.currentTimeMillis());
                    break;
                default: state = new State(false, e.reason, e.getMessage(), System.currentTimeMillis());
            }
            throw e;
        }
    }

    private <R extends Report> R fetchOnce(Request<R> request, boolean trace) throws ClientException {
        Catalog.Kind kind = Catalog.byType(request.kind().type());
        byte[] bytes;
        try {
            if (trace) LibraryTrace.switchOn();
            bytes = request.toBytes();
        } catch (IllegalArgumentException e) {
            throw new ClientException(ClientException.Reason.BAD_REQUEST,
                    "the " + kind.name() + " request was refused: " + e.getMessage(), e);
        }
        byte[] reply = exchange(bytes, !kind.changesRules());
        try {
            return request.decode(reply);
        } catch (CollectorErrorException e) {
            throw new ClientException(reasonOf(e.code()), errorMessage(kind, e.code(), selectionOf(request)), e.code(), e);
        } catch (BadReplyException e) {
            throw new ClientException(ClientException.Reason.FAILED, "the library could not decode the " + kind.name()
                    + " reply: " + e.reason().name().toLowerCase(java.util.Locale.ROOT).replace('_', ' ')
                    + (e.offset() >= 0 ? " at offset " + e.offset() : "") + " (" + e.detail() + ")", e);
        } catch (IllegalStateException e) {  // the library could not decode at all; its trace says why
            throw new ClientException(ClientException.Reason.FAILED, e.getMessage(), e);
        }
    }

    /** The client's reason for a collector's error reply code. */
    static ClientException.Reason reasonOf(String code) {
        switch (code) {
            case CollectorErrorException.TRAN_NOT_FOUND: return ClientException.Reason.TRAN_NOT_FOUND;
            case CollectorErrorException.PATH_NOT_FOUND: return ClientException.Reason.PATH_NOT_FOUND;
            case CollectorErrorException.SERVER_NOT_FOUND: return ClientException.Reason.SERVER_NOT_FOUND;
            default: return ClientException.Reason.FAILED;
        }
    }

    /** What a collector's error reply says about the request it answered. */
    static String errorMessage(Catalog.Kind kind, String code, Selection sel) {
        switch (code) {
            case CollectorErrorException.TRAN_NOT_FOUND: return "transaction not found: \"" + sel.tran + "\"";
            case CollectorErrorException.PATH_NOT_FOUND:
                return "path not found: " + sel.path + " of transaction \"" + sel.tran + "\" (" + code + ")";
            case CollectorErrorException.SERVER_NOT_FOUND:
                return "server not found: " + sel.server + " of transaction \"" + sel.tran + "\" (" + code + ")";
            default: return "the collector answered " + kind.name() + " with the error " + code;
        }
    }

    /** The selections of a typed request (its components are named as the selection's). */
    static Selection selectionOf(Request<?> request) {
        Selection sel = Selection.NONE;
        for (RecordComponent c : request.getClass().getRecordComponents()) {
            Object v;
            try {
                v = c.getAccessor().invoke(request);
            } catch (ReflectiveOperationException e) {
                throw new IllegalStateException(e);
            }
            switch (c.getName()) {
                case "tran": sel = sel.tran((String) v); break;
                case "sub": sel = sel.sub((String) v); break;
                case "path": sel = sel.path((Integer) v); break;
                case "server": sel = sel.server((Integer) v); break;
                case "view": sel = sel.view((Integer) v); break;
                case "continueIdx": sel = sel.continueAt((Integer) v, sel.continueIdx2); break;
                case "continueIdx2": sel = sel.continueAt(sel.continueIdx, (Integer) v); break;
                case "scroll": sel = sel.scroll((Integer) v); break;
                default: throw new IllegalStateException("a request selection the client does not know: " + c.getName());
            }
        }
        return sel;
    }

    /**
     * How to make a kind's typed request record: its canonical constructor and, for each of its
     * components, the selection's accessor of the same name.
     */
    private record Maker(Constructor<?> constructor, Method[] from) {}

    /** The makers of the typed request records, by report type, made when first asked for. */
    private static final Maker[] MAKERS = new Maker[Catalog.all().size() + 1];

    /**
     * The typed request of a kind, made of the selection's values for the selections it takes.
     *
     * @throws IllegalArgumentException a name the request cannot hold, with the reason
     */
    public static Request<?> request(Catalog.Kind kind, Selection sel) {
        Maker m = maker(kind);
        Object[] args = new Object[m.from.length];
        try {
            for (int i = 0; i < args.length; i++) args[i] = m.from[i].invoke(sel);
            return (Request<?>) m.constructor.newInstance(args);
        } catch (InvocationTargetException e) {
            if (e.getCause() instanceof RuntimeException r) throw r;
            throw new IllegalStateException(e.getCause());
        } catch (ReflectiveOperationException e) {
            throw new IllegalStateException("the typed request of " + kind.name() + " cannot be made (" + e
                    + "); use vytjni-api.jar of the same version as vytapp.jar", e);
        }
    }

    private static Maker maker(Catalog.Kind kind) {
        synchronized (MAKERS) {
            Maker m = MAKERS[kind.type()];
            if (m != null) return m;
            StringBuilder name = new StringBuilder(Requests.class.getName()).append('$');
            for (String w : kind.name().split("-")) name.append(Character.toUpperCase(w.charAt(0))).append(w.substring(1));
            try {
                Class<?> type = Class.forName(name.toString(), true, Requests.class.getClassLoader());
                RecordComponent[] cs = type.getRecordComponents();
                Class<?>[] types = new Class<?>[cs.length];
                Method[] from = new Method[cs.length];
                for (int i = 0; i < cs.length; i++) {
                    types[i] = cs[i].getType();
                    from[i] = Selection.class.getMethod(cs[i].getName());
                }
                m = new Maker(type.getConstructor(types), from);
            } catch (ReflectiveOperationException e) {
                throw new IllegalStateException("vytjni-api.jar has no request record for " + kind.name()
                        + " that this client can fill (" + e + "); use vytjni-api.jar of the same version as vytapp.jar",
                        e);
            }
            MAKERS[kind.type()] = m;
            return m;
        }
    }

    /** {@link #exchange(byte[], boolean)} on a pooled connection when there is one. */
    public byte[] exchange(byte[] request) throws ClientException {
        return exchange(request, true);
    }

    /**
     * Sends one request record and reads the complete reply, on an idle connection of the pool
     * when there is one and {@code pooled} is true. When a pooled connection turns out to be
     * closed by the collector before any reply byte arrived, the request is sent once more on a
     * new connection. The connection goes back to the pool after a complete reply.
     */
    public byte[] exchange(byte[] request, boolean pooled) throws ClientException {
        long deadline = System.nanoTime() + TimeUnit.MILLISECONDS.toNanos(readTimeoutMs);
        try {
            int wait = Math.min(connectTimeoutMs, remainingMs(deadline));
            if (!permits.tryAcquire(wait, TimeUnit.MILLISECONDS))
                throw new ClientException(ClientException.Reason.TIMED_OUT, "timed out: all "
                        + maxConnections + " connections to the collector at " + address()
                        + " stayed busy for " + wait + " ms");
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
            throw new ClientException(ClientException.Reason.FAILED, "interrupted while waiting for a connection");
        }
        try {
            Socket idle = pooled ? takeIdle() : null;
            if (idle != null) {
                try {
                    byte[] reply = exchangeOn(idle, request, true, deadline);
                    if (reply != null) return reply;
                } catch (ClientException e) {
                    closeQuietly(idle);
                    throw e;
                }
                closeQuietly(idle);  // closed while idle: try a fresh connection
            }
            Socket s = connect(deadline);
            try {
                return exchangeOn(s, request, false, deadline);
            } catch (ClientException e) {
                closeQuietly(s);
                throw e;
            }
        } finally {
            permits.release();
        }
    }

    private Socket takeIdle() {
        synchronized (idle) {
            return idle.pollFirst();
        }
    }

    private void giveBack(Socket s) {
        if (closed) {
            closeQuietly(s);
            return;
        }
        synchronized (idle) {
            idle.addFirst(s);
        }
    }

    /** Milliseconds left until {@code deadline} (System.nanoTime), at least 1. */
    private static int remainingMs(long deadline) {
        long left = TimeUnit.NANOSECONDS.toMillis(deadline - System.nanoTime());
        return (int) Math.max(1, Math.min(Integer.MAX_VALUE, left));
    }

    private Socket connect(long deadline) throws ClientException {
        Socket s = new Socket();
        int timeout = Math.min(connectTimeoutMs, remainingMs(deadline));
        try {
            s.connect(new InetSocketAddress(host, port), timeout);
            s.setTcpNoDelay(true);
            return s;
        } catch (SocketTimeoutException e) {
            closeQuietly(s);
            // Cut short by the exchange's deadline (after a wait for a free connection): say so.
            String what = timeout < connectTimeoutMs ? "did not answer within " + readTimeoutMs + " ms"
                    : "did not accept within " + timeout + " ms";
            throw new ClientException(ClientException.Reason.TIMED_OUT,
                    "timed out: the collector at " + address() + " " + what, e);
        } catch (ConnectException | NoRouteToHostException | UnknownHostException e) {
            closeQuietly(s);
            throw new ClientException(ClientException.Reason.UNREACHABLE,
                    "collector unreachable at " + address() + " (" + e.getMessage() + ")", e);
        } catch (IOException e) {
            closeQuietly(s);
            throw new ClientException(ClientException.Reason.FAILED,
                    "cannot connect to the collector at " + address() + ": " + e, e);
        }
    }

    /**
     * One request on one connection. On success the connection goes back to the pool. Returns
     * null when {@code retryable} and the connection ended before any reply byte.
     */
    private byte[] exchangeOn(Socket s, byte[] request, boolean retryable, long deadline) throws ClientException {
        int got = 0;
        try {
            OutputStream out = s.getOutputStream();
            InputStream in = s.getInputStream();
            out.write(request);
            out.flush();
            byte[] head = new byte[4];
            got = read(s, in, head, 0, 4, deadline);
            if (got == 0 && retryable) return null;
            if (got < 4)
                throw new ClientException(ClientException.Reason.SHORT_REPLY,
                        "reply shorter than its stated length: the connection ended after " + got + " bytes");
            int len = ByteBuffer.wrap(head).order(ByteOrder.LITTLE_ENDIAN).getInt(0);
            if (len == 0) {
                closeQuietly(s);  // what follows an empty reply is unknown
                return head;  // the empty reply; the library reports it
            }
            if (len < 4 || len > maxReplyLength)
                throw new ClientException(ClientException.Reason.BAD_LENGTH,
                        "the reply states a length of " + len + " bytes, outside 4.." + maxReplyLength);
            byte[] reply = new byte[len];
            System.arraycopy(head, 0, reply, 0, 4);
            got = 4 + read(s, in, reply, 4, len - 4, deadline);
            if (got < len)
                throw new ClientException(ClientException.Reason.SHORT_REPLY,
                        "reply shorter than its stated length: got " + got + " of " + len + " bytes");
            giveBack(s);
            return reply;
        } catch (SocketTimeoutException e) {
            throw new ClientException(ClientException.Reason.TIMED_OUT,
                    "timed out: the collector at " + address() + " did not answer within " + readTimeoutMs
                            + " ms (the whole reply, counted from the start of the exchange)", e);
        } catch (IOException e) {
            if (got == 0 && retryable) return null;  // reset or broken pipe on a connection closed while idle
            throw new ClientException(ClientException.Reason.FAILED,
                    "exchange with the collector at " + address() + " failed: " + e, e);
        }
    }

    private static void closeQuietly(Socket s) {
        try {
            s.close();
        } catch (IOException ignored) {
            // nothing to do: the connection is gone either way
        }
    }

    /**
     * Reads up to {@code n} bytes; returns fewer only when the stream ends. Each read waits only
     * until the deadline, so a reply that trickles in cannot outlast it.
     */
    private static int read(Socket s, InputStream in, byte[] b, int off, int n, long deadline) throws IOException {
        int done = 0;
        while (done < n) {
            if (deadline - System.nanoTime() <= 0) throw new SocketTimeoutException("deadline");
            s.setSoTimeout(remainingMs(deadline));
            int r = in.read(b, off + done, n - done);
            if (r < 0) break;
            done += r;
        }
        return done;
    }
}
