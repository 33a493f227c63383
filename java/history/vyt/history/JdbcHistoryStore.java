package vyt.history;

import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.sql.Connection;
import java.sql.DriverManager;
import java.sql.PreparedStatement;
import java.sql.ResultSet;
import java.sql.SQLException;
import java.sql.Statement;
import java.sql.Types;
import java.time.Duration;
import java.util.ArrayDeque;
import java.util.ArrayList;
import java.util.Deque;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.Properties;
import java.util.Set;
import java.util.TreeMap;

/** The history store on SQLite or PostgreSQL through JDBC, with a small pool of connections. */
final class JdbcHistoryStore implements HistoryStore {
    static final String SQLITE_FILE = "history.db";
    private static final int MAX_IDLE = 4;
    private static final long CHECK_IDLE_AFTER_MS = 10_000;
    private static final int DEFAULT_STEP = 300;

    /** Opens a new connection. */
    interface Opener {
        Connection open() throws SQLException;
    }

    private interface Work<T> {
        T run(Connection c) throws SQLException;
    }

    private record Idle(Connection connection, long since) {
    }

    private final Dialect dialect;
    private final String where;
    private final Opener opener;
    private final Retention retention;
    private final String password;  // only to keep it out of messages; never printed
    private final Path sqliteFile;
    private final Deque<Idle> idle = new ArrayDeque<>();
    private volatile boolean closed;
    private int version;

    private JdbcHistoryStore(Dialect dialect, String where, Opener opener, Retention retention, String password,
            Path sqliteFile) {
        this.dialect = dialect;
        this.where = where;
        this.opener = opener;
        this.retention = retention;
        this.password = password;
        this.sqliteFile = sqliteFile;
    }

    static JdbcHistoryStore open(StoreOptions o, Map<String, String> env) {
        JdbcHistoryStore store = o.dbUrl() == null ? sqlite(o) : postgresql(o, env);
        try {
            store.version = store.migrate();
        } catch (RuntimeException e) {
            store.close();
            throw e;
        }
        return store;
    }

    private static JdbcHistoryStore sqlite(StoreOptions o) {
        Path dir = o.dataDir().toAbsolutePath();
        try {
            Files.createDirectories(dir);
        } catch (IOException e) {
            throw new HistoryException(HistoryException.Fault.CONFIG, "Cannot create the history folder " + dir
                    + " (" + e + "); give --data a folder this user can write.", e);
        }
        Path file = dir.resolve(SQLITE_FILE);
        SqliteNative.locate();
        String url = "jdbc:sqlite:" + file;
        Opener opener = () -> {
            Connection c = DriverManager.getConnection(url);
            Dialect.SQLITE.configure(c);
            return c;
        };
        return new JdbcHistoryStore(Dialect.SQLITE, "SQLite file " + file, opener, o.retention(), null, file);
    }

    private static JdbcHistoryStore postgresql(StoreOptions o, Map<String, String> env) {
        String url = o.dbUrl();
        checkUrl(url);
        String password = password(o.passwordFile(), env);
        Properties props = new Properties();
        if (password != null) props.setProperty("password", password);
        props.setProperty("connectTimeout", "10");
        props.setProperty("ApplicationName", "vyt web");
        int query = url.indexOf('?');
        String where = "PostgreSQL " + (query < 0 ? url : url.substring(0, query));
        Opener opener = () -> {
            Connection c = DriverManager.getConnection(url, props);
            Dialect.POSTGRESQL.configure(c);
            return c;
        };
        return new JdbcHistoryStore(Dialect.POSTGRESQL, where, opener, o.retention(), password, null);
    }

