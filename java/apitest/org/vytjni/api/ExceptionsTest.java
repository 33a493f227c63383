package org.vytjni.api;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;
import java.util.Arrays;

import org.junit.jupiter.api.Test;

/** A bad reply names the kind, the offset and the reason; an error reply its code and meaning. */
class ExceptionsTest {
    static byte[] withLength(byte[] reply, int size) {
        byte[] b = Arrays.copyOf(reply, size);
        ByteBuffer.wrap(b).order(ByteOrder.LITTLE_ENDIAN).putInt(0, size);
        return b;
    }

    @Test
    void badRepliesNameKindOffsetAndReason() throws Exception {
        byte[] rsp = TypedRepliesTest.seed(ReportKind.RESPONSE_TIME);
        byte[] all = TypedRepliesTest.seed(ReportKind.ALL_TRANSACTIONS);
        record Case(ReportKind kind, byte[] reply, BadReplyException.Reason reason, long offset) {}
        Case[] cases = {
            // the second of two entries is cut: the offset is where it starts
            new Case(ReportKind.RESPONSE_TIME, withLength(rsp, rsp.length - 10), BadReplyException.Reason.TRUNCATED,
                    -1),
            new Case(ReportKind.RESPONSE_TIME, withLength(rsp, 50), BadReplyException.Reason.TRUNCATED, 50),
            new Case(ReportKind.ALL_TRANSACTIONS, Arrays.copyOf(all, all.length + 4),
                    BadReplyException.Reason.LENGTH_MISMATCH, 0),
            new Case(ReportKind.ALL_TRANSACTIONS, new byte[2], BadReplyException.Reason.TRUNCATED, 0),
            new Case(ReportKind.ALL_TRANSACTIONS, new byte[8], BadReplyException.Reason.EMPTY, 0),
        };
        for (Case c : cases) {
            BadReplyException e = assertThrows(BadReplyException.class, () -> Reports.decode(c.kind, c.reply));
            assertEquals(c.reason, e.reason(), e.getMessage());
            assertEquals(c.kind, e.kind());
            assertTrue(e.getMessage().contains(c.kind.kindName()), e.getMessage());
            if (c.offset >= 0) {
                assertEquals(c.offset, e.offset(), e.getMessage());
            } else {
                assertTrue(e.offset() > rsp.length / 2 && e.offset() < rsp.length - 10, e.getMessage());
                assertTrue(e.detail().contains("entry 2 at offset " + e.offset()), e.getMessage());
            }
        }
    }

    @Test
    void errorReplyNamesItsCodeAndMeaning() {
        byte[] reply = new byte[35];
        ByteBuffer.wrap(reply).order(ByteOrder.LITTLE_ENDIAN).putInt(0, 35).putInt(4, 19);
        byte[] code = "FAIL_PATHNOTFOU".getBytes(StandardCharsets.US_ASCII);
        System.arraycopy(code, 0, reply, 8, code.length);
        CollectorErrorException e = assertThrows(CollectorErrorException.class,
                () -> new Requests.NetworkDetail("checkout", 9, 0).decode(reply));
        assertEquals("FAIL_PATHNOTFOU", e.code());
        assertEquals(ReportKind.NETWORK_DETAIL, e.kind());
        assertTrue(e.getMessage().contains("FAIL_PATHNOTFOU: the requested path does not exist"), e.getMessage());
    }
}
