package vyt.client;

import java.lang.invoke.MethodHandle;
import java.lang.invoke.MethodHandles;
import java.lang.invoke.MethodType;

/**
 * The one way into the library's binding classes {@code VYTservlet}, {@code VYTconnect} and
 * {@code VYTreport}. They live in the default package, which named packages cannot import, so
 * their methods are looked up once, when this class is initialised, and called through constant
 * method handles (as fast as a direct call once compiled).
 */
public final class Native {
    /** {@code VYTreport.STATUS_OK}: the reply was decoded in full. */
    public static final int STATUS_OK = 0;
    /** {@code VYTreport.STATUS_FAILED}. */
    public static final int STATUS_FAILED = 1;
    /** {@code VYTreport.STATUS_TRAN_NOT_FOUND}: the collector does not know the transaction. */
    public static final int STATUS_TRAN_NOT_FOUND = 2;

    private static final MethodHandle BUILD;
    private static final MethodHandle LENGTH;
    private static final MethodHandle MAP;

    static {
        ClassLoader loader = Native.class.getClassLoader();
        MethodHandles.Lookup lookup = MethodHandles.publicLookup();
        try {
            BUILD = lookup.findStatic(Class.forName("VYTservlet", true, loader), "buildVYTRequest",
                    MethodType.methodType(byte[].class, int.class, int.class, int.class, int.class, String.class,
                            String.class, int.class, int.class, boolean.class));
            LENGTH = lookup.findStatic(Class.forName("VYTconnect", true, loader), "getBufLength",
                    MethodType.methodType(int.class, byte[].class));
            MAP = lookup.findStatic(Class.forName("VYTreport", true, loader), "mapData",
                    MethodType.methodType(int.class, byte[].class, Object.class, int.class));
        } catch (ClassNotFoundException e) {
            throw new IllegalStateException("the binding class " + e.getMessage()
                    + " is not on the classpath; put vytjni.jar on it", e);
        } catch (ReflectiveOperationException e) {
            throw new IllegalStateException("vytjni.jar does not match this application: " + e, e);
        }
    }

    private Native() {}

    /** {@code VYTservlet.buildVYTRequest}: the 1132-byte request record, or null when refused. */
    public static byte[] buildRequest(int type, int view, int continueIdx, int scrollAmount, String transName,
            String subTransName, int pathId, int ipAddr, boolean trace) {
        try {
            return (byte[]) BUILD.invokeExact(type, view, continueIdx, scrollAmount, transName, subTransName, pathId,
                    ipAddr, trace);
        } catch (RuntimeException | Error e) {
            throw e;
        } catch (Throwable t) {
            throw new IllegalStateException(t);
        }
    }

    /** {@code VYTconnect.getBufLength}: the length a reply states in its first four bytes. */
    public static int replyLength(byte[] head) {
        try {
            return (int) LENGTH.invokeExact(head);
        } catch (RuntimeException | Error e) {
            throw e;
        } catch (Throwable t) {
            throw new IllegalStateException(t);
        }
    }

    /** {@code VYTreport.mapData}: decodes a reply into calls on the target. */
    public static int mapData(byte[] reply, Object target, int reportType) {
        try {
            return (int) MAP.invokeExact(reply, target, reportType);
        } catch (RuntimeException | Error e) {
            throw e;
        } catch (Throwable t) {
            throw new IllegalStateException(t);
        }
    }
}
