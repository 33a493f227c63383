/** The floor library's methods (bench/floor.cpp). */
final class BenchFloor {
    private BenchFloor() {}

    static native long prepare(String[] names, String[] signatures, int[] plan);

    static native void release(long plan);

    /** Decodes the flat record at {@code start} of {@code flat}, which holds the reply before it. */
    static native int decode(long plan, byte[] flat, int start, Object target);

    /** Decodes the shared record at {@code start}: its distinct texts, then calls that name them. */
    static native int decodeShared(long plan, byte[] flat, int start, Object target);

    /** Opens a file of its own at {@code path} to write {@code bytes} in pieces ending at {@code ends}. */
    static native long prepareWrites(String path, byte[] bytes, int[] ends);

    static native boolean writes(long handle);

    static native void emptyWrites(long handle);

    static native void releaseWrites(long handle);
}