    /** Refuses a URL that is not PostgreSQL's or that carries a password. The URL is never echoed. */
    static void checkUrl(String url) {
        if (!url.startsWith("jdbc:postgresql:")) {
            throw new HistoryException(HistoryException.Fault.CONFIG, "The --db URL must be a PostgreSQL one, "
                    + "jdbc:postgresql://HOST:PORT/DATABASE?user=NAME; without --db the history is an SQLite file "
                    + "under --data.", null);
        }
        int query = url.indexOf('?');
        String head = query < 0 ? url : url.substring(0, query);
        boolean carries = head.indexOf('@') >= 0;
        if (query >= 0) {
            for (String param : url.substring(query + 1).split("&")) {
                String name = param.split("=", 2)[0].trim().toLowerCase(Locale.ROOT);
                if (name.equals("password")) carries = true;
            }
        }
        if (carries) {
            throw new HistoryException(HistoryException.Fault.CONFIG, "The --db URL carries a password or user "
                    + "credentials; remove them from the URL, name the user with ?user=NAME, and give the password "
                    + "in a file with --db-password-file FILE or in the environment variable "
                    + StoreOptions.PASSWORD_ENV + ".", null);
        }
    }

    private static String password(Path file, Map<String, String> env) {
        if (file == null) {
            String p = env.get(StoreOptions.PASSWORD_ENV);
            return p == null || p.isEmpty() ? null : p;
        }
        String text;
        try {
            text = Files.readString(file, StandardCharsets.UTF_8);
        } catch (IOException e) {
            throw new HistoryException(HistoryException.Fault.CONFIG, "Cannot read the database password file "
                    + file + " (" + e.getClass().getSimpleName() + "); give --db-password-file a file this user "
                    + "can read.", null);
        }
        int end = text.indexOf('\n');
        String p = (end < 0 ? text : text.substring(0, end)).replace("\r", "");
        if (p.isEmpty()) {
            throw new HistoryException(HistoryException.Fault.CONFIG, "The database password file " + file
                    + " is empty; put the password on its first line.", null);
        }
        return p;
    }

    // ---- connections ---------------------------------------------------------------------------

    /** A pooled connection, or a fresh one when {@code fresh} or none is pooled. */
    private Connection borrow(boolean fresh) throws SQLException {
        while (!fresh) {
            Idle i;
            synchronized (idle) {
                i = idle.pollFirst();
            }
            if (i == null) break;
            if (System.currentTimeMillis() - i.since() < CHECK_IDLE_AFTER_MS || i.connection().isValid(5)) {
                return i.connection();
            }
            closeQuietly(i.connection());
        }
        return opener.open();
    }

    private void release(Connection c, boolean healthy) {
        if (healthy && !closed) {
            synchronized (idle) {
                if (idle.size() < MAX_IDLE) {
                    idle.addFirst(new Idle(c, System.currentTimeMillis()));
                    return;
                }
            }
        }
        closeQuietly(c);
    }

    /** After a fault no pooled connection is trusted: the next call opens a fresh one. */
    private void dropIdle() {
        List<Idle> old;
        synchronized (idle) {
            old = new ArrayList<>(idle);
            idle.clear();
        }
        for (Idle i : old) closeQuietly(i.connection());
    }

    private static void closeQuietly(Connection c) {
        try {
            c.close();
        } catch (SQLException ignored) {
            // the connection is being discarded
        }
    }

    private <T> T run(String action, boolean write, Work<T> work) {
        if (closed) throw new IllegalStateException("The history store is closed; open it again to " + action + ".");
        // A pooled connection may predate a fault that has since gone (a server restarted, a file made
        // writable again, an SQLite file opened read-only): such a failure is tried once more on a new one.
        for (boolean fresh = false;; fresh = true) {
            Connection c;
            try {
                c = borrow(fresh);
            } catch (SQLException e) {
                dropIdle();
                throw failure(action, e);
            }
            boolean healthy = false;
            try {
                c.setAutoCommit(!write);
                T result = work.run(c);
                if (write) c.commit();
                healthy = true;
                return result;
            } catch (SQLException e) {
                rollback(c, write);
                dropIdle();
                HistoryException.Fault fault = dialect.classify(e);
                if (fresh || (fault != HistoryException.Fault.UNREACHABLE && fault != HistoryException.Fault.READ_ONLY)) {
                    throw failure(action, e);
                }
            } catch (RuntimeException e) {
                rollback(c, write);
                throw e;
            } finally {
                release(c, healthy);
            }
        }
    }

