import java.nio.ByteBuffer;
import java.nio.charset.StandardCharsets;

/** Reads one call's arguments from a flat record (see BenchFlat) and makes the call. */
abstract class BenchCaller {
    interface Factory {
        BenchCaller make(int[] widths);
    }

    /** The slot width of each text argument (0 for an int). */
    final int[] w;

    BenchCaller(int[] widths) {
        w = widths;
    }

    /** Makes the call whose arguments start at {@code at}; returns the offset after them. */
    abstract int call(BenchTarget t, ByteBuffer b, int at);

    /** The text of a slot: its bytes up to the first NUL. */
    static String text(ByteBuffer b, int at, int width) {
        byte[] a = b.array();
        int end = at;
        int lim = at + width;
        while (end < lim && a[end] != 0) end++;
        return new String(a, at, end - at, StandardCharsets.UTF_8);
    }
}
