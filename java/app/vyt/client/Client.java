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
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;

/**
 * Fetches reports from a collector: builds the request record with the library, sends it over
 * TCP, reads the reply (its length from the first four bytes) and decodes it with the library
 * into a {@link Target}. One connection per request.
 */
public final class Client {
    public static final int DEFAULT_CONNECT_TIMEOUT_MS = 3000;
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

        /**
         * The request's IPaddr argument: the second continuation index for the paged sub-transaction
         * and URL alert lists, the server number otherwise.
         */
        public int ipAddr(Catalog.Kind kind) {
            return kind.takes(Catalog.Selection.CONTINUE2) ? continueIdx2 : server;
        }
    }

    public final String host;
    public final int port;
    public final int connectTimeoutMs;
    public final int readTimeoutMs;
    public final int maxReplyLength;

    public Client(String host, int port) {
        this(host, port, DEFAULT_CONNECT_TIMEOUT_MS, DEFAULT_READ_TIMEOUT_MS, DEFAULT_MAX_REPLY);
    }

    public Client(String host, int port, int connectTimeoutMs, int readTimeoutMs, int maxReplyLength) {
        this.host = host;
        this.port = port;
        this.connectTimeoutMs = connectTimeoutMs;
        this.readTimeoutMs = readTimeoutMs;
        this.maxReplyLength = maxReplyLength;
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

    /** Builds the request of a kind, exchanges it with the collector and decodes the reply. */
    public Report fetch(Catalog.Kind kind, Selection sel, boolean trace) throws ClientException {
        byte[] request = Native.buildRequest(kind.type(), sel.view, sel.continueIdx, sel.scroll, sel.tran,
                sel.sub, sel.path, sel.ipAddr(kind), trace);
        if (request == null)
            throw new ClientException(ClientException.Reason.BAD_REQUEST,
                    "the library refused to build the " + kind.name() + " request (see the trace file)");
        byte[] reply = exchange(request);
        Target target = new Target();
        int status = Native.mapData(reply, target, kind.type());
        if (status == Native.STATUS_TRAN_NOT_FOUND)
            throw new ClientException(ClientException.Reason.TRAN_NOT_FOUND,
                    "transaction not found: \"" + sel.tran + "\"");
        if (status != Native.STATUS_OK) {
            String why = errorText(reply);
            throw new ClientException(ClientException.Reason.FAILED, why != null
                    ? "the collector answered " + kind.name() + " with the error " + why
                    : "the library could not decode the " + kind.name() + " reply (status " + status + ")");
        }
        try {
            return Report.of(kind, target.calls(), status);
        } catch (IllegalStateException e) {
            throw new ClientException(ClientException.Reason.FAILED, e.getMessage(), e);
        }
    }

    /** The length of the collector's error reply: length word, report id, 27-byte status text. */
    public static final int ERROR_REPLY_LENGTH = 35;

    /** The status text of a 35-byte error reply, or null for any other reply. */
    public static String errorText(byte[] reply) {
        if (reply.length != ERROR_REPLY_LENGTH) return null;
        ByteBuffer b = ByteBuffer.wrap(reply).order(ByteOrder.LITTLE_ENDIAN);
        if (b.getInt(0) != ERROR_REPLY_LENGTH) return null;
        int end = 8;
        while (end < ERROR_REPLY_LENGTH && reply[end] != 0) end++;
        return new String(reply, 8, end - 8, StandardCharsets.ISO_8859_1);
    }

    /** Sends one request record and reads the complete reply. */
    public byte[] exchange(byte[] request) throws ClientException {
        try (Socket s = new Socket()) {
            try {
                s.connect(new InetSocketAddress(host, port), connectTimeoutMs);
            } catch (SocketTimeoutException e) {
                throw new ClientException(ClientException.Reason.TIMED_OUT,
                        "timed out: the collector at " + address() + " did not accept within " + connectTimeoutMs
                                + " ms", e);
            } catch (ConnectException | NoRouteToHostException | UnknownHostException e) {
                throw new ClientException(ClientException.Reason.UNREACHABLE,
                        "collector unreachable at " + address() + " (" + e.getMessage() + ")", e);
            }
            s.setSoTimeout(readTimeoutMs);
            s.setTcpNoDelay(true);
            OutputStream out = s.getOutputStream();
            InputStream in = s.getInputStream();
            out.write(request);
            out.flush();
            byte[] head = new byte[4];
            int got = read(in, head, 0, 4);
            if (got < 4)
                throw new ClientException(ClientException.Reason.SHORT_REPLY,
                        "reply shorter than its stated length: the connection ended after " + got + " bytes");
            int len = Native.replyLength(head);
            if (len == 0) return head;  // the empty reply; the library reports it
            if (len < 4 || len > maxReplyLength)
                throw new ClientException(ClientException.Reason.BAD_LENGTH,
                        "the reply states a length of " + len + " bytes, outside 4.." + maxReplyLength);
            byte[] reply = new byte[len];
            System.arraycopy(head, 0, reply, 0, 4);
            got = 4 + read(in, reply, 4, len - 4);
            if (got < len)
                throw new ClientException(ClientException.Reason.SHORT_REPLY,
                        "reply shorter than its stated length: got " + got + " of " + len + " bytes");
            return reply;
        } catch (SocketTimeoutException e) {
            throw new ClientException(ClientException.Reason.TIMED_OUT,
                    "timed out: the collector at " + address() + " did not answer within " + readTimeoutMs + " ms", e);
        } catch (IOException e) {
            throw new ClientException(ClientException.Reason.FAILED,
                    "exchange with the collector at " + address() + " failed: " + e, e);
        }
    }

    /** Reads up to {@code n} bytes; returns fewer only when the stream ends. */
    private static int read(InputStream in, byte[] b, int off, int n) throws IOException {
        int done = 0;
        while (done < n) {
            int r = in.read(b, off + done, n - done);
            if (r < 0) break;
            done += r;
        }
        return done;
    }
}
