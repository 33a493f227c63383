package vyt.client;

/** A report could not be fetched or decoded; {@link #reason} tells why. */
public final class ClientException extends Exception {
    private static final long serialVersionUID = 1L;

    public enum Reason {
        /** Nothing accepts connections at the collector's address. */
        UNREACHABLE,
        /** The collector did not accept, or did not answer, within the timeout. */
        TIMED_OUT,
        /** The connection ended before the reply's stated length was read. */
        SHORT_REPLY,
        /** The reply states a length below four bytes or above the client's bound. */
        BAD_LENGTH,
        /** The request was refused before anything was sent (a name longer than its field, say). */
        BAD_REQUEST,
        /** The collector answered with an error reply, or the library could not decode the reply. */
        FAILED,
        /** The collector does not know the requested transaction. */
        TRAN_NOT_FOUND,
        /** The collector does not know the requested path of the transaction. */
        PATH_NOT_FOUND,
        /** The collector does not know the requested server. */
        SERVER_NOT_FOUND,
    }

    public final Reason reason;
    /**
     * The code of the collector's error reply ({@code FAIL_...}, see
     * {@link org.vytjni.api.CollectorErrorException}), or null when the collector sent none.
     */
    public final String code;

    public ClientException(Reason reason, String message) {
        this(reason, message, null, null);
    }

    public ClientException(Reason reason, String message, Throwable cause) {
        this(reason, message, null, cause);
    }

    public ClientException(Reason reason, String message, String code, Throwable cause) {
        super(message, cause);
        this.reason = reason;
        this.code = code;
    }
}
