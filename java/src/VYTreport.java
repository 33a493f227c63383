/**
 * Decodes collector replies into calls on a target object.
 */
public class VYTreport {
    /** The reply was decoded in full. */
    public static final int STATUS_OK = 0;
    /** Empty reply, error reply, unknown report type, or a reply that could not be decoded in full. */
    public static final int STATUS_FAILED = 1;
    /** The collector does not know the requested transaction. */
    public static final int STATUS_TRAN_NOT_FOUND = 2;

    static {
        VYTjniLoader.load();
    }

    /**
     * Decodes one complete reply: one {@code setData(...)} call with the header values
     * and one {@code addEntry(...)} call per entry on {@code target}, with the
     * signatures of the report type.
     *
     * @param report     the complete reply
     * @param target     the object that receives the calls
     * @param reportType the report type the request was built for, 1..32
     * @return {@link #STATUS_OK}, {@link #STATUS_FAILED} or {@link #STATUS_TRAN_NOT_FOUND}
     */
    public static native int mapData(byte[] report, Object target, int reportType);
}