    private static void rollback(Connection c, boolean write) {
        if (!write) return;
        try {
            c.rollback();
        } catch (SQLException ignored) {
            // the connection is discarded; the database drops the transaction with it
        }
    }

    private HistoryException failure(String action, SQLException e) {
        HistoryException.Fault fault = dialect.classify(e);
        String reason = switch (fault) {
            case UNREACHABLE -> "the database cannot be reached";
            case READ_ONLY -> "the database refuses writes";
            case FULL -> "the database is full";
            case CREDENTIALS -> "the server refused the user name or password";
            case SCHEMA -> "the database is damaged or not a history";
            case CONFIG -> "the database named does not exist";
            case OTHER -> "the database reported an error";
        };
        String detail = scrub(String.valueOf(e.getMessage()));
        boolean clean = password == null || !chainMentions(e, password);
        return new HistoryException(fault, "Cannot " + action + " (" + where + "): " + reason + " [" + detail
                + "]; " + fault.advice + ". Nothing already stored was lost.", clean ? e : null);
    }

    private String scrub(String text) {
        return password == null ? text : text.replace(password, "***");
    }

    private static boolean chainMentions(Throwable t, String secret) {
        for (; t != null; t = t.getCause()) {
            if (String.valueOf(t.getMessage()).contains(secret)) return true;
            if (t instanceof SQLException s && s.getNextException() != null
                    && String.valueOf(s.getNextException().getMessage()).contains(secret)) {
                return true;
            }
        }
        return false;
    }

    // ---- schema ----------------------------------------------------------------------------

    private int migrate() {
        return run("prepare the history tables", true, c -> {
            dialect.lockForMigration(c);
            int current = 0;
            if (dialect.tableExists(c, "schema_version")) {
                try (Statement s = c.createStatement();
                     ResultSet r = s.executeQuery("SELECT MAX(version) FROM schema_version")) {
                    r.next();
                    current = r.getInt(1);
                }
            } else {
                try (Statement s = c.createStatement()) {
                    s.execute("CREATE TABLE schema_version (version INTEGER NOT NULL PRIMARY KEY, "
                            + "applied_s BIGINT NOT NULL, description VARCHAR(200) NOT NULL)");
                }
            }
            int known = Schema.latest(dialect);
            if (current > known) {
                throw new HistoryException(HistoryException.Fault.SCHEMA, "The history in " + where
                        + " has schema version " + current + ", newer than this front end knows (" + known
                        + "): a newer front end wrote it. Run that version, or give another --data folder or --db "
                        + "database.", null);
            }
            for (Schema.Migration m : Schema.migrations(dialect)) {
                if (m.version() <= current) continue;
                try (Statement s = c.createStatement()) {
                    for (String sql : m.statements()) s.execute(sql);
                }
                try (PreparedStatement p = c.prepareStatement(
                        "INSERT INTO schema_version (version, applied_s, description) VALUES (?, ?, ?)")) {
                    p.setInt(1, m.version());
                    p.setLong(2, System.currentTimeMillis() / 1000);
                    p.setString(3, m.description());
                    p.executeUpdate();
                }
                current = m.version();
            }
            return current;
        });
    }

    @Override
    public int schemaVersion() {
        return version;
    }

    @Override
    public String describe() {
        return where;
    }

    // ---- writes ----------------------------------------------------------------------------

    private static final String UPSERT_SAMPLE;
    private static final String UPSERT_LATEST = "INSERT INTO latest_sample (collector, tran, path, start_s) "
            + "VALUES (?, ?, ?, ?) ON CONFLICT (collector, tran, path) DO UPDATE SET start_s = excluded.start_s "
            + "WHERE excluded.start_s > latest_sample.start_s";
    private static final String ROLL_UP;

