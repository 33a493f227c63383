import java.nio.charset.StandardCharsets;

/**
 * A fixed-size little-endian record as the collector and the library exchange it:
 * 32-bit signed words, unsigned 16-bit ports and fixed-width NUL-terminated 8-bit texts.
 */
final class VytWire {
    private final byte[] b;

    VytWire(int size) {
        b = new byte[size];
    }

    private VytWire(byte[] bytes) {
        b = bytes;
    }

    /** A view for reading an existing record. */
    static VytWire of(byte[] bytes) {
        return new VytWire(bytes);
    }

    int size() {
        return b.length;
    }

    byte[] bytes() {
        return b;
    }

    VytWire i32(int off, int v) {
        b[off] = (byte) v;
        b[off + 1] = (byte) (v >>> 8);
        b[off + 2] = (byte) (v >>> 16);
        b[off + 3] = (byte) (v >>> 24);
        return this;
    }

    /** Writes the low 16 bits of {@code v} (a port, 0..65535). */
    VytWire u16(int off, int v) {
        b[off] = (byte) v;
        b[off + 1] = (byte) (v >>> 8);
        return this;
    }

    /**
     * Writes {@code s} into a field of {@code width} bytes. The text is cut so that a NUL always
     * ends it inside the field; the rest of the field stays zero.
     */
    VytWire text(int off, int width, String s) {
        byte[] t = s.getBytes(StandardCharsets.ISO_8859_1);
        int n = Math.min(t.length, width - 1);
        System.arraycopy(t, 0, b, off, n);
        for (int i = off + n; i < off + width; i++) b[i] = 0;
        return this;
    }

    int i32(int off) {
        return (b[off] & 0xFF) | (b[off + 1] & 0xFF) << 8 | (b[off + 2] & 0xFF) << 16 | (b[off + 3] & 0xFF) << 24;
    }

    int u16(int off) {
        return (b[off] & 0xFF) | (b[off + 1] & 0xFF) << 8;
    }

    /** The text of a field: its bytes up to the first NUL, never past {@code width}. */
    String text(int off, int width) {
        int end = off;
        while (end < off + width && b[end] != 0) end++;
        return new String(b, off, end - off, StandardCharsets.ISO_8859_1);
    }

    /** The little-endian word at {@code off} of any byte array. */
    static int i32(byte[] a, int off) {
        return of(a).i32(off);
    }
}
