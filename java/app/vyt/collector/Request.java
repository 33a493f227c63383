package vyt.collector;

/** A request record as the collector receives it (1132 bytes, little-endian), and its fields. */
public record Request(byte[] raw, int reportId, int scrollAmount, int continueIdx, int continueIdx2, int ipAddr,
        int pathId, int urlListRuleId, String tranName, String subTranName, int flags) {
    public static final int LENGTH = 1132;

    /** Reads a complete record; the caller has checked its length. */
    public static Request parse(byte[] record) {
        if (record.length != LENGTH || Wire.i32(record, 0) != LENGTH)
            throw new IllegalArgumentException("not a " + LENGTH + "-byte request record");
        Wire w = Wire.of(record);
        return new Request(record, w.i32(4), w.i32(8), w.i32(12), w.i32(16), w.i32(20), w.i32(24), w.i32(28),
                w.text(40, 64), w.text(104, 1024), w.i32(1128));
    }
}
