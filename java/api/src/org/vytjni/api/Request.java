package org.vytjni.api;

/**
 * A request for one report kind, made by the records of {@link Requests}.
 *
 * @param <R> the record its reply decodes to
 */
public interface Request<R extends Report> {
    /** The report kind asked for. */
    ReportKind kind();

    /** The 1132-byte request record the collector reads. */
    byte[] toBytes();

    /** Decodes a complete reply to this request. */
    R decode(byte[] reply);
}
