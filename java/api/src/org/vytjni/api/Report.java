package org.vytjni.api;

/** The values of one decoded reply: a record of package {@code org.vytjni.api.reports}. */
public interface Report {
    /** The report kind of the reply. */
    ReportKind kind();
}
