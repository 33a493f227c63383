/** The floor library's methods (bench/floor.cpp). */
final class BenchFloor {
    private BenchFloor() {}

    static native long prepare(String[] names, String[] signatures, int[] plan);

    static native void release(long plan);

    static native int decode(long plan, byte[] flat, Object target);
}
