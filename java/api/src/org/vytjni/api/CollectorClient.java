package org.vytjni.api;

import java.io.EOFException;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.net.InetSocketAddress;
import java.net.Socket;
import java.net.SocketTimeoutException;
import java.time.Duration;
import java.util.Objects;

/**
 * A small client of one collector: each exchange opens a connection, sends the 1132-byte request
 * record, reads the reply by the length its first word states and closes the connection, all
 * within one deadline (10 seconds unless set).
 */
public final class CollectorClient {
    /** The deadline of one exchange unless another is given. */
    public static final Duration DEFAULT_TIMEOUT = Duration.ofSeconds(10);
    /** The largest reply accepted. */
    public static final int MAX_REPLY = 64 << 20;

    private final String host;
    private final int port;
    private final Duration timeout;

    public CollectorClient(String host, int port, Duration timeout) {
        this.host = Objects.requireNonNull(host, "host");
        if (port < 1 || port > 65535) throw new IllegalArgumentException("port " + port + " is not 1 to 65535");
        if (timeout.isNegative() || timeout.isZero())
            throw new IllegalArgumentException("the timeout must be positive, not " + timeout);
        this.port = port;
        this.timeout = timeout;
    }

    public CollectorClient(String host, int port) {
        this(host, port, DEFAULT_TIMEOUT);
    }

    /** A client of the collector at "HOST:PORT". */
    public static CollectorClient of(String hostPort) {
        int colon = hostPort.lastIndexOf(':');
        if (colon <= 0 || colon == hostPort.length() - 1)
            throw new IllegalArgumentException("\"" + hostPort + "\" is not HOST:PORT");
        int port;
        try {
            port = Integer.parseInt(hostPort.substring(colon + 1));
        } catch (NumberFormatException e) {
            throw new IllegalArgumentException("\"" + hostPort + "\" is not HOST:PORT: the port is not a number");
        }
        return new CollectorClient(hostPort.substring(0, colon), port);
    }

    /**
     * Sends {@code request} and decodes the reply.
     *
     * @throws IOException the collector cannot be reached or did not answer in time
     * @throws CollectorErrorException the collector answered with an error reply
     * @throws BadReplyException the reply cannot be decoded as the request's kind
     */
    public <R extends Report> R fetch(Request<R> request) throws IOException {
        return request.decode(exchange(request.toBytes()));
    }

    /** Sends one request record and returns the complete reply. */
    public byte[] exchange(byte[] request) throws IOException {
        long deadline = System.nanoTime() + timeout.toNanos();
        try (Socket s = new Socket()) {
            s.connect(new InetSocketAddress(host, port), remaining(deadline));
            s.setSoTimeout(remaining(deadline));
            OutputStream out = s.getOutputStream();
            out.write(request);
            out.flush();
            InputStream in = s.getInputStream();
            byte[] head = new byte[4];
            read(in, head, 0, 4, s, deadline);
            int length = (head[0] & 0xff) | (head[1] & 0xff) << 8 | (head[2] & 0xff) << 16 | (head[3] & 0xff) << 24;
            if (length < 4 || length > MAX_REPLY)
                throw new IOException("the collector at " + host + ":" + port + " stated a reply length of " + length
                        + " bytes; is it a collector?");
            byte[] reply = new byte[length];
            System.arraycopy(head, 0, reply, 0, 4);
            read(in, reply, 4, length - 4, s, deadline);
            return reply;
        } catch (SocketTimeoutException e) {
            throw new SocketTimeoutException("the collector at " + host + ":" + port + " did not answer within "
                    + timeout.toMillis() + " ms");
        }
    }

    private void read(InputStream in, byte[] b, int off, int n, Socket s, long deadline) throws IOException {
        while (n > 0) {
            s.setSoTimeout(remaining(deadline));
            int got = in.read(b, off, n);
            if (got < 0)
                throw new EOFException("the collector at " + host + ":" + port + " closed the connection after "
                        + off + " of " + (b.length == 4 ? "at least 4" : b.length) + " reply bytes");
            off += got;
            n -= got;
        }
    }

    private int remaining(long deadline) throws SocketTimeoutException {
        long ms = (deadline - System.nanoTime()) / 1_000_000;
        if (ms <= 0) throw new SocketTimeoutException("deadline passed");
        return (int) Math.min(ms, Integer.MAX_VALUE);
    }

    @Override
    public String toString() {
        return "collector " + host + ":" + port;
    }
}
