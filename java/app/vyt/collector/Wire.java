package vyt.collector;

import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;

/**
 * A fixed-size little-endian record as the collector and the library exchange it:
 * 32-bit signed words, unsigned 16-bit ports and fixed-width NUL-terminated 8-bit texts.
 */
public final class Wire {
    private final ByteBuffer b;

    public Wire(int size) {
        this(new byte[size]);
    }

    private Wire(byte[] bytes) {
        b = ByteBuffer.wrap(bytes).order(ByteOrder.LITTLE_ENDIAN);
    }

    /** A view for reading or changing an existing record. */
    public static Wire of(byte[] bytes) {
        return new Wire(bytes);
    }

    public int size() {
        return b.capacity();
    }

    public byte[] bytes() {
        return b.array();
    }

    public Wire i32(int off, int v) {
        b.putInt(off, v);
        return this;
    }

    /** Writes the low 16 bits of {@code v} (a port, 0..65535). */
    public Wire u16(int off, int v) {
        b.putShort(off, (short) v);
        return this;
    }

    /**
     * Writes {@code s} into a field of {@code width} bytes. The text is cut so that a NUL always
     * ends it inside the field; the rest of the field stays zero.
     */
    public Wire text(int off, int width, String s) {
        byte[] t = s.getBytes(StandardCharsets.ISO_8859_1);
        int n = Math.min(t.length, width - 1);
        b.put(off, t, 0, n);
        for (int i = off + n; i < off + width; i++) b.put(i, (byte) 0);
        return this;
    }

    public int i32(int off) {
        return b.getInt(off);
    }

    public int u16(int off) {
        return Short.toUnsignedInt(b.getShort(off));
    }

    /** The text of a field: its bytes up to the first NUL, never past {@code width}. */
    public String text(int off, int width) {
        int end = off;
        while (end < off + width && b.get(end) != 0) end++;
        return new String(b.array(), off, end - off, StandardCharsets.ISO_8859_1);
    }

    /** The little-endian word at {@code off} of any byte array. */
    public static int i32(byte[] a, int off) {
        return of(a).i32(off);
    }
}
