package org.vytjni.api;

/** A reply that does not give a report: see {@link BadReplyException} and {@link CollectorErrorException}. */
public abstract class ReportException extends RuntimeException {
    private static final long serialVersionUID = 1L;
    private final ReportKind kind;

    ReportException(ReportKind kind, String message) {
        super(message);
        this.kind = kind;
    }

    /** The report kind the reply was decoded as. */
    public ReportKind kind() {
        return kind;
    }
}
