package vyt.web;

import java.time.Duration;
import java.time.Instant;
import java.util.List;

/**
 * What a page shows besides its reports: the collector it is about, the collectors there are,
 * when that collector's data was last fetched and whether it is stale (older than two polling
 * intervals), and whether the history shown holds generated sample data.
 *
 * @param collector the collector's name, as the {@code collector} parameter picks it
 * @param collectors every configured collector's name, the first being the default
 * @param updated when the data on show was fetched, or null when nothing has been fetched yet
 * @param interval how often the collector is polled
 * @param stale whether {@code updated} is older than two intervals (the last good data stays on show)
 * @param sample whether the collector is the built-in sample collector (its history is seeded)
 */
record View(String collector, List<String> collectors, Instant updated, Duration interval, boolean stale,
        boolean sample) {
    View {
        collectors = List.copyOf(collectors);
    }

    /** Seconds since the data was fetched, or -1 when it never was. */
    long ageSeconds(Instant now) {
        return updated == null ? -1 : Math.max(0, Duration.between(updated, now).getSeconds());
    }
}
