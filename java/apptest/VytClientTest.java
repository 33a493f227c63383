import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.IOException;
import java.net.InetAddress;
import java.net.ServerSocket;
import java.net.Socket;
import java.util.function.Function;

import org.junit.jupiter.api.Test;

/** The client's error paths, against collectors that misbehave. */
class VytClientTest {
    static final VytCatalog.Kind ALL = VytCatalog.byName("all-transactions");

    /** A one-request-per-connection server whose answer the test chooses; it may stall instead. */
    static final class FakeCollector implements AutoCloseable {
        final ServerSocket server;
        final Thread thread;

        FakeCollector(Function<byte[], byte[]> answer, boolean stall) throws IOException {
            server = new ServerSocket(0, 8, InetAddress.getLoopbackAddress());
            thread = new Thread(() -> {
                while (!server.isClosed()) {
                    try (Socket s = server.accept()) {
                        byte[] req = s.getInputStream().readNBytes(VytRequest.LENGTH);
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

        VytClient client(int readTimeoutMs, int maxReply) {
            return new VytClient("127.0.0.1", server.getLocalPort(), 2000, readTimeoutMs, maxReply);
        }

        @Override
        public void close() throws IOException {
            server.close();
        }
    }

    static VytClientException failure(VytClient c) {
        return assertThrows(VytClientException.class, () -> c.fetch(ALL, new VytClient.Selection(), false));
    }

    @Test
    void collectorNotListeningIsUnreachable() throws IOException {
        int port;
        try (ServerSocket s = new ServerSocket(0, 1, InetAddress.getLoopbackAddress())) {
            port = s.getLocalPort();
        }
        VytClientException e = failure(new VytClient("127.0.0.1", port));
        assertEquals(VytClientException.Reason.UNREACHABLE, e.reason);
        assertTrue(e.getMessage().startsWith("collector unreachable at 127.0.0.1:" + port), e.getMessage());
    }

    @Test
    void aStallingCollectorTimesOut() throws IOException {
        try (FakeCollector f = new FakeCollector(req -> req, true)) {
            long t0 = System.nanoTime();
            VytClientException e = failure(f.client(300, 1 << 20));
            long ms = (System.nanoTime() - t0) / 1_000_000;
            assertEquals(VytClientException.Reason.TIMED_OUT, e.reason);
            assertTrue(e.getMessage().contains("did not answer within 300 ms"), e.getMessage());
            assertTrue(ms >= 250 && ms < 5000, "waited " + ms + " ms");
        }
    }

    @Test
    void aReplyShorterThanItsStatedLength() throws IOException {
        byte[] cut = new VytWire(104).i32(0, 1200).bytes();
        try (FakeCollector f = new FakeCollector(req -> cut, false)) {
            VytClientException e = failure(f.client(2000, 1 << 20));
            assertEquals(VytClientException.Reason.SHORT_REPLY, e.reason);
            assertEquals("reply shorter than its stated length: got 104 of 1200 bytes", e.getMessage());
        }
        try (FakeCollector f = new FakeCollector(req -> new byte[] {1, 2}, false)) {
            VytClientException e = failure(f.client(2000, 1 << 20));
            assertEquals(VytClientException.Reason.SHORT_REPLY, e.reason);
            assertTrue(e.getMessage().contains("after 2 bytes"), e.getMessage());
        }
    }

    @Test
    void aStatedLengthOutsideTheBoundIsRefusedBeforeReading() throws IOException {
        for (int len : new int[] {Integer.MAX_VALUE, 4097, -8, 3}) {
            byte[] head = new VytWire(8).i32(0, len).bytes();
            try (FakeCollector f = new FakeCollector(req -> head, false)) {
                VytClientException e = failure(f.client(2000, 4096));
                assertEquals(VytClientException.Reason.BAD_LENGTH, e.reason, "length " + len);
                assertEquals("the reply states a length of " + len + " bytes, outside 4..4096", e.getMessage());
            }
        }
    }

    @Test
    void theTwoErrorRepliesOfTheSampleCollector() throws Exception {
        try (VytCollector c = new VytCollector(new VytSample(1114672121), 0)) {
            VytClient client = new VytClient(c.host(), c.port());
            VytClientException e = assertThrows(VytClientException.class, () -> client.fetch(
                    VytCatalog.byName("transaction-info"), new VytClient.Selection().tran("nope"), false));
            assertEquals(VytClientException.Reason.TRAN_NOT_FOUND, e.reason);

            // The library builds requests for known report types only; an unknown report id is set by hand.
            byte[] req = VYTservlet.buildVYTRequest(1, 0, 0, 0, "", "NOTRANSNAME", 0, 0, false);
            VytWire.of(req).i32(4, 99);
            byte[] reply = client.exchange(req);
            assertEquals(35, reply.length);
            assertEquals(99, VytWire.i32(reply, 4));
            assertEquals("FAIL_BADREPORTID", VytClient.errorText(reply));
            assertEquals(VYTreport.STATUS_FAILED, VYTreport.mapData(reply, new VytTarget(), 1));
        }
    }

    @Test
    void errorAndEmptyRepliesBecomeFailuresThatSayWhy() throws IOException {
        try (FakeCollector f = new FakeCollector(req -> VytReplies.error(1, "FAIL_BUSY"), false)) {
            VytClientException e = failure(f.client(2000, 1 << 20));
            assertEquals(VytClientException.Reason.FAILED, e.reason);
            assertEquals("the collector answered all-transactions with the error FAIL_BUSY", e.getMessage());
        }
        try (FakeCollector f = new FakeCollector(req -> new byte[4], false)) {
            VytClientException e = failure(f.client(2000, 1 << 20));
            assertEquals(VytClientException.Reason.FAILED, e.reason);
            assertEquals("the library could not decode the all-transactions reply (status 1)", e.getMessage());
        }
    }

    @Test
    void theRequestReachesTheCollectorAsTheLibraryBuiltIt() throws Exception {
        byte[][] seen = new byte[1][];
        VytSample sample = new VytSample(1114672121);
        VytReplies replies = new VytReplies(sample, new VytRules(sample));
        try (FakeCollector f = new FakeCollector(req -> {
            seen[0] = req;
            return replies.answer(VytRequest.parse(req));
        }, false)) {
            VytReport r = f.client(2000, 1 << 20).fetch(VytCatalog.byName("sub-transactions"),
                    new VytClient.Selection().tran("checkout").continueAt(5, 7).scroll(4), false);
            VytRequest q = VytRequest.parse(seen[0]);
            assertEquals(35, q.reportId);
            assertEquals("checkout", q.tranName);
            assertEquals("", q.subTranName);
            assertEquals(4, q.scrollAmount);
            assertEquals(5, q.continueIdx);
            assertEquals(7, q.continueIdx2);
            assertEquals(4, r.entryCount());
            assertEquals(sample.transaction("checkout").urls.get(5), r.entryText(0, "subTranName"));
        }
    }

    @Test
    void collectorAddressesParse() {
        VytClient c = VytClient.forAddress("example.test:4711");
        assertEquals("example.test", c.host);
        assertEquals(4711, c.port);
        assertEquals("127.0.0.1", VytClient.forAddress(":80").host);
        for (String bad : new String[] {"nohost", "h:", "h:x", "h:0", "h:65536"})
            assertThrows(IllegalArgumentException.class, () -> VytClient.forAddress(bad), bad);
    }
}
