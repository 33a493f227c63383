import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.File;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.Tag;
import org.junit.jupiter.api.Test;

/** Runs in a JVM of its own that never switches tracing on: only error lines reach the file. */
@Tag("traceoff")
class TraceOffTest {
    static class AllTrans extends Calls {
        public void setData(int startup, int flags) {
            record("setData", startup, flags);
        }

        public void addEntry(String name, int flags) {
            record("addEntry", name, flags);
        }
    }

    @Test
    void onlyErrorLinesBeforeTracingIsSwitchedOn() {
        assertNotNull(VYTservlet.buildVYTRequest(1, 0, 0, 0, "abc", "NOTRANSNAME", 0, 0, false));
        assertNull(VYTservlet.buildVYTRequest(0, 0, 0, 0, "abc", "NOTRANSNAME", 0, 0, false));
        AllTrans t = new AllTrans();
        byte[] reply = new Reply(28 + 68).i32(8, 1).text(28, "x").bytes();
        assertEquals(0, VYTreport.mapData(reply, t, 1));
        assertEquals(2, t.size());
        assertEquals(1, VYTreport.mapData(new Reply(28).i32(0, 0).bytes(), t, 1));
        assertEquals(1, VYTreport.mapData(reply, t, 0));
        String trace = TraceFile.read();
        List<String> lines = new ArrayList<>();
        for (String line : trace.split("\n")) {
            if (!line.isEmpty()) lines.add(line);
        }
        assertEquals(3, lines.size(), trace);
        for (String line : lines) {
            assertTrue(line.matches("\\[\\d\\d:\\d\\d:\\d\\d 0x[0-9a-f]{3,}\\] Error: .*"), line);
        }
        assertTrue(trace.endsWith("] Error: rep_type=0 invalid\n"), trace);
        assertTrue(trace.contains("] Error: type=0 invalid\n"), trace);
        assertTrue(trace.contains("] Error: zero buflen\n"), trace);
    }

    @Test
    void detachLineEndsTheFileWithoutANewline() throws Exception {
        // A child JVM switches tracing on and exits; the library writes its detach line.
        Path dir = Files.createTempDirectory("vyt-detach");
        Files.createDirectory(dir.resolve("logs"));
        String java = ProcessHandle.current().info().command().orElse("java");
        String cp = Paths.get(TraceOffTest.class.getProtectionDomain().getCodeSource().getLocation().toURI())
                + File.pathSeparator
                + Paths.get(VYTservlet.class.getProtectionDomain().getCodeSource().getLocation().toURI());
        Process p = new ProcessBuilder(java, "-Djava.library.path=" + System.getProperty("java.library.path"),
                "-cp", cp, "TraceOffTest$Child")
                .directory(dir.toFile()).redirectErrorStream(true).start();
        String out = new String(p.getInputStream().readAllBytes());
        assertEquals(0, p.waitFor(), out);
        String trace = Files.readString(dir.resolve("logs").resolve("VYTjni.trc"));
        assertTrue(trace.contains("\nbuildVYTRequest Exit: reportId=1 reportLen=1132\n"), trace);
        assertTrue(trace.endsWith("] DLL_PROCESS_DETACH: closing trace file."), trace);
        for (File f : dir.resolve("logs").toFile().listFiles()) f.delete();
        dir.resolve("logs").toFile().delete();
        dir.toFile().delete();
        assertFalse(dir.toFile().exists());
    }

    /** The child process of the detach test. */
    public static class Child {
        public static void main(String[] args) {
            VYTservlet.buildVYTRequest(1, 0, 0, 0, "child", "NOTRANSNAME", 0, 0, true);
        }
    }
}
