package vyt.client;

import vyt.catalog.*;
import vyt.collector.*;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.IOException;
import java.net.InetAddress;
import java.net.ServerSocket;
import java.net.Socket;
import java.util.function.Function;

import org.junit.jupiter.api.Test;
import org.vytjni.api.CollectorErrorException;
import org.vytjni.api.ReportKind;
import org.vytjni.api.Reports;
import org.vytjni.api.Requests;
import org.vytjni.api.reports.RemoveUrlRule;
import org.vytjni.api.reports.SubTransactions;

/** The client's error paths, against collectors that misbehave. */
class ClientTest {
    static final Catalog.Kind ALL = Catalog.byName("all-transactions");

    /** A one-request-per-connection server whose answer the test chooses; it may stall instead. */
    static final class FakeCollector implements AutoCloseable {
        final ServerSocket server;
        final Thread thread;

        FakeCollector(Function<byte[], byte[]> answer, boolean stall) throws IOException {
            server = new ServerSocket(0, 8, InetAddress.getLoopbackAddress());
            thread = new Thread(() -> {
                while (!server.isClosed()) {
                    try (Socket s = server.accept()) {
                        byte[] req = s.getInputStream().readNBytes(Request.LENGTH);
                        if (stall) {
                            s.getInputStream().read();  // until the client gives up
                            continue;
                        }
                        s.getOutputStream().write(answer.apply(req));
                    } catch (IOException e) {
                        // closed
                    }
                }
            });
            thread.setDaemon(true);
            thread.start();
        }

        Client client(int readTimeoutMs, int maxReply) {
            return new Client("127.0.0.1", server.getLocalPort(), 2000, readTimeoutMs, maxReply);
        }

        @Override
        public void close() throws IOException {
            server.close();
        }
    }

    static ClientException failure(Client c) {
        return assertThrows(ClientException.class, () -> c.fetch(ALL, Client.Selection.NONE, false));
    }

    @Test
    void collectorNotListeningIsUnreachable() throws IOException {
        int port;
        try (ServerSocket s = new ServerSocket(0, 1, InetAddress.getLoopbackAddress())) {
            port = s.getLocalPort();
        }
        ClientException e = failure(new Client("127.0.0.1", port));
        assertEquals(ClientException.Reason.UNREACHABLE, e.reason);
        assertTrue(e.getMessage().startsWith("collector unreachable at 127.0.0.1:" + port), e.getMessage());
    }

    @Test
    void connectionsAreReusedAndOnesClosedWhileIdleAreReplaced() throws Exception {
        try (Collector c = Collector.start(0); Client client = new Client(c.host(), c.port())) {
            for (int i = 0; i < 5; i++) client.fetch(ALL, Client.Selection.NONE, false);
            assertEquals(5, c.served());
            assertEquals(1, c.accepted());
        }
        // This collector closes every connection after one reply: the pooled one is found closed
        // on the next request, which goes out again on a new connection.
        Sample sample = new Sample(1114672121);
        Replies replies = new Replies(sample, new Rules(sample));
        try (FakeCollector f = new FakeCollector(req -> replies.answer(Request.parse(req)), false);
                Client client = f.client(2000, 1 << 20)) {
            for (int i = 0; i < 3; i++) assertEquals(4, Fields.entryCount(client.fetch(ALL, Client.Selection.NONE, false)));
        }
    }

    @Test
    void aRuleChangeNeverGoesOutOnAPooledConnection() throws Exception {
        // This collector answers the first request of a connection and hangs up on the second,
        // after reading it: a change sent on a reused connection could have been applied already,
        // and the client would send it again on a new one.
        Sample sample = new Sample(1114672121);
        Replies replies = new Replies(sample, new Rules(sample));
        java.util.List<Integer> seen = new java.util.concurrent.CopyOnWriteArrayList<>();
        try (ServerSocket server = new ServerSocket(0, 8, InetAddress.getLoopbackAddress())) {
            Thread t = new Thread(() -> {
                while (!server.isClosed()) {
                    try {
                        Socket s = server.accept();
                        Thread conn = new Thread(() -> {
                            try (s) {
                                for (int i = 0; i < 2; i++) {
                                    Request q = Request.parse(s.getInputStream().readNBytes(Request.LENGTH));
                                    seen.add(q.reportId());
                                    if (i == 0) s.getOutputStream().write(replies.answer(q));
                                }
                            } catch (IOException | IllegalArgumentException e) {
                                // the client closed the connection
                            }
                        });
                        conn.setDaemon(true);
                        conn.start();
                    } catch (IOException e) {
                        // closed
                    }
                }
            });
            t.setDaemon(true);
            t.start();
            // Every kind the catalogue marks as changing the rules, through the kind and selection
            // (the CLI, the demo and the web pages) ...
            int changes = 0;
            for (Catalog.Kind k : Catalog.all()) {
                if (!k.changesRules()) continue;
                changes++;
                seen.clear();
                try (Client c = new Client("127.0.0.1", server.getLocalPort())) {
                    c.fetch(ALL, Client.Selection.NONE, false);  // leaves a pooled connection
                    c.fetch(k, Client.Selection.NONE.tran("checkout").sub("/x/").continueAt(2, 0)
                            .view(Flags.URL_TYPE_EXCLUDE | Flags.URL_SEARCH_BEGINS_WITH), false);
                    assertEquals(java.util.List.of(ALL.reportId(), k.reportId()), seen, k.name());
                }
            }
            assertEquals(4, changes, "the kinds that change the rules");
            // ... and through a typed request.
            seen.clear();
            try (Client c = new Client("127.0.0.1", server.getLocalPort())) {
                c.fetch(ALL, Client.Selection.NONE, false);
                RemoveUrlRule r = c.fetch(new Requests.RemoveUrlRule("checkout", 3));
                assertEquals(Rules.OK, r.reportReturnCode());
                assertEquals(java.util.List.of(1, 40), seen);
            }
        }
    }

