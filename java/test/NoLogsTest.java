import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;

import java.nio.file.Files;
import java.nio.file.Paths;
import org.junit.jupiter.api.Tag;
import org.junit.jupiter.api.Test;

/** Runs where the working directory has no logs/: everything works, nothing is written. */
@Tag("nologs")
class NoLogsTest {
    static class AllTrans extends Calls {
        public void setData(int startup, int flags) {
            record("setData", startup, flags);
        }

        public void addEntry(String name, int flags) {
            record("addEntry", name, flags);
        }
    }

    @Test
    void decodingAndRequestsWorkWithoutATraceFile() {
        byte[] r = VYTservlet.buildVYTRequest(24, 0, 5, 0, "abc", "NOTRANSNAME", 0, 7, true);
        assertNotNull(r);
        assertEquals(35, Reply.i32(r, 4));
        assertNull(VYTservlet.buildVYTRequest(33, 0, 0, 0, "abc", "NOTRANSNAME", 0, 0, true));
        AllTrans t = new AllTrans();
        byte[] reply = new Reply(28 + 2 * 68).i32(8, 2).i32(20, 9).text(28, "a").text(96, "b").bytes();
        assertEquals(0, VYTreport.mapData(reply, t, 1));
        assertEquals("[setData[9, 0], addEntry[a, 0], addEntry[b, 0]]", t.calls.toString());
        assertEquals(1, VYTreport.mapData(new Reply(28).i32(0, 0).bytes(), t, 1));
        assertFalse(Files.exists(Paths.get("logs")));
    }
}