    static {
        String[] cols = Schema.SAMPLE_COLUMNS.split(", ");
        StringBuilder set = new StringBuilder();
        for (int i = 4; i < cols.length; i++) {
            if (set.length() > 0) set.append(", ");
            set.append(cols[i]).append(" = excluded.").append(cols[i]);
        }
        UPSERT_SAMPLE = "INSERT INTO interval_sample (" + Schema.SAMPLE_COLUMNS + ") VALUES ("
                + "?, ".repeat(cols.length - 1) + "?) ON CONFLICT (collector, tran, path, start_s) DO UPDATE SET "
                + set + " WHERE interval_sample.seeded = 1 OR excluded.seeded = 0";  // a seed never replaces real data
        ROLL_UP = "INSERT INTO hourly_sample (" + Schema.SAMPLE_COLUMNS + ", intervals) SELECT collector, tran, path, "
                + "CAST(? AS BIGINT), 3600, " + aggregates(true) + ", COUNT(*) FROM interval_sample "
                + "WHERE collector = ? AND tran = ? AND path = ? AND start_s >= ? AND start_s < ? "
                + "GROUP BY collector, tran, path ON CONFLICT (collector, tran, path, start_s) DO UPDATE SET "
                + set + ", intervals = excluded.intervals";
    }

    /**
     * The aggregate columns over several rows: the count, count-weighted mean components, worst
     * states, highest thresholds (or none) and whether any row is seeded.
     */
    private static String aggregates(boolean thresholds) {
        StringBuilder b = new StringBuilder("CAST(SUM(tx_count) AS BIGINT)");
        for (String s : Components.STEMS) {
            b.append(", SUM(").append(s).append("_ms * tx_count) / CAST(NULLIF(SUM(CASE WHEN ").append(s)
                    .append("_ms IS NULL THEN 0 ELSE tx_count END), 0) AS DOUBLE PRECISION)");
        }
        for (String s : Components.STEMS) b.append(", MAX(").append(s).append("_state)");
        for (String s : Components.STEMS) {
            b.append(thresholds ? ", MAX(" + s + "_threshold_ms)" : ", CAST(NULL AS DOUBLE PRECISION)");
        }
        return b.append(", MAX(seeded)").toString();
    }

    private record HourKey(String collector, String tran, int path, long hour) {
    }

    @Override
    public void writeIntervals(List<IntervalSample> samples) {
        if (samples.isEmpty()) return;
        run("store " + samples.size() + " intervals", true, c -> {
            Set<HourKey> hours = new LinkedHashSet<>();
            try (PreparedStatement up = c.prepareStatement(UPSERT_SAMPLE);
                 PreparedStatement latest = c.prepareStatement(UPSERT_LATEST)) {
                for (IntervalSample s : samples) {
                    int i = 1;
                    up.setString(i++, s.collector());
                    up.setString(i++, s.tran());
                    up.setInt(i++, s.path());
                    up.setLong(i++, s.start());
                    up.setInt(i++, s.length());
                    up.setLong(i++, s.count());
                    i = setDoubles(up, i, s.times());
                    for (int k = 0; k < 5; k++) {
                        Integer v = s.states().get(k);
                        if (v == null) up.setNull(i++, Types.SMALLINT); else up.setInt(i++, v);
                    }
                    i = setDoubles(up, i, s.thresholds());
                    up.setInt(i, s.seeded() ? 1 : 0);
                    up.addBatch();
                    latest.setString(1, s.collector());
                    latest.setString(2, s.tran());
                    latest.setInt(3, s.path());
                    latest.setLong(4, s.start());
                    latest.addBatch();
                    hours.add(new HourKey(s.collector(), s.tran(), s.path(), Math.floorDiv(s.start(), 3600) * 3600));
                }
                up.executeBatch();
                latest.executeBatch();
            }
            try (PreparedStatement roll = c.prepareStatement(ROLL_UP)) {
                for (HourKey h : hours) {
                    roll.setLong(1, h.hour());
                    roll.setString(2, h.collector());
                    roll.setString(3, h.tran());
                    roll.setInt(4, h.path());
                    roll.setLong(5, h.hour());
                    roll.setLong(6, h.hour() + 3600);
                    roll.addBatch();
                }
                roll.executeBatch();
            }
            return null;
        });
    }

