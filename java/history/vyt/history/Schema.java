package vyt.history;

import java.util.ArrayList;
import java.util.List;

/**
 * The history's tables and their migrations. Each migration runs once, in order, in a transaction
 * that also records it in schema_version; a new version is a new entry at the end of
 * {@link #MIGRATIONS}, never an edit of an old one.
 */
final class Schema {
    private Schema() {
    }

    /** A schema change: the version it brings the store to, and its statements. */
    record Migration(int version, String description, List<String> statements) {
    }

    static final String SAMPLE_COLUMNS;
    static final String VALUE_COLUMNS;

    static {
        List<String> values = new ArrayList<>();
        for (String s : Components.STEMS) values.add(s + "_ms");
        for (String s : Components.STEMS) values.add(s + "_state");
        for (String s : Components.STEMS) values.add(s + "_threshold_ms");
        VALUE_COLUMNS = String.join(", ", values);
        SAMPLE_COLUMNS = "collector, tran, path, start_s, length_s, tx_count, " + VALUE_COLUMNS + ", seeded";
    }

    private static String valueColumnTypes() {
        StringBuilder b = new StringBuilder();
        for (String s : Components.STEMS) b.append(s).append("_ms DOUBLE PRECISION, ");
        for (String s : Components.STEMS) b.append(s).append("_state SMALLINT, ");
        for (String s : Components.STEMS) b.append(s).append("_threshold_ms DOUBLE PRECISION, ");
        return b.toString();
    }

    static List<Migration> migrations(Dialect d) {
        String key = "collector VARCHAR(200) NOT NULL, tran VARCHAR(200) NOT NULL, path INTEGER NOT NULL, "
                + "start_s BIGINT NOT NULL, ";
        String sample = key + "length_s INTEGER NOT NULL, tx_count BIGINT NOT NULL, " + valueColumnTypes()
                + "seeded SMALLINT NOT NULL, ";
        return List.of(new Migration(1, "intervals, hourly roll-ups, latest intervals and alerts", List.of(
                "CREATE TABLE interval_sample (" + sample + "PRIMARY KEY (collector, tran, path, start_s))"
                        + d.tableOptions(),
                "CREATE TABLE hourly_sample (" + sample + "intervals INTEGER NOT NULL, "
                        + "PRIMARY KEY (collector, tran, path, start_s))" + d.tableOptions(),
                "CREATE TABLE latest_sample (" + key + "PRIMARY KEY (collector, tran, path))" + d.tableOptions(),
                "CREATE TABLE alert (collector VARCHAR(200) NOT NULL, tran VARCHAR(200) NOT NULL, "
                        + "path INTEGER NOT NULL, kind VARCHAR(100) NOT NULL, start_s BIGINT NOT NULL, end_s BIGINT, "
                        + "state SMALLINT NOT NULL, seeded SMALLINT NOT NULL, "
                        + "PRIMARY KEY (collector, tran, path, kind, start_s))" + d.tableOptions(),
                "CREATE INDEX alert_by_time ON alert (start_s)")));
    }

    static int latest(Dialect d) {
        List<Migration> all = migrations(d);
        return all.get(all.size() - 1).version();
    }
}
