package org.vytjni.api;

/**
 * An alert or threshold state word. The collector defines the states; the ones known here have
 * names, and a state not known here is kept with its value (it does not fail the reply).
 *
 * @param value the word as the collector sent it
 */
public record AlertState(int value) {
    public static final AlertState NORMAL = new AlertState(0);
    public static final AlertState WARNING = new AlertState(1);
    public static final AlertState CRITICAL = new AlertState(2);

    private static final AlertState[] KNOWN = {NORMAL, WARNING, CRITICAL};
    private static final String[] NAMES = {"normal", "warning", "critical"};

    /** The state of word {@code value}. */
    public static AlertState of(int value) {
        return value >= 0 && value < KNOWN.length ? KNOWN[value] : new AlertState(value);
    }

    /** Whether this is a state known here. */
    public boolean known() {
        return value >= 0 && value < NAMES.length;
    }

    /** "normal", "warning", "critical", or "state N" for a state not known here. */
    public String label() {
        return known() ? NAMES[value] : "state " + value;
    }

    @Override
    public String toString() {
        return label();
    }
}
