package org.vytjni.api;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertSame;

import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;

import org.junit.jupiter.api.Test;
import org.vytjni.api.reports.AllTransactions;

/**
 * A reply with thousands of distinct texts makes each String once and keeps the local references
 * bounded: under -Xcheck:jni the JVM would warn ("JNI local refs") if they were not deleted.
 */
class LargeReplyTest {
    @Test
    void thousandsOfDistinctTextsDecodeWithBoundedLocalReferences() {
        int n = 20_000, header = 28, entry = 68;
        ByteBuffer b = ByteBuffer.allocate(header + n * entry).order(ByteOrder.LITTLE_ENDIAN);
        b.putInt(0, b.capacity()).putInt(4, 1).putInt(8, n).putInt(20, 1_700_000_000).putInt(24, 0x400000);
        for (int k = 0; k < n; k++) {
            byte[] name = ("tran-" + k % (n / 2)).getBytes(StandardCharsets.US_ASCII);
            b.put(header + k * entry, name).putInt(header + k * entry + 64, k);
        }
        AllTransactions r = AllTransactions.decode(b.array());
        assertEquals(n, r.entries().size());
        for (int k : new int[] {0, n / 2 - 1, n - 1}) {
            assertEquals("tran-" + k % (n / 2), r.entries().get(k).tranName());
            assertEquals(k, r.entries().get(k).flags().bits());
        }
        // Every text recurs once, n / 2 entries later, as the same String.
        assertSame(r.entries().get(3).tranName(), r.entries().get(3 + n / 2).tranName());
    }
}
