package org.vytjni.api;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.IOException;
import java.lang.reflect.RecordComponent;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.time.Duration;
import java.time.Instant;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.stream.Stream;

import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.MethodSource;

import org.vytjni.api.reports.AllTransactions;


/**
 * Every report kind's seed reply decodes to a record that holds, value by value and through the
 * parameters' roles, what mapData hands its target for the same reply; a text that recurs in a
 * reply is one String object.
 */
class TypedRepliesTest {
    static final Path SEEDS = Path.of(System.getenv().getOrDefault("VYT_SEEDS", "tests/fuzz/corpus"));

    static Stream<ReportKind> kinds() {
        return Arrays.stream(ReportKind.values());
    }

    /** The seed reply of a kind: the file reply-NN-*.bin without its first (report type) byte. */
    static byte[] seed(ReportKind k) throws IOException {
        String prefix = String.format("reply-%02d-", k.type());
        try (Stream<Path> files = Files.list(SEEDS)) {
            Path f = files.filter(p -> p.getFileName().toString().startsWith(prefix)).findFirst().orElseThrow();
            byte[] b = Files.readAllBytes(f);
            return Arrays.copyOfRange(b, 1, b.length);
        }
    }

    /** A typed value as the legacy contract passes it. */
    static Object legacy(Object v) {
        if (v instanceof Instant i) return (int) i.getEpochSecond();
        if (v instanceof Duration d) return (int) d.getSeconds();
        if (v instanceof AlertState s) return s.value();
        if (v instanceof ReportFlags f) return f.bits();
        if (v instanceof UrlRuleFlags f) return f.bits();
        return v;
    }

    static List<Object> values(Record r, boolean header) throws ReflectiveOperationException {
        List<Object> out = new ArrayList<>();
        for (RecordComponent c : r.getClass().getRecordComponents())
            if (!header || !c.getName().equals("entries")) out.add(legacy(c.getAccessor().invoke(r)));
        return out;
    }

    @ParameterizedTest
    @MethodSource("kinds")
    void typedRecordHoldsWhatMapDataDelivers(ReportKind kind) throws Exception {
        byte[] reply = seed(kind);
        RecordingTarget target = new RecordingTarget();
        assertEquals(LegacyCalls.STATUS_OK, LegacyCalls.mapData(reply, target, kind.type()));
        Report typed = Reports.decode(kind, reply);
        assertEquals(kind, typed.kind());

        List<Object> header = null;
        List<List<Object>> entries = new ArrayList<>();
        for (RecordingTarget.Call c : target.calls()) {
            if (c.method().equals("setData")) header = c.args();
            else entries.add(c.args());
        }
        Record rec = (Record) typed;
        boolean hasEntries = Arrays.stream(rec.getClass().getRecordComponents()).anyMatch(c -> c.getName().equals("entries"));
        if (header != null) assertEquals(header, values(rec, true), kind + " header");
        else assertEquals(1, rec.getClass().getRecordComponents().length, kind + " has header values mapData lacks");
        if (hasEntries) {
            List<?> got = (List<?>) rec.getClass().getMethod("entries").invoke(rec);
            assertEquals(entries.size(), got.size(), kind + " entries");
            Map<String, String> seen = new HashMap<>();
            for (int k = 0; k < got.size(); k++) {
                Record e = (Record) got.get(k);
                assertEquals(entries.get(k), values(e, false), kind + " entry " + (k + 1));
                for (RecordComponent c : e.getClass().getRecordComponents())
                    if (c.getAccessor().invoke(e) instanceof String s)
                        assertSame(seen.computeIfAbsent(s, x -> s), s, kind + ": \"" + s + "\" made twice");
            }
        } else {
            assertEquals(List.of(), entries, kind + " entries mapData makes");
        }
    }

    static byte[] bytes(int... b) {
        byte[] out = new byte[b.length];
        for (int i = 0; i < b.length; i++) out[i] = (byte) b[i];
        return out;
    }

