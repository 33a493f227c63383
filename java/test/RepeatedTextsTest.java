import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotSame;
import static org.junit.jupiter.api.Assertions.assertSame;

import java.util.HashMap;
import java.util.List;
import java.util.Map;

import org.junit.jupiter.api.Test;

/**
 * Texts that recur within one reply reach Java as one String object, kept as a local reference
 * across calls (and across garbage collections inside the callbacks), with the same values as
 * strings made one by one.
 */
class RepeatedTextsTest {
    static class ServersTarget extends Calls {
        public void addEntry(String tranName, String serverIPNetName, int serverId, int flags) {
            record("addEntry", tranName, serverIPNetName, serverId, flags);
            if (serverId % 100 == 0) System.gc();
        }
    }

    @Test
    void equalTextsOfOneReplyAreOneStringObject() {
        String[] names = {"web-01.example.test", "db-\u00e9t\u00e9", "app-02", "web-01.example.test", ""};
        int n = 1000;
        Reply r = new Reply(92 + 152 * n).i32(8, n).text(20, "checkout");
        for (int k = 0; k < n; k++) r.i32(92 + 152 * k, k).text(92 + 152 * k + 20, names[k % names.length]);
        ServersTarget t = new ServersTarget();
        assertEquals(0, VYTreport.mapData(r.bytes(), t, 20));

        List<Calls.Call> calls = t.of("addEntry");
        assertEquals(n, calls.size());
        Map<String, String> first = new HashMap<>();
        for (int k = 0; k < n; k++) {
            Calls.Call c = calls.get(k);
            assertEquals("checkout", c.str(1));
            assertEquals(names[k % names.length], c.str(2), "entry " + k);
            assertEquals(k, c.num(3));
            String seen = first.putIfAbsent(c.str(2), c.str(2));
            if (seen != null && !seen.isEmpty()) assertSame(seen, c.str(2), "entry " + k);
        }
        // A second reply gets strings of its own.
        ServersTarget again = new ServersTarget();
        assertEquals(0, VYTreport.mapData(r.bytes(), again, 20));
        assertNotSame(calls.get(0).str(2), again.of("addEntry").get(0).str(2));
    }

    @Test
    void moreDistinctTextsThanTheTableHoldsKeepTheirValues() {
        // Six texts per path entry, 700 distinct values each: the table (256 texts) fills, evicts,
        // and gives its references back while a call still passes some of them.
        // -Xcheck:jni reports any reference beyond the capacity asked for.
        int n = 3000;
        int[] at = {40, 200, 168, 328, 360, 488};  // in the order addEntry takes them
        Reply r = new Reply(100 + 508 * n).text(20, "checkout").i32(88, n);
        for (int k = 0; k < n; k++)
            for (int f = 0; f < at.length; f++) r.text(100 + 508 * k + at[f], name(f, k));
        PathTarget t = new PathTarget();
        assertEquals(0, VYTreport.mapData(r.bytes(), t, 2));
        List<Calls.Call> calls = t.of("addEntry");
        assertEquals(n, calls.size());
        for (int k = 0; k < n; k++)
            for (int f = 0; f < at.length; f++) assertEquals(name(f, k), calls.get(k).str(2 + f), "entry " + k);
    }

    private static String name(int field, int k) {
        return "f" + field + "-" + (k % 700) + (k % 2 == 0 ? "-\u00e9" : "");
    }

    static class PathTarget extends Calls {
        public void addEntry(String tranName, String pathIPSrcNetName, String pathIPDstNetName,
                String pathIPSrcAlias, String pathIPDstAlias, String pathEndIPDstNetName, String pathEndIPDstAlias,
                int pathIPSrcPort, int pathIPDstPort, int pathId, int pathEndId, int pathEndIPSrcPort,
                int pathEndIPDstPort, int flags) {
            record("addEntry", tranName, pathIPSrcNetName, pathIPDstNetName, pathIPSrcAlias, pathIPDstAlias,
                    pathEndIPDstNetName, pathEndIPDstAlias);
        }
    }
}
