/** A request record as the collector receives it (1132 bytes, little-endian). */
final class VytRequest {
    static final int LENGTH = 1132;

    final byte[] raw;
    final int reportId;
    final int scrollAmount;
    final int continueIdx;
    final int continueIdx2;
    final int ipAddr;
    final int pathId;
    final int urlListRuleId;
    final String tranName;
    final String subTranName;
    final int flags;

    private VytRequest(byte[] raw) {
        VytWire w = VytWire.of(raw);
        this.raw = raw;
        reportId = w.i32(4);
        scrollAmount = w.i32(8);
        continueIdx = w.i32(12);
        continueIdx2 = w.i32(16);
        ipAddr = w.i32(20);
        pathId = w.i32(24);
        urlListRuleId = w.i32(28);
        tranName = w.text(40, 64);
        subTranName = w.text(104, 1024);
        flags = w.i32(1128);
    }

    /** Reads a complete record; the caller has checked its length. */
    static VytRequest parse(byte[] record) {
        if (record.length != LENGTH || VytWire.i32(record, 0) != LENGTH)
            throw new IllegalArgumentException("not a " + LENGTH + "-byte request record");
        return new VytRequest(record);
    }
}
