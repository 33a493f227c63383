package vyt.catalog;

/**
 * The return codes of the URL rule operations (the {@code reportReturnCode} of their reply), with
 * what each means.
 */
public enum RuleCode {
    DONE(0, "done"),
    NO_SUCH_RULE(1, "no rule has that number"),
    URL_TAKEN(2, "another rule has that URL"),
    REFUSED(3, "refused: the URL is empty, or the flags do not name exactly one list type and one search type"
            + " (or one precedence)");

    public final int code;
    public final String meaning;

    RuleCode(int code, String meaning) {
        this.code = code;
        this.meaning = meaning;
    }

    /** The code's constant, or null for a code the collector does not document. */
    public static RuleCode of(int code) {
        for (RuleCode c : values()) if (c.code == code) return c;
        return null;
    }

    /** "return code 2 (another rule has that URL)"; "(unknown)" for any other code. */
    public static String text(int code) {
        RuleCode c = of(code);
        return "return code " + code + " (" + (c == null ? "unknown" : c.meaning) + ")";
    }
}
