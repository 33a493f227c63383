package vyt.history;

import java.io.IOException;
import java.sql.Connection;
import java.sql.PreparedStatement;
import java.sql.ResultSet;
import java.sql.SQLException;
import java.sql.Statement;

/** What differs between the two databases behind the one JDBC code path. */
enum Dialect {
    SQLITE("SQLite") {
        @Override
        String tableOptions() {
            return " WITHOUT ROWID";  // the primary key is the table: half the size, and the rows clustered by key
        }

        @Override
        void configure(Connection c) throws SQLException {
            try (Statement s = c.createStatement()) {
                s.execute("PRAGMA busy_timeout = 10000");  // wait for another writer rather than fail
            }
        }

        @Override
        boolean tableExists(Connection c, String table) throws SQLException {
            return exists(c, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?", table);
        }

        @Override
        HistoryException.Fault classify(SQLException e) {
            // The driver reports SQLite's primary result code as the vendor code.
            return switch (e.getErrorCode() & 0xff) {
                case 8 -> HistoryException.Fault.READ_ONLY;      // SQLITE_READONLY
                case 3 -> HistoryException.Fault.READ_ONLY;      // SQLITE_PERM
                case 13 -> HistoryException.Fault.FULL;          // SQLITE_FULL
                case 10, 14 -> HistoryException.Fault.UNREACHABLE; // SQLITE_IOERR, SQLITE_CANTOPEN
                case 11, 26 -> HistoryException.Fault.SCHEMA;    // SQLITE_CORRUPT, SQLITE_NOTADB
                default -> HistoryException.Fault.OTHER;
            };
        }
    },
    POSTGRESQL("PostgreSQL") {
        @Override
        String tableOptions() {
            return "";
        }

        @Override
        void lockForMigration(Connection c) throws SQLException {
            // Replicas starting together migrate one at a time.
            try (Statement s = c.createStatement()) {
                s.execute("SELECT pg_advisory_xact_lock(7459021)");
            }
        }

        @Override
        boolean tableExists(Connection c, String table) throws SQLException {
            return exists(c, "SELECT 1 FROM information_schema.tables WHERE table_schema = current_schema() "
                    + "AND table_name = ?", table);
        }

        @Override
        HistoryException.Fault classify(SQLException e) {
            String state = e.getSQLState();
            if (state == null) {
                return e.getCause() instanceof IOException ? HistoryException.Fault.UNREACHABLE
                        : HistoryException.Fault.OTHER;
            }
            if (state.startsWith("08") || state.startsWith("57P") || state.equals("53300")) {
                return HistoryException.Fault.UNREACHABLE;  // connection faults, server shutting down, too many clients
            }
            if (state.startsWith("28")) return HistoryException.Fault.CREDENTIALS;
            if (state.equals("3D000")) return HistoryException.Fault.CONFIG;  // no such database
            if (state.equals("25006") || state.equals("42501")) return HistoryException.Fault.READ_ONLY;
            if (state.equals("53100")) return HistoryException.Fault.FULL;
            return HistoryException.Fault.OTHER;
        }
    };

    final String label;

    Dialect(String label) {
        this.label = label;
    }

    /** What follows a CREATE TABLE's closing parenthesis. */
    abstract String tableOptions();

    abstract boolean tableExists(Connection c, String table) throws SQLException;

    abstract HistoryException.Fault classify(SQLException e);

    /** Settings of a new connection. */
    void configure(Connection c) throws SQLException {
    }

    /** Serialises schema migrations between processes, inside the migration's transaction. */
    void lockForMigration(Connection c) throws SQLException {
    }

    private static boolean exists(Connection c, String sql, String table) throws SQLException {
        try (PreparedStatement p = c.prepareStatement(sql)) {
            p.setString(1, table);
            try (ResultSet r = p.executeQuery()) {
                return r.next();
            }
        }
    }
}