    private static int setDoubles(PreparedStatement p, int i, Components<Double> v) throws SQLException {
        for (int k = 0; k < 5; k++) {
            Double d = v.get(k);
            if (d == null) p.setNull(i++, Types.DOUBLE); else p.setDouble(i++, d);
        }
        return i;
    }

    @Override
    public void writeAlerts(List<AlertInterval> alerts) {
        if (alerts.isEmpty()) return;
        run("store " + alerts.size() + " alerts", true, c -> {
            try (PreparedStatement p = c.prepareStatement("INSERT INTO alert (collector, tran, path, kind, start_s, "
                    + "end_s, state, seeded) VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (collector, tran, path, kind, "
                    + "start_s) DO UPDATE SET end_s = COALESCE(excluded.end_s, alert.end_s), state = excluded.state, "
                    + "seeded = excluded.seeded")) {
                for (AlertInterval a : alerts) {
                    p.setString(1, a.collector());
                    p.setString(2, a.tran());
                    p.setInt(3, a.path());
                    p.setString(4, a.kind());
                    p.setLong(5, a.start());
                    if (a.end() == null) p.setNull(6, Types.BIGINT); else p.setLong(6, a.end());
                    p.setInt(7, a.state());
                    p.setInt(8, a.seeded() ? 1 : 0);
                    p.addBatch();
                }
                p.executeBatch();
            }
            return null;
        });
    }

    @Override
    public PruneResult prune(long now) {
        long intervalsBefore = now - retention.intervals().toSeconds();
        long hourlyBefore = now - retention.hourly().toSeconds();
        return run("prune the history", true, c -> {
            int intervals = delete(c, "DELETE FROM interval_sample WHERE start_s < ?", intervalsBefore);
            delete(c, "DELETE FROM latest_sample WHERE start_s < ?", intervalsBefore);
            int hours = delete(c, "DELETE FROM hourly_sample WHERE start_s < ?", hourlyBefore);
            int alerts = delete(c, "DELETE FROM alert WHERE end_s < ?", hourlyBefore);
            return new PruneResult(intervals, hours, alerts);
        });
    }

    private static int delete(Connection c, String sql, long before) throws SQLException {
        try (PreparedStatement p = c.prepareStatement(sql)) {
            p.setLong(1, before);
            return p.executeUpdate();
        }
    }

    // ---- reads -----------------------------------------------------------------------------

    private static final String POINT_COLUMNS = "start_s, length_s, tx_count, " + Schema.VALUE_COLUMNS;

    @Override
    public Series series(SeriesQuery q) {
        return read(q, 0);
    }

    @Override
    public Series shifted(SeriesQuery q, Duration earlier) {
        long shift = earlier.toSeconds();
        if (shift <= 0) throw new IllegalArgumentException("the shift " + earlier + " is not positive");
        return read(new SeriesQuery(q.collector(), q.tran(), q.path(), q.from() - shift, q.to() - shift), shift);
    }

