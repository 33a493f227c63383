import java.io.File;
import java.lang.reflect.Method;
import java.net.URL;
import java.net.URLClassLoader;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;

/**
 * Two copies of the library in one JVM, both tracing into logs/VYTjni.trc, as a servlet
 * container has them after a redeploy: the first copy traces, the second is loaded, then both
 * trace at once from two threads. Afterwards the file must hold every traced line of both copies
 * and no NUL byte. Usage: java -cp . TwoLoadersTrace vytjni.jar LINES (in a folder with logs/)
 */
public class TwoLoadersTrace {
    private static Method buildRequest(URL jar) throws Exception {
        ClassLoader loader = new URLClassLoader(new URL[] {jar}, null);  // nothing from the class path
        return Class.forName("VYTservlet", true, loader).getMethod("buildVYTRequest", int.class, int.class,
                int.class, int.class, String.class, String.class, int.class, int.class, boolean.class);
    }

    /** Traces one request per name, each name once in the file: "transName N<name>". */
    private static void trace(Method build, String prefix, int from, int to) {
        try {
            for (int n = from; n < to; ++n)
                build.invoke(null, 1, 0, 0, 0, prefix + n, "NOTRANSNAME", 0, 0, true);
        } catch (ReflectiveOperationException e) {
            throw new IllegalStateException(e);
        }
    }

    public static void main(String[] args) throws Exception {
        URL jar = new File(args[0]).toURI().toURL();
        int lines = Integer.parseInt(args[1]);
        Method first = buildRequest(jar);
        trace(first, "first-", 0, lines);
        Method second = buildRequest(jar);  // loads the second copy
        List<Thread> threads = new ArrayList<>();
        threads.add(new Thread(() -> trace(first, "first-", lines, 2 * lines)));
        threads.add(new Thread(() -> trace(second, "second-", 0, 2 * lines)));
        for (Thread t : threads) t.start();
        for (Thread t : threads) t.join();

        byte[] file = Files.readAllBytes(Paths.get("logs", "VYTjni.trc"));
        int nul = 0;
        for (byte b : file) nul += b == 0 ? 1 : 0;
        String text = new String(file, StandardCharsets.ISO_8859_1);
        int missing = 0;
        for (String prefix : new String[] {"first-", "second-"}) {
            for (int n = 0; n < 2 * lines; ++n) {
                if (!text.contains("<" + prefix + n + ">\n")) {
                    if (missing++ < 5) System.out.println("missing: the line of " + prefix + n);
                }
            }
        }
        System.out.println("trace: " + file.length + " bytes, " + nul + " NUL bytes, " + missing + " lines missing");
        System.exit(nul == 0 && missing == 0 ? 0 : 1);
    }
}
