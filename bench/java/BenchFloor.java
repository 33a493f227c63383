/** The floor library's methods (bench/floor.cpp). */
final class BenchFloor {
    private BenchFloor() {}

    static native long prepare(String[] names, String[] signatures, int[] plan);

    static native void release(long plan);

    /** Decodes the flat record at {@code start} of {@code flat}, which holds the reply before it. */
    static native int decode(long plan, byte[] flat, int start, Object target);
}
