package vyt.collector;

import java.io.EOFException;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.net.InetAddress;
import java.net.InetSocketAddress;
import java.net.ServerSocket;
import java.net.Socket;
import java.net.SocketException;
import java.net.SocketTimeoutException;
import java.util.Set;
import java.util.concurrent.ConcurrentHashMap;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.atomic.AtomicInteger;
import org.vytjni.api.CollectorErrorException;

/**
 * The sample collector: a TCP server on the loopback interface that reads 1132-byte request
 * records and answers each with a reply built from the sample data set. A connection may carry
 * several requests, one after the other. A request whose length word is not 1132, or that ends
 * before its 1132 bytes, is answered with an error reply and its connection is closed; the
 * server keeps running. Each connection is served on a thread of its own.
 *
 * <p>A collector made for one {@link Sample} answers from it for ever; one started with an
 * interval length answers from the sample at its clock: its current interval is the last one
 * complete, interval starts being multiples of the length, so each interval brings new values.
 */
public final class Collector implements AutoCloseable {
    /** How long a started request may take to arrive in full. */
    public static final int REQUEST_TIMEOUT_MS = 5000;
    /** How long a connection may stay idle between requests before the collector closes it. */
    public static final int IDLE_TIMEOUT_MS = 60000;
    /** Connections served at the same time; further ones wait until one ends. */
    public static final int MAX_CONNECTIONS = 32;

    private final int requestTimeoutMs;
    private final ServerSocket server;
    private final Rules rules;
    /** The fixed sample, or null when the collector follows its clock. */
    private final Sample fixed;
    private final Sample.DataSet set;
    private final int intervalSeconds;
    /** When a collector on the clock started, as its replies say (a fixed sample has its own). */
    private final int startup;
    /** The sample of the last clock second asked for, and its replies. */
    private record Current(Sample sample, Replies replies) {
    }

    private volatile Current latest;
    private final ExecutorService pool;
    private final Set<Socket> open = ConcurrentHashMap.newKeySet();
    private final AtomicInteger served = new AtomicInteger();
    private final AtomicInteger accepted = new AtomicInteger();
    private final AtomicInteger refused = new AtomicInteger();
    private final Thread acceptor;
    private volatile boolean closed;

    /** Starts a collector for {@code sample} on loopback {@code port} (0: an ephemeral port). */
    public Collector(Sample sample, int port) throws IOException {
        this(sample, port, REQUEST_TIMEOUT_MS);
    }

    /** As above, with the time a started request may take to arrive in full. */
    public Collector(Sample sample, int port, int requestTimeoutMs) throws IOException {
        this(sample, null, sample.interval, port, requestTimeoutMs);
    }

    private Collector(Sample fixed, Sample.DataSet set, int intervalSeconds, int port, int requestTimeoutMs)
            throws IOException {
        this.fixed = fixed;
        this.set = set;
        this.intervalSeconds = intervalSeconds;
        this.requestTimeoutMs = requestTimeoutMs;
        this.startup = (int) (System.currentTimeMillis() / 1000) - Sample.UPTIME;
        this.rules = new Rules(fixed != null ? fixed : clockSample(set, intervalSeconds, startup));
        if (fixed != null) latest = new Current(fixed, new Replies(fixed, rules));
        this.server = new ServerSocket();
        server.setReuseAddress(true);
        server.bind(new InetSocketAddress(InetAddress.getLoopbackAddress(), port), 64);
        AtomicInteger n = new AtomicInteger();
        pool = Executors.newFixedThreadPool(MAX_CONNECTIONS, r -> {
            Thread t = new Thread(r, "vyt-collector-" + n.incrementAndGet());
            t.setDaemon(true);
            return t;
        });
        acceptor = new Thread(this::acceptLoop, "vyt-collector-accept");
        acceptor.setDaemon(true);
        acceptor.start();
    }

    /** A collector for the sample data set at the current time. */
    public static Collector start(int port) throws IOException {
        return start(port, Sample.DataSet.STANDARD);
    }

    /** A collector for a data set following its clock, with intervals of {@link Sample#INTERVAL} seconds. */
    public static Collector start(int port, Sample.DataSet set) throws IOException {
        return start(port, set, Sample.INTERVAL);
    }

    /**
     * A collector for a data set following its clock, whose summary interval lasts
     * {@code intervalSeconds}: each interval ends at a multiple of that length, and a request
     * is answered with the last interval complete at the time it arrives.
     */
    public static Collector start(int port, Sample.DataSet set, int intervalSeconds) throws IOException {
        if (intervalSeconds < 1) throw new IllegalArgumentException("interval " + intervalSeconds + " s: at least 1");
        return new Collector(null, set, intervalSeconds, port, REQUEST_TIMEOUT_MS);
    }

