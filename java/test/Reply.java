import java.nio.charset.StandardCharsets;

/** Builds a collector reply byte by byte (little-endian). */
final class Reply {
    final byte[] b;

    Reply(int size) {
        b = new byte[size];
        i32(0, size);
    }

    Reply i32(int off, int v) {
        b[off] = (byte) v;
        b[off + 1] = (byte) (v >>> 8);
        b[off + 2] = (byte) (v >>> 16);
        b[off + 3] = (byte) (v >>> 24);
        return this;
    }

    Reply u16(int off, int v) {
        b[off] = (byte) v;
        b[off + 1] = (byte) (v >>> 8);
        return this;
    }

    /** Writes the text's bytes (ISO-8859-1 for plain texts) without a NUL. */
    Reply text(int off, String s) {
        byte[] t = s.getBytes(StandardCharsets.ISO_8859_1);
        System.arraycopy(t, 0, b, off, t.length);
        return this;
    }

    Reply bytes(int off, byte[] t) {
        System.arraycopy(t, 0, b, off, t.length);
        return this;
    }

    byte[] bytes() {
        return b;
    }

    static int i32(byte[] a, int off) {
        return (a[off] & 0xFF) | (a[off + 1] & 0xFF) << 8 | (a[off + 2] & 0xFF) << 16 | (a[off + 3] & 0xFF) << 24;
    }
}