    private Series read(SeriesQuery q, long shift) {
        boolean hourly = q.hourly();
        String table = hourly ? "hourly_sample" : "interval_sample";
        long from = hourly ? Math.floorDiv(q.from(), 3600) * 3600 : q.from();
        String sql = q.path() != null
                ? "SELECT " + POINT_COLUMNS + ", " + (hourly ? "intervals" : "1") + ", seeded FROM " + table
                        + " WHERE collector = ? AND tran = ? AND start_s >= ? AND start_s < ? AND path = ? ORDER BY start_s"
                : "SELECT start_s, MAX(length_s), " + aggregates(false) + ", " + (hourly ? "MAX(intervals)" : "1")
                        + " FROM " + table + " WHERE collector = ? AND tran = ? AND start_s >= ? AND start_s < ? "
                        // Intervals are kept no longer than the latest interval of their path: naming the paths
                        // lets SQLite seek each path's range in the key rather than scan the transaction.
                        + (hourly ? "" : "AND path IN (SELECT path FROM latest_sample WHERE collector = ? AND tran = ?) ")
                        + "GROUP BY start_s ORDER BY start_s";
        // The whole transaction's query yields its columns in the same order, with seeded before intervals.
        boolean seededLast = q.path() != null;
        return run("read the history of " + q.tran(), false, c -> {
            TreeMap<Long, Point> points = new TreeMap<>();
            try (PreparedStatement p = c.prepareStatement(sql)) {
                p.setString(1, q.collector());
                p.setString(2, q.tran());
                p.setLong(3, from);
                p.setLong(4, q.to());
                if (q.path() != null) {
                    p.setInt(5, q.path());
                } else if (!hourly) {
                    p.setString(5, q.collector());
                    p.setString(6, q.tran());
                }
                try (ResultSet r = p.executeQuery()) {
                    while (r.next()) {
                        Point pt = point(r, seededLast);
                        points.put(pt.start(), pt);
                    }
                }
            }
            int step = hourly ? 3600 : points.isEmpty() ? knownStep(c, q) : minLength(points);
            // Gaps are marked on a grid of at most MAX_SLOTS slots, however short the intervals.
            step = (int) Math.max(step, Math.min(Integer.MAX_VALUE, -Math.floorDiv(from - q.to(), MAX_SLOTS)));
            long anchor = hourly || points.isEmpty() ? 0 : Math.floorMod(points.firstKey(), step);
            long first = from + Math.floorMod(anchor - from, step);
            for (long t = first; t < q.to(); t += step) points.putIfAbsent(t, Point.gap(t, step));
            List<Point> list = new ArrayList<>(points.size());
            for (Point pt : points.values()) list.add(shift == 0 ? pt : pt.shiftedBy(shift));
            SeriesQuery asked = shift == 0 ? q
                    : new SeriesQuery(q.collector(), q.tran(), q.path(), q.from() + shift, q.to() + shift);
            return new Series(asked, step, hourly, shift, list);
        });
    }

    /** The most slots a series has for its gaps: a day of 1-minute intervals. */
    static final long MAX_SLOTS = 1440;

    private static int minLength(TreeMap<Long, Point> points) {
        int m = Integer.MAX_VALUE;
        for (Point p : points.values()) m = Math.min(m, p.length());
        return m;
    }

    /** The interval length of the transaction's newest intervals, for a range where nothing is stored. */
    private static int knownStep(Connection c, SeriesQuery q) throws SQLException {
        try (PreparedStatement p = c.prepareStatement("SELECT MIN(s.length_s) FROM latest_sample l CROSS JOIN "
                + "interval_sample s WHERE s.collector = l.collector AND s.tran = l.tran AND s.path = l.path "
                + "AND s.start_s = l.start_s AND l.collector = ? AND l.tran = ?")) {
            p.setString(1, q.collector());
            p.setString(2, q.tran());
            try (ResultSet r = p.executeQuery()) {
                int v = r.next() ? r.getInt(1) : 0;
                return v > 0 ? v : DEFAULT_STEP;
            }
        }
    }

    private static Point point(ResultSet r, boolean seededLast) throws SQLException {
        long start = r.getLong(1);
        int length = r.getInt(2);
        long count = r.getLong(3);
        Object[] times = new Object[5];
        Object[] states = new Object[5];
        Object[] thresholds = new Object[5];
        for (int k = 0; k < 5; k++) {
            double t = r.getDouble(4 + k);
            times[k] = r.wasNull() ? null : t;
            int s = r.getInt(9 + k);
            states[k] = r.wasNull() ? null : s;
            double h = r.getDouble(14 + k);
            thresholds[k] = r.wasNull() ? null : h;
        }
        int intervals = r.getInt(seededLast ? 19 : 20);
        boolean seeded = r.getInt(seededLast ? 20 : 19) != 0;
        return new Point(start, length, false, Components.of(times), count, Components.of(states),
                Components.of(thresholds), intervals, seeded);
    }

