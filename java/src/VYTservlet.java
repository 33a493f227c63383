/**
 * Builds the request records sent to the collector.
 */
public class VYTservlet {
    static {
        VYTjniLoader.load();
    }

    /**
     * Builds the 1132-byte request record for one report.
     *
     * @param type         report type, 1..32
     * @param view         view flags (report types 8, 9, 10, 13, 19, 28, 31, 32)
     * @param continueIdx  continuation index of a paged list, or the rule number of a rule operation
     * @param scrollAmount how many entries a paged list should return
     * @param transName    transaction name (at most 64 bytes as UTF-8)
     * @param subTransName sub-transaction name or URL (at most 1024 bytes as UTF-8), or "NOTRANSNAME"
     * @param pathId       path number
     * @param IPaddr       server number, or the second continuation index of a paged list
     * @param trace        true switches the trace on for the rest of the process's life
     * @return the record, or null when an argument is refused (see the trace file)
     */
    public static native byte[] buildVYTRequest(int type, int view, int continueIdx, int scrollAmount,
            String transName, String subTransName, int pathId, int IPaddr, boolean trace);
}
