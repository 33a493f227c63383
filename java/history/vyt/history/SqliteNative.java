package vyt.history;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Locale;

/**
 * Debian's SQLite driver keeps its native library out of the jar, in the system's JNI folder,
 * and looks for it on java.library.path only, which the front end sets to its own library's
 * folder. This points the driver at the system's copy when no other is named.
 */
final class SqliteNative {
    private SqliteNative() {
    }

    static synchronized void locate() {
        if (System.getProperty("org.sqlite.lib.path") != null) return;
        if (!System.getProperty("os.name", "").toLowerCase(Locale.ROOT).contains("linux")) return;
        String name = "libsqlitejdbc.so";
        for (String dir : System.getProperty("java.library.path", "").split(java.io.File.pathSeparator)) {
            if (!dir.isEmpty() && Files.isRegularFile(Path.of(dir, name))) return;  // the driver finds it itself
        }
        String arch = System.getProperty("os.arch", "");
        String triplet = switch (arch) {
            case "amd64", "x86_64" -> "x86_64-linux-gnu";
            case "aarch64" -> "aarch64-linux-gnu";
            default -> arch + "-linux-gnu";
        };
        for (String dir : new String[] {"/usr/lib/" + triplet + "/jni", "/usr/lib/jni"}) {
            if (Files.isRegularFile(Path.of(dir, name))) {
                System.setProperty("org.sqlite.lib.path", dir);
                return;
            }
        }
    }
}
