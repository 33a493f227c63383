import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.net.ConnectException;
import java.net.InetSocketAddress;
import java.net.NoRouteToHostException;
import java.net.Socket;
import java.net.SocketTimeoutException;
import java.net.UnknownHostException;

/**
 * Fetches reports from a collector: builds the request record with the library, sends it over
 * TCP, reads the reply (its length from the first four bytes) and decodes it with the library
 * into a {@link VytTarget}. One connection per request.
 */
final class VytClient {
    static final int DEFAULT_CONNECT_TIMEOUT_MS = 3000;
    static final int DEFAULT_READ_TIMEOUT_MS = 10000;
    /** Larger than any reply of the report kinds; a stated length above it is refused. */
    static final int DEFAULT_MAX_REPLY = 4 * 1024 * 1024;

    /** The selection arguments of one request; what a kind does not take is ignored. */
    static final class Selection {
        String tran = "";
        /** The sub-transaction name or URL; the library leaves the field empty for this value. */
        String sub = NO_SUB;
        int path;
        int server;
        int view;
        int continueIdx;
        int continueIdx2;
        int scroll;

        static final String NO_SUB = "NOTRANSNAME";

        Selection tran(String v) {
            tran = v;
            return this;
        }

        Selection sub(String v) {
            sub = v;
            return this;
        }

        Selection path(int v) {
            path = v;
            return this;
        }

        Selection server(int v) {
            server = v;
            return this;
        }

        Selection view(int v) {
            view = v;
            return this;
        }

        Selection continueAt(int first, int second) {
            continueIdx = first;
            continueIdx2 = second;
            return this;
        }

        Selection scroll(int v) {
            scroll = v;
            return this;
        }

        /**
         * The request's IPaddr argument: the second continuation index for the paged sub-transaction
         * and URL alert lists, the server number otherwise.
         */
        int ipAddr(VytCatalog.Kind kind) {
            return kind.takes(VytCatalog.Selection.CONTINUE2) ? continueIdx2 : server;
        }
    }

    final String host;
    final int port;
    final int connectTimeoutMs;
    final int readTimeoutMs;
    final int maxReplyLength;

    VytClient(String host, int port) {
        this(host, port, DEFAULT_CONNECT_TIMEOUT_MS, DEFAULT_READ_TIMEOUT_MS, DEFAULT_MAX_REPLY);
    }

    VytClient(String host, int port, int connectTimeoutMs, int readTimeoutMs, int maxReplyLength) {
        this.host = host;
        this.port = port;
        this.connectTimeoutMs = connectTimeoutMs;
        this.readTimeoutMs = readTimeoutMs;
        this.maxReplyLength = maxReplyLength;
    }

    /** Parses "HOST:PORT" (the host may be empty for loopback). */
    static VytClient forAddress(String hostPort) {
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
        return new VytClient(host.isEmpty() ? "127.0.0.1" : host, port);
    }

    String address() {
        return host + ":" + port;
    }

    /** Builds the request of a kind, exchanges it with the collector and decodes the reply. */
    VytReport fetch(VytCatalog.Kind kind, Selection sel, boolean trace) throws VytClientException {
        byte[] request = VYTservlet.buildVYTRequest(kind.type, sel.view, sel.continueIdx, sel.scroll, sel.tran,
                sel.sub, sel.path, sel.ipAddr(kind), trace);
        if (request == null)
            throw new VytClientException(VytClientException.Reason.BAD_REQUEST,
                    "the library refused to build the " + kind.name + " request (see the trace file)");
        byte[] reply = exchange(request);
        VytTarget target = new VytTarget();
        int status = VYTreport.mapData(reply, target, kind.type);
        if (status == VYTreport.STATUS_TRAN_NOT_FOUND)
            throw new VytClientException(VytClientException.Reason.TRAN_NOT_FOUND,
                    "transaction not found: \"" + sel.tran + "\"");
        if (status != VYTreport.STATUS_OK) {
            String why = errorText(reply);
            throw new VytClientException(VytClientException.Reason.FAILED, why != null
                    ? "the collector answered " + kind.name + " with the error " + why
                    : "the library could not decode the " + kind.name + " reply (status " + status + ")");
        }
        try {
            return VytReport.of(kind, target.calls());
        } catch (IllegalStateException e) {
            throw new VytClientException(VytClientException.Reason.FAILED, e.getMessage(), e);
        }
    }

    /** The status text of a 35-byte error reply, or null for any other reply. */
    static String errorText(byte[] reply) {
        if (reply.length != VytReplies.ERROR_REPLY_LENGTH || VytWire.i32(reply, 0) != VytReplies.ERROR_REPLY_LENGTH)
            return null;
        return VytWire.of(reply).text(8, 27);
    }

    /** Sends one request record and reads the complete reply. */
    byte[] exchange(byte[] request) throws VytClientException {
        try (Socket s = new Socket()) {
            try {
                s.connect(new InetSocketAddress(host, port), connectTimeoutMs);
            } catch (SocketTimeoutException e) {
                throw new VytClientException(VytClientException.Reason.TIMED_OUT,
                        "timed out: the collector at " + address() + " did not accept within " + connectTimeoutMs
                                + " ms", e);
            } catch (ConnectException | NoRouteToHostException | UnknownHostException e) {
                throw new VytClientException(VytClientException.Reason.UNREACHABLE,
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
                throw new VytClientException(VytClientException.Reason.SHORT_REPLY,
                        "reply shorter than its stated length: the connection ended after " + got + " bytes");
            int len = VYTconnect.getBufLength(head);
            if (len == 0) return head;  // the empty reply; the library reports it
            if (len < 4 || len > maxReplyLength)
                throw new VytClientException(VytClientException.Reason.BAD_LENGTH,
                        "the reply states a length of " + len + " bytes, outside 4.." + maxReplyLength);
            byte[] reply = new byte[len];
            System.arraycopy(head, 0, reply, 0, 4);
            got = 4 + read(in, reply, 4, len - 4);
            if (got < len)
                throw new VytClientException(VytClientException.Reason.SHORT_REPLY,
                        "reply shorter than its stated length: got " + got + " of " + len + " bytes");
            return reply;
        } catch (SocketTimeoutException e) {
            throw new VytClientException(VytClientException.Reason.TIMED_OUT,
                    "timed out: the collector at " + address() + " did not answer within " + readTimeoutMs + " ms", e);
        } catch (IOException e) {
            throw new VytClientException(VytClientException.Reason.FAILED,
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
