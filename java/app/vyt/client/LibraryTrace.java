package vyt.client;

import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;

/**
 * Switches the library's trace on (written to {@code logs/VYTjni.trc} of the working directory,
 * with the request and reply dumps). The library's one switch for it is the trace argument of
 * the binding class {@code VYTservlet.buildVYTRequest}; the typed API traces whenever the trace
 * is on, so this builds one request through the binding class, once, and discards it.
 */
public final class LibraryTrace {
    private static volatile boolean on;

    private LibraryTrace() {}

    /** Switches the trace on for the rest of the process; the library keeps it on. */
    public static synchronized void switchOn() {
        if (on) return;
        try {
            Class<?> servlet = Class.forName("VYTservlet", true, LibraryTrace.class.getClassLoader());
            Method build = servlet.getMethod("buildVYTRequest", int.class, int.class, int.class, int.class,
                    String.class, String.class, int.class, int.class, boolean.class);
            build.invoke(null, 1, 0, 0, 0, "", "", 0, 0, true);
        } catch (ClassNotFoundException e) {
            throw new IllegalStateException("the binding class VYTservlet is not on the class path; put vytjni.jar"
                    + " on it", e);
        } catch (InvocationTargetException e) {
            throw new IllegalStateException("switching the library's trace on failed: " + e.getCause(), e.getCause());
        } catch (ReflectiveOperationException e) {
            throw new IllegalStateException("vytjni.jar does not match this application: " + e, e);
        }
        on = true;
    }
}
