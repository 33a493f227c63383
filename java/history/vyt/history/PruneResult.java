package vyt.history;

/** What one {@link HistoryStore#prune} removed. */
public record PruneResult(int intervals, int hours, int alerts) {
}