    @Override
    public List<AlertInterval> alerts(String collector, String tran, long from, long to) {
        StringBuilder sql = new StringBuilder("SELECT collector, tran, path, kind, start_s, end_s, state, seeded "
                + "FROM alert WHERE start_s < ? AND (end_s IS NULL OR end_s > ?)");
        if (collector != null) sql.append(" AND collector = ?");
        if (tran != null) sql.append(" AND tran = ?");
        sql.append(" ORDER BY start_s, collector, tran, path, kind");
        return run("read the alert history", false, c -> {
            List<AlertInterval> out = new ArrayList<>();
            try (PreparedStatement p = c.prepareStatement(sql.toString())) {
                int i = 1;
                p.setLong(i++, to);
                p.setLong(i++, from);
                if (collector != null) p.setString(i++, collector);
                if (tran != null) p.setString(i, tran);
                try (ResultSet r = p.executeQuery()) {
                    while (r.next()) {
                        long end = r.getLong(6);
                        Long endOrNull = r.wasNull() ? null : end;
                        out.add(new AlertInterval(r.getString(1), r.getString(2), r.getInt(3), r.getString(4),
                                r.getLong(5), endOrNull, r.getInt(7), r.getInt(8) != 0));
                    }
                }
            }
            return out;
        });
    }

    @Override
    public List<IntervalSample> latest(String collector) {
        String sql = "SELECT s.collector, s.tran, s.path, s.start_s, s.length_s, s.tx_count, "
                + String.join(", ", Schema.VALUE_COLUMNS.split(", ")).replaceAll("(\\w+)", "s.$1")
                // CROSS JOIN keeps the few latest rows as the outer loop in SQLite (otherwise it may scan
                // every interval of the collector); PostgreSQL plans it as the same inner join.
                + ", s.seeded FROM latest_sample l CROSS JOIN interval_sample s WHERE s.collector = l.collector "
                + "AND s.tran = l.tran AND s.path = l.path AND s.start_s = l.start_s AND l.collector = ? "
                + "ORDER BY l.tran, l.path";
        return run("read the latest intervals of " + collector, false, c -> {
            List<IntervalSample> out = new ArrayList<>();
            try (PreparedStatement p = c.prepareStatement(sql)) {
                p.setString(1, collector);
                try (ResultSet r = p.executeQuery()) {
                    while (r.next()) {
                        Object[] v = new Object[15];
                        for (int k = 0; k < 15; k++) {
                            double d = r.getDouble(7 + k);
                            v[k] = r.wasNull() ? null : k >= 5 && k < 10 ? (Object) (int) d : (Object) d;
                        }
                        out.add(new IntervalSample(r.getString(1), r.getString(2), r.getInt(3), r.getLong(4),
                                r.getInt(5), Components.of(slice(v, 0)), r.getLong(6), Components.of(slice(v, 5)),
                                Components.of(slice(v, 10)), r.getInt(22) != 0));
                    }
                }
            }
            return out;
        });
    }

    private static Object[] slice(Object[] v, int from) {
        Object[] out = new Object[5];
        System.arraycopy(v, from, out, 0, 5);
        return out;
    }

    @Override
    public long sizeBytes() {
        if (sqliteFile != null) {
            long size = 0;
            for (String suffix : new String[] {"", "-journal", "-wal"}) {
                try {
                    size += Files.size(Path.of(sqliteFile + suffix));
                } catch (IOException absent) {
                    // no such file: nothing to add
                }
            }
            return size;
        }
        return run("measure the history", false, c -> {
            try (Statement s = c.createStatement(); ResultSet r = s.executeQuery("SELECT "
                    + "pg_total_relation_size('interval_sample') + pg_total_relation_size('hourly_sample') + "
                    + "pg_total_relation_size('latest_sample') + pg_total_relation_size('alert') + "
                    + "pg_total_relation_size('schema_version')")) {
                r.next();
                return r.getLong(1);
            }
        });
    }

    @Override
    public void close() {
        closed = true;
        dropIdle();
    }
}
