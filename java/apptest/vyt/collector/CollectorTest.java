package vyt.collector;

import vyt.catalog.*;
import vyt.client.*;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.InputStream;
import java.io.OutputStream;
import java.net.Socket;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Future;

import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.vytjni.api.CollectorErrorException;
import org.vytjni.api.Report;
import org.vytjni.api.ReportKind;
import org.vytjni.api.Reports;
import org.vytjni.api.Requests;
import org.vytjni.api.reports.TransactionInfo;

/** The sample collector survives malformed requests and serves several clients at once. */
class CollectorTest {
    Collector collector;
    Client client;

    @BeforeEach
    void start() throws Exception {
        collector = new Collector(new Sample(1114672121), 0, 300);
        client = new Client(collector.host(), collector.port());
    }

    @AfterEach
    void stop() {
        collector.close();
    }

    Socket connect() throws Exception {
        Socket s = new Socket(collector.host(), collector.port());
        s.setSoTimeout(5000);
        return s;
    }

    static byte[] request(int type, String tran) {
        return Client.request(Catalog.byType(type), Client.Selection.NONE.tran(tran).path(1)).toBytes();
    }

    /** The collector still answers a well-formed request correctly. */
    void assertStillServing() throws Exception {
        TransactionInfo r = client.fetch(new Requests.TransactionInfo("login"));
        assertEquals("login", r.tranName());
    }

    static void assertBadRequestReply(InputStream in) throws Exception {
        byte[] reply = in.readNBytes(35);
        assertEquals(35, Wire.i32(reply, 0));
        CollectorErrorException e = assertThrows(CollectorErrorException.class,
                () -> Reports.decode(ReportKind.ALL_TRANSACTIONS, reply));
        assertEquals(CollectorErrorException.BAD_REQUEST, e.code());
        assertEquals(-1, in.read(), "the connection ends after the error reply");
    }

    @Test
    void aShortRequestGetsAnErrorReply() throws Exception {
        try (Socket s = connect()) {
            s.getOutputStream().write(request(1, ""), 0, 100);
            s.shutdownOutput();
            assertBadRequestReply(s.getInputStream());
        }
        assertEquals(1, collector.refused());
        assertStillServing();
    }

    @Test
    void aWrongLengthWordGetsAnErrorReply() throws Exception {
        for (int len : new int[] {500, 1133, 0, -1}) {
            byte[] req = request(1, "");
            Wire.of(req).i32(0, len);
            try (Socket s = connect()) {
                s.getOutputStream().write(req);
                assertBadRequestReply(s.getInputStream());
            }
        }
        assertEquals(4, collector.refused());
        assertStillServing();
    }

    @Test
    void aRequestThatStopsHalfWayTimesOutWithAnErrorReply() throws Exception {
        try (Socket s = connect()) {
            s.getOutputStream().write(request(1, ""), 0, 600);
            long t0 = System.nanoTime();
            assertBadRequestReply(s.getInputStream());
            long ms = (System.nanoTime() - t0) / 1_000_000;
            assertTrue(ms >= 250 && ms < 4000, "answered after " + ms + " ms");
        }
        assertStillServing();
    }

    @Test
    void connectionsWithoutARequestAreHarmless() throws Exception {
        for (int i = 0; i < 5; i++) connect().close();
        assertStillServing();
        assertEquals(0, collector.refused());
    }

    @Test
    void oneConnectionCarriesSeveralRequests() throws Exception {
        try (Socket s = connect()) {
            OutputStream out = s.getOutputStream();
            InputStream in = s.getInputStream();
            out.write(request(1, ""));
            out.write(request(25, "search"));
            out.write(request(25, "nope"));
            byte[] first = reply(in);
            byte[] second = reply(in);
            byte[] third = reply(in);
            assertEquals(1, Wire.i32(first, 4));
            assertEquals(28 + 68 * 4, first.length);
            assertEquals("search", Wire.of(second).text(20, 64));
            assertEquals(CollectorErrorException.TRAN_NOT_FOUND, assertThrows(CollectorErrorException.class,
                    () -> Reports.decode(ReportKind.ofType(25), third)).code());
            assertEquals(36, Wire.i32(third, 4));
        }
        assertEquals(3, collector.served());
    }

    static byte[] reply(InputStream in) throws Exception {
        byte[] head = in.readNBytes(4);
        byte[] rest = in.readNBytes(Wire.i32(head, 0) - 4);
        byte[] all = new byte[4 + rest.length];
        System.arraycopy(head, 0, all, 0, 4);
        System.arraycopy(rest, 0, all, 4, rest.length);
        return all;
    }

    @Test
    void concurrentClientsGetTheSameAnswersAsOne() throws Exception {
        String[] kinds = {"all-transactions", "network-detail", "current-url-alerts", "summary", "event-alerts",
            "transaction-flow"};
        List<List<Object>> expected = new ArrayList<>();
        for (String k : kinds) expected.add(flatten(fetch(k)));

        // A client that never finishes its request does not hold the others up.
        try (Socket stalled = connect()) {
            stalled.getOutputStream().write(request(1, ""), 0, 10);
            ExecutorService pool = Executors.newFixedThreadPool(8);
            try {
                List<Future<Boolean>> results = new ArrayList<>();
                for (int t = 0; t < 8; t++) {
                    final int first = t;
                    results.add(pool.submit(() -> {
                        for (int i = 0; i < kinds.length * 2; i++) {
                            int k = (first + i) % kinds.length;
                            if (!expected.get(k).equals(flatten(fetch(kinds[k])))) return false;
                        }
                        return true;
                    }));
                }
                for (Future<Boolean> f : results) assertTrue(f.get());
            } finally {
                pool.shutdownNow();
            }
        }
        assertTrue(collector.served() >= kinds.length * 17, "served " + collector.served());
    }

    Report fetch(String kind) throws ClientException {
        return client.fetch(Catalog.byName(kind), Client.Selection.NONE.tran("checkout").path(1), false);
    }

    static List<Object> flatten(Report r) {
        List<Object> all = new ArrayList<>(Fields.header(r));
        for (List<Object> e : Fields.entries(r)) all.addAll(e);
        return all;
    }

    @Test
    void closingStopsTheServer() throws Exception {
        int port = collector.port();
        collector.close();
        Client late = new Client("127.0.0.1", port, 1000, 1000, 1 << 20);
        ClientException e = assertThrows(ClientException.class,
                () -> late.fetch(Catalog.byName("all-transactions"), Client.Selection.NONE, false));
        assertEquals(ClientException.Reason.UNREACHABLE, e.reason);
    }
}