    @Test
    void theTwoErrorRepliesOfTheSampleCollector() throws Exception {
        try (Collector c = new Collector(new Sample(1114672121), 0)) {
            Client client = new Client(c.host(), c.port());
            ClientException e = assertThrows(ClientException.class, () -> client.fetch(
                    Catalog.byName("transaction-info"), Client.Selection.NONE.tran("nope"), false));
            assertEquals(ClientException.Reason.TRAN_NOT_FOUND, e.reason);

            // The library builds requests for known report types only; an unknown report id is set by hand.
            byte[] req = new Requests.AllTransactions().toBytes();
            Wire.of(req).i32(4, 99);
            byte[] reply = client.exchange(req);
            assertEquals(35, reply.length);
            assertEquals(99, Wire.i32(reply, 4));
            CollectorErrorException x = assertThrows(CollectorErrorException.class,
                    () -> Reports.decode(ReportKind.ofType(1), reply));
            assertEquals(CollectorErrorException.BAD_REPORT_ID, x.code());
        }
    }

    @Test
    void errorAndEmptyRepliesBecomeFailuresThatSayWhy() throws IOException {
        try (FakeCollector f = new FakeCollector(req -> Replies.error(1, "FAIL_BUSY"), false)) {
            ClientException e = failure(f.client(2000, 1 << 20));
            assertEquals(ClientException.Reason.FAILED, e.reason);
            assertEquals("FAIL_BUSY", e.code);
            assertEquals("the collector answered all-transactions with the error FAIL_BUSY", e.getMessage());
        }
        try (FakeCollector f = new FakeCollector(req -> new byte[4], false)) {
            ClientException e = failure(f.client(2000, 1 << 20));
            assertEquals(ClientException.Reason.FAILED, e.reason);
            assertEquals(null, e.code);
            assertTrue(e.getMessage().startsWith("the library could not decode the all-transactions reply: empty"),
                    e.getMessage());
        }
    }

    @Test
    void theRequestReachesTheCollectorAsTheLibraryBuiltIt() throws Exception {
        byte[][] seen = new byte[1][];
        Sample sample = new Sample(1114672121);
        Replies replies = new Replies(sample, new Rules(sample));
        try (FakeCollector f = new FakeCollector(req -> {
            seen[0] = req;
            return replies.answer(Request.parse(req));
        }, false)) {
            SubTransactions r = (SubTransactions) f.client(2000, 1 << 20).fetch(Catalog.byName("sub-transactions"),
                    Client.Selection.NONE.tran("checkout").continueAt(5, 7).scroll(4), false);
            Request q = Request.parse(seen[0]);
            assertEquals(35, q.reportId());
            assertEquals("checkout", q.tranName());
            assertEquals("", q.subTranName());
            assertEquals(4, q.scrollAmount());
            assertEquals(5, q.continueIdx());
            assertEquals(7, q.continueIdx2());
            assertEquals(4, r.entries().size());
            assertEquals(sample.transaction("checkout").urls().get(5), r.entries().get(0).subTranName());
        }
    }

    @Test
    void collectorAddressesParse() {
        Client c = Client.forAddress("example.test:4711");
        assertEquals("example.test", c.host);
        assertEquals(4711, c.port);
        assertEquals("127.0.0.1", Client.forAddress(":80").host);
        for (String bad : new String[] {"nohost", "h:", "h:x", "h:0", "h:65536"})
            assertThrows(IllegalArgumentException.class, () -> Client.forAddress(bad), bad);
    }
}
