package org.vytjni.api;

/** The collector answered with its 35-byte error reply: a {@code FAIL_} code instead of the report. */
public final class CollectorErrorException extends ReportException {
    private static final long serialVersionUID = 1L;

    /** The requested transaction does not exist at the collector. */
    public static final String TRAN_NOT_FOUND = "FAIL_TRANNOTFOU";
    /** The requested path does not exist in the transaction. */
    public static final String PATH_NOT_FOUND = "FAIL_PATHNOTFOU";
    /** The requested server does not exist. */
    public static final String SERVER_NOT_FOUND = "FAIL_SRVNOTFOU";
    /** The collector does not answer the request's report id. */
    public static final String BAD_REPORT_ID = "FAIL_BADREPORTID";
    /** The collector did not read a complete, well-formed request record. */
    public static final String BAD_REQUEST = "FAIL_BADREQUEST";

    private final String code;

    CollectorErrorException(ReportKind kind, String code) {
        super(kind, "the collector answered the " + kind.kindName() + " request with " + code + ": " + meaning(code));
        this.code = code;
    }

    /** The error reply's code, e.g. {@code FAIL_TRANNOTFOU}. */
    public String code() {
        return code;
    }

    /** What the code means, and what to do. */
    public String meaning() {
        return meaning(code);
    }

    /** What an error reply's code means, and what to do. */
    public static String meaning(String code) {
        return switch (code) {
            case TRAN_NOT_FOUND -> "the requested transaction does not exist at the collector"
                    + " (the all-transactions report lists them)";
            case PATH_NOT_FOUND -> "the requested path does not exist in the transaction"
                    + " (the transaction-paths report lists them)";
            case SERVER_NOT_FOUND -> "the requested server does not exist"
                    + " (the transaction-servers report lists them)";
            case BAD_REPORT_ID -> "the collector does not answer this report kind";
            case BAD_REQUEST -> "the collector refused the request record as malformed";
            default -> "a general failure at the collector";
        };
    }
}
