package org.vytjni.api;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertSame;

import java.io.IOException;
import java.lang.reflect.RecordComponent;
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

import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.MethodSource;

import vyt.client.Native;
import vyt.client.Target;

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
        Target target = new Target();
        assertEquals(Native.STATUS_OK, Native.mapData(reply, target, kind.type()));
        Report typed = Reports.decode(kind, reply);
        assertEquals(kind, typed.kind());

        List<Object> header = null;
        List<List<Object>> entries = new ArrayList<>();
        for (Target.Call c : target.calls()) {
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
}
