/**
 * Reads the length a collector reply states in its first four bytes.
 */
public class VYTconnect {
    static {
        VYTjniLoader.load();
    }

    /**
     * @param report at least the first four bytes of a reply
     * @return the total length of the reply in bytes, or 0 when fewer than four bytes are given
     */
    public static native int getBufLength(byte[] report);
}
