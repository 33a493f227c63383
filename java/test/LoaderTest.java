import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.File;
import java.nio.file.Paths;
import org.junit.jupiter.api.Test;

/** The library can be named by its full path instead of being found on java.library.path. */
class LoaderTest {
    static String classPath() throws Exception {
        return Paths.get(LoaderTest.class.getProtectionDomain().getCodeSource().getLocation().toURI())
                + File.pathSeparator
                + Paths.get(VYTconnect.class.getProtectionDomain().getCodeSource().getLocation().toURI());
    }

    static Process child(String libraryProperty) throws Exception {
        String java = ProcessHandle.current().info().command().orElse("java");
        return new ProcessBuilder(java, "-Dvytjni.library=" + libraryProperty, "-cp", classPath(), "LoaderTest$Child")
                .redirectErrorStream(true).start();
    }

    @Test
    void explicitLibraryPath() throws Exception {
        String lib = Paths.get(System.getProperty("java.library.path"), System.mapLibraryName("VYTjni")).toString();
        Process p = child(lib);
        String out = new String(p.getInputStream().readAllBytes()).trim();
        assertEquals(0, p.waitFor(), out);
        assertEquals("1132", out);

        Process bad = child(lib + ".missing");
        String err = new String(bad.getInputStream().readAllBytes());
        assertNotEquals(0, bad.waitFor());
        assertTrue(err.contains("UnsatisfiedLinkError"), err);
    }

    /** Runs without java.library.path: only the property can find the library. */
    public static class Child {
        public static void main(String[] args) {
            System.out.println(VYTconnect.getBufLength(new byte[] {0x6C, 0x04, 0, 0}));
        }
    }
}
