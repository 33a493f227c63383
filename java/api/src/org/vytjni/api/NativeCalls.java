package org.vytjni.api;

import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;

/**
 * The typed API's natives. The library is loaded through the loader of vytjni.jar, so that it is
 * loaded once per class loader whichever jar asks first.
 */
final class NativeCalls {
    private NativeCalls() {}

    static {
        load();
    }

    private static void load() {
        Class<?> loader;
        try {
            loader = Class.forName("VYTjniLoader", true, NativeCalls.class.getClassLoader());
        } catch (ClassNotFoundException e) {
            throw new IllegalStateException("the typed VYTjni API needs vytjni.jar on the class path (it holds the native"
                    + " library and its loader); add vytjni.jar of the same version beside vytjni-api.jar", e);
        }
        try {
            Method m = loader.getDeclaredMethod("load");
            m.setAccessible(true);
            m.invoke(null);
        } catch (InvocationTargetException e) {
            Throwable cause = e.getCause();
            if (cause instanceof Error err) throw err;
            throw new IllegalStateException("loading the VYTjni native library failed: " + cause, cause);
        } catch (ReflectiveOperationException | RuntimeException e) {
            throw new IllegalStateException("vytjni.jar's loader cannot be called (" + e
                    + "); use vytjni.jar of the same version as vytjni-api.jar", e);
        }
    }

    /**
     * Decodes a reply: {ByteBuffer words, byte[] texts}, as {@link DecodedReply} reads them. The
     * words lie in the library's memory for this thread and hold until its next decode: read them
     * before decoding again. Null when the library could not hand the result over (its error line
     * says why).
     */
    static native Object[] decode0(byte[] reply, int reportType);

    /** The request record, or null when the library refused it (its error line says why). */
    static native byte[] request0(int type, int view, int continueIdx, int scrollAmount, byte[] tranName,
            byte[] subTranName, int pathId, int ipAddr);

    static byte[] request(int type, int view, int continueIdx, int scrollAmount, String tran, String sub, int pathId,
            int ipAddr) {
        byte[] record = request0(type, view, continueIdx, scrollAmount, RequestChecks.utf8(tran),
                RequestChecks.utf8(sub), pathId, ipAddr);
        if (record == null)
            throw new IllegalArgumentException("the library refused the request of report type " + type
                    + "; its trace file's error line says why");
        return record;
    }
}