    static byte[] repeat(char c, int n, byte[] tail) {
        byte[] out = new byte[n + tail.length];
        Arrays.fill(out, 0, n, (byte) c);
        System.arraycopy(tail, 0, out, n, tail.length);
        return out;
    }

    static final int NAME_FIELD = 64;

    /** Transaction-name fields (64 bytes; shorter ones end in NUL) and why each is there. */
    static final Object[][] NAME_FIELDS = {
        {"ASCII", "checkout".getBytes(StandardCharsets.US_ASCII)},
        {"2-byte UTF-8", bytes('c', 'a', 'f', 0xC3, 0xA9)},
        {"3-byte UTF-8", bytes(0xE2, 0x82, 0xAC, 'u', 'r', 'o')},
        {"4-byte UTF-8", bytes('x', 0xF0, 0x9F, 0x98, 0x80, 'y')},
        {"stray byte, the same character as the 2-byte text's last", bytes('c', 'a', 'f', 0xE9)},
        {"stray bytes", bytes(0xFF, 0x80, 'a', 0xFE)},
        {"cut 3-byte sequence", bytes(0xE2, 0x82, 'x')},
        {"overlong and surrogate sequences", bytes(0xC0, 0xAF, 0xED, 0xA0, 0x80, 0xF5, 0x80)},
        {"above U+10FFFF", bytes(0xF4, 0x90, 0x80, 0x80)},
        {"full width, ASCII, no NUL", repeat('a', NAME_FIELD, new byte[0])},
        {"full width, 2-byte at the end, no NUL", repeat('b', NAME_FIELD - 2, bytes(0xC3, 0xA9))},
        {"full width, sequence cut by the field's end", repeat('c', NAME_FIELD - 1, bytes(0xC3))},
        {"full width, 4-byte at the end", repeat('d', NAME_FIELD - 4, bytes(0xF0, 0x9F, 0x98, 0x80))},
        {"ASCII again", "checkout".getBytes(StandardCharsets.US_ASCII)},
    };

    /**
     * Texts of every shape become the Strings mapData makes of the same bytes, and equal Strings are
     * one object (also when different bytes map to the same characters).
     */
    @Test
    void textsAreTheStringsMapDataMakes() {
        int header = 28, entry = NAME_FIELD + 4, n = NAME_FIELDS.length;
        ByteBuffer b = ByteBuffer.allocate(header + n * entry).order(ByteOrder.LITTLE_ENDIAN);
        b.putInt(0, b.capacity()).putInt(8, n).putInt(20, 1_700_000_000);
        for (int k = 0; k < n; k++) {
            byte[] name = (byte[]) NAME_FIELDS[k][1];
            assertTrue(name.length <= NAME_FIELD, (String) NAME_FIELDS[k][0]);
            b.put(header + k * entry, name).putInt(header + k * entry + NAME_FIELD, k);
        }
        byte[] reply = b.array();

        RecordingTarget target = new RecordingTarget();
        assertEquals(LegacyCalls.STATUS_OK, LegacyCalls.mapData(reply, target, ReportKind.ALL_TRANSACTIONS.type()));
        List<Object> expected = new ArrayList<>();
        for (RecordingTarget.Call c : target.calls())
            if (c.method().equals("addEntry")) expected.add(c.args().get(0));
        AllTransactions typed = Reports.allTransactions(reply);
        assertEquals(n, expected.size());
        assertEquals(n, typed.entries().size());
        Map<String, String> seen = new HashMap<>();
        for (int k = 0; k < n; k++) {
            String s = typed.entries().get(k).tranName();
            assertEquals(expected.get(k), s, (String) NAME_FIELDS[k][0]);
            assertSame(seen.computeIfAbsent(s, x -> s), s, NAME_FIELDS[k][0] + ": made twice");
        }
    }
}
