package vyt.catalog;

/**
 * The alert states the collector reports in the words whose role is {@link Catalog.Role#ALERT_STATE}:
 * 0 normal, 1 warning, 2 critical. Any other value is a state this application does not know; it is
 * shown by its number, never refused.
 */
public final class States {
    private States() {}

    private static final String[] NAMES = {"normal", "warning", "critical"};

    /** Whether the application knows this state. */
    public static boolean known(int state) {
        return state >= 0 && state < NAMES.length;
    }

    /** The state's word: "normal", "warning", "critical", or "state N" for any other value. */
    public static String name(int state) {
        return known(state) ? NAMES[state] : "state " + state;
    }

    /** {@link #name(int)} with a capital first letter, for headings and tiles: "Warning", "State 7". */
    public static String title(int state) {
        String n = name(state);
        return Character.toUpperCase(n.charAt(0)) + n.substring(1);
    }
}
