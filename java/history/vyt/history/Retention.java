package vyt.history;

import java.time.Duration;

/** How long intervals and hourly roll-ups are kept. */
public record Retention(Duration intervals, Duration hourly) {
    public static final Retention DEFAULT = new Retention(Duration.ofDays(30), Duration.ofDays(365));

    public Retention {
        if (intervals.isNegative() || intervals.isZero() || hourly.isNegative() || hourly.isZero()) {
            throw new IllegalArgumentException("retention periods must be positive (intervals " + intervals
                    + ", hourly " + hourly + ")");
        }
    }
}