    /**
     * The sample at the clock's current second: its current interval the last one complete, its
     * start-up the collector's (it does not move with the clock).
     */
    static Sample clockSample(Sample.DataSet set, int intervalSeconds, int startup) {
        int now = (int) (System.currentTimeMillis() / 1000);
        int start = Math.floorDiv(now, intervalSeconds) * intervalSeconds - intervalSeconds;
        return new Sample(now, set, intervalSeconds, start, startup);
    }

    /** The replies for the current clock second (the fixed sample's, for a collector made for one). */
    private Current current() {
        Current c = latest;
        if (fixed != null) return c;
        int now = (int) (System.currentTimeMillis() / 1000);
        if (c == null || c.sample.now != now) {
            synchronized (this) {
                c = latest;
                if (c == null || c.sample.now != now) {
                    Sample s = clockSample(set, intervalSeconds, startup);
                    c = new Current(s, new Replies(s, rules));
                    latest = c;
                }
            }
        }
        return c;
    }

    /** The length of the collector's intervals in seconds. */
    public int intervalSeconds() {
        return intervalSeconds;
    }

    public int port() {
        return server.getLocalPort();
    }

    public String host() {
        return server.getInetAddress().getHostAddress();
    }

    /** The sample the collector answers from now. */
    public Sample sample() {
        return current().sample;
    }

    /** Requests answered with a report or an error reply. */
    public int served() {
        return served.get();
    }

    /** Connections accepted so far. */
    public int accepted() {
        return accepted.get();
    }

    /** Malformed requests answered with an error reply. */
    public int refused() {
        return refused.get();
    }

    private void acceptLoop() {
        while (!closed) {
            try {
                Socket s = server.accept();
                accepted.incrementAndGet();
                open.add(s);
                pool.execute(() -> serve(s));
            } catch (IOException e) {
                if (closed) return;
            }
        }
    }

    private void serve(Socket s) {
        try (s; InputStream in = s.getInputStream(); OutputStream out = s.getOutputStream()) {
            s.setTcpNoDelay(true);
            while (!closed) {
                s.setSoTimeout(IDLE_TIMEOUT_MS);
                byte[] record = new byte[Request.LENGTH];
                int got;
                try {
                    got = readFully(in, record, 0, 1, true);
                } catch (SocketTimeoutException e) {
                    return;  // idle too long
                }
                if (got == 0) return;  // the client closed the connection between requests
                s.setSoTimeout(requestTimeoutMs);
                byte[] reply;
                boolean keep = true;
                try {
                    readFully(in, record, 1, 3, false);
                    int len = Wire.i32(record, 0);
                    if (len != Request.LENGTH) {
                        reply = Replies.error(0, CollectorErrorException.BAD_REQUEST);
                        keep = false;
                    } else {
                        readFully(in, record, 4, Request.LENGTH - 4, false);
                        reply = current().replies.answer(Request.parse(record));
                    }
                } catch (EOFException | SocketTimeoutException e) {
                    reply = Replies.error(0, CollectorErrorException.BAD_REQUEST);
                    keep = false;
                }
                if (!keep) refused.incrementAndGet();
                served.incrementAndGet();
                out.write(reply);
                out.flush();
                if (!keep) {
                    drain(s, in);
                    return;
                }
            }
        } catch (SocketException e) {
            // the client went away; nothing to answer
        } catch (IOException | RuntimeException e) {
            if (!closed) System.err.println("vyt collector: " + e);
        } finally {
            open.remove(s);
        }
    }

    /**
     * Ends a refused connection gently: no more output, then whatever the client still sends is
     * read and dropped for a moment, so that closing does not reset the connection before the
     * client has read the error reply.
     */
    private static void drain(Socket s, InputStream in) {
        try {
            s.shutdownOutput();
            s.setSoTimeout(200);
            byte[] sink = new byte[4096];
            long until = System.nanoTime() + 500_000_000L;
            while (System.nanoTime() < until && in.read(sink) >= 0) {
                // dropped
            }
        } catch (IOException ignored) {
            // the client is gone or quiet
        }
    }

    /**
     * Reads exactly {@code n} bytes. With {@code eofOk}, an end of stream before the first byte
     * returns 0; any other early end throws EOFException.
     */
    private static int readFully(InputStream in, byte[] b, int off, int n, boolean eofOk) throws IOException {
        int done = 0;
        while (done < n) {
            int r = in.read(b, off + done, n - done);
            if (r < 0) {
                if (eofOk && done == 0) return 0;
                throw new EOFException();
            }
            done += r;
        }
        return done;
    }

    /** Stops accepting, closes every open connection and waits for the threads to end. */
    @Override
    public void close() {
        closed = true;
        try {
            server.close();
        } catch (IOException ignored) {
            // closing anyway
        }
        for (Socket s : open) {
            try {
                s.close();
            } catch (IOException ignored) {
                // closing anyway
            }
        }
        pool.shutdownNow();
        try {
            acceptor.join(2000);
            pool.awaitTermination(2, java.util.concurrent.TimeUnit.SECONDS);
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
        }
    }
}
