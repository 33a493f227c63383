package vyt.client;

import org.vytjni.api.Report;
import org.vytjni.api.reports.AddUrlRule;
import org.vytjni.api.reports.EditUrlRule;
import org.vytjni.api.reports.GetUrlRule;
import org.vytjni.api.reports.RemoveUrlRule;
import org.vytjni.api.reports.UrlRulePrecedence;

/** The reply of a URL rule operation. */
public final class RuleReply {
    private RuleReply() {}

    /**
     * The operation's return code (0: done; {@link vyt.catalog.RuleCode} says what the others mean).
     *
     * @throws IllegalArgumentException the report is not a rule operation's
     */
    public static int returnCode(Report r) {
        if (r instanceof AddUrlRule a) return a.reportReturnCode();
        if (r instanceof RemoveUrlRule a) return a.reportReturnCode();
        if (r instanceof GetUrlRule a) return a.reportReturnCode();
        if (r instanceof EditUrlRule a) return a.reportReturnCode();
        if (r instanceof UrlRulePrecedence a) return a.reportReturnCode();
        throw new IllegalArgumentException(r.kind() + " is not a URL rule operation");
    }
}
