package org.vytjni.api;

import java.lang.invoke.MethodHandle;
import java.lang.invoke.MethodHandles;
import java.lang.invoke.MethodType;

/**
 * The legacy binding classes {@code VYTservlet} and {@code VYTreport}, the reference the typed
 * API is compared with. They live in the default package, which named packages cannot import, so
 * their methods are looked up once and called through method handles.
 */
final class LegacyCalls {
    /** {@code VYTreport.STATUS_OK}: the reply was decoded in full. */
    static final int STATUS_OK = 0;

    private static final MethodHandle BUILD;
    private static final MethodHandle MAP;

    static {
        ClassLoader loader = LegacyCalls.class.getClassLoader();
        MethodHandles.Lookup lookup = MethodHandles.publicLookup();
        try {
            BUILD = lookup.findStatic(Class.forName("VYTservlet", true, loader), "buildVYTRequest",
                    MethodType.methodType(byte[].class, int.class, int.class, int.class, int.class, String.class,
                            String.class, int.class, int.class, boolean.class));
            MAP = lookup.findStatic(Class.forName("VYTreport", true, loader), "mapData",
                    MethodType.methodType(int.class, byte[].class, Object.class, int.class));
        } catch (ReflectiveOperationException e) {
            throw new IllegalStateException("vytjni.jar's binding classes are not on the class path: " + e, e);
        }
    }

    private LegacyCalls() {}

    /** {@code VYTservlet.buildVYTRequest}: the 1132-byte request record, or null when refused. */
    static byte[] buildRequest(int type, int view, int continueIdx, int scrollAmount, String transName,
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

    /** {@code VYTreport.mapData}: decodes a reply into calls on the target. */
    static int mapData(byte[] reply, Object target, int reportType) {
        try {
            return (int) MAP.invokeExact(reply, target, reportType);
        } catch (RuntimeException | Error e) {
            throw e;
        } catch (Throwable t) {
            throw new IllegalStateException(t);
        }
    }
}
