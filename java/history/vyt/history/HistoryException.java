package vyt.history;

/**
 * A history store that cannot do what was asked. The message says what failed, why and what to
 * do; it never carries the database password. Nothing already stored is lost by a failed call,
 * and the store reconnects on its next call.
 */
public final class HistoryException extends RuntimeException {
    private static final long serialVersionUID = 1L;

    /** The kind of fault, for a caller that reacts differently to each. */
    public enum Fault {
        /** The database cannot be reached (server down, network, file cannot be opened). */
        UNREACHABLE("check that the database server is running and reachable; the store reconnects by itself"),
        /** The database refuses writes. */
        READ_ONLY("make the database writable for this user (file, folder or server setting)"),
        /** The database or its disk is full. */
        FULL("free space on the database's disk, or shorten the retention"),
        /** The server refused the user name or password. */
        CREDENTIALS("check the user in the URL and the password in --db-password-file or VYT_DB_PASSWORD"),
        /** The schema is of a newer version, or damaged. */
        SCHEMA("use the front end version that wrote this history, or another --data folder or --db database"),
        /** The options given to the store are wrong. */
        CONFIG("correct the options"),
        /** Anything else the database reported. */
        OTHER("see the database's own message in the cause");

        final String advice;

        Fault(String advice) {
            this.advice = advice;
        }
    }

    private final Fault fault;

    HistoryException(Fault fault, String message, Throwable cause) {
        super(message, cause);
        this.fault = fault;
    }

    public Fault fault() {
        return fault;
    }
}
