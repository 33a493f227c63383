package vyt.history;

import java.nio.file.Path;

/**
 * Where the history lives: an SQLite file under {@code dataDir} (the default, {@code vyt-data} in
 * the working directory) or, when {@code dbUrl} is given, a PostgreSQL database
 * ({@code jdbc:postgresql://HOST:PORT/DB?user=NAME}) whose password is read from
 * {@code passwordFile} or else from the environment variable {@value #PASSWORD_ENV}.
 */
public record StoreOptions(Path dataDir, String dbUrl, Path passwordFile, Retention retention) {
    public static final String PASSWORD_ENV = "VYT_DB_PASSWORD";
    public static final Path DEFAULT_DATA_DIR = Path.of("vyt-data");

    public StoreOptions {
        if (dataDir == null) dataDir = DEFAULT_DATA_DIR;
        if (retention == null) retention = Retention.DEFAULT;
    }

    public static StoreOptions sqlite(Path dataDir) {
        return new StoreOptions(dataDir, null, null, null);
    }

    public static StoreOptions postgresql(String url, Path passwordFile) {
        return new StoreOptions(null, url, passwordFile, null);
    }

    public StoreOptions withRetention(Retention r) {
        return new StoreOptions(dataDir, dbUrl, passwordFile, r);
    }
}
