package org.vytjni.api;

/**
 * A reply the library cannot decode as its kind: it names the kind, the offset where the reply
 * went wrong and the reason. The reply did not come from a collector of this kind's layout, or it
 * was cut short on its way.
 */
public final class BadReplyException extends ReportException {
    private static final long serialVersionUID = 1L;

    /** Why a reply was refused. */
    public enum Reason {
        /** The reply ends before its header or one of its entries does. */
        TRUNCATED,
        /** The reply's length word is not the number of bytes it holds. */
        LENGTH_MISMATCH,
        /** A field lies outside the record that holds it. */
        READ_OUTSIDE_RECORD,
        /** The reply's length word is 0. */
        EMPTY,
        /** The report type is not one the library decodes. */
        INVALID_KIND,
        /** The decoder refused the reply for another reason; see the detail. */
        OTHER
    }

    private final long offset;
    private final Reason reason;
    private final String detail;

    BadReplyException(ReportKind kind, long offset, Reason reason, String detail) {
        super(kind, "cannot decode the " + kind.kindName() + " reply (report type " + kind.type() + "): "
                + describe(reason) + (offset >= 0 ? " at offset " + offset : "") + " (" + detail
                + "); check that the collector answers this report kind with its documented layout");
        this.offset = offset;
        this.reason = reason;
        this.detail = detail;
    }

    private static String describe(Reason r) {
        return switch (r) {
            case TRUNCATED -> "the reply is truncated";
            case LENGTH_MISMATCH -> "the reply's length word does not match its size";
            case READ_OUTSIDE_RECORD -> "a read falls outside a record";
            case EMPTY -> "the reply is empty";
            case INVALID_KIND -> "the report type is invalid";
            case OTHER -> "the decoder refused the reply";
        };
    }

    /** The byte offset where the reply went wrong, or -1 when the library does not know it. */
    public long offset() {
        return offset;
    }

    public Reason reason() {
        return reason;
    }

    /** The library's own line about the failure. */
    public String detail() {
        return detail;
    }
}
