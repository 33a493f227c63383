package vyt.testsupport;

import java.io.IOException;
import java.net.ServerSocket;
import java.nio.file.Files;
import java.nio.file.Path;
import java.sql.Connection;
import java.sql.DriverManager;
import java.sql.SQLException;
import java.sql.Statement;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;
import java.util.Properties;
import java.util.concurrent.TimeUnit;
import java.util.stream.Stream;

/**
 * A throw-away PostgreSQL server of Debian's binaries in a temporary folder, on a free port, with
 * password authentication; run as the postgres user when run as root (initdb refuses root). The history tests and the web
 * benchmark use it.
 */
public final class PostgresServer {
    public static final Path BIN = Path.of("/usr/lib/postgresql/15/bin");
    public static final String PASSWORD = "pg-test-Secret-71";

    public final Path dir;
    public final Path passwordFile;
    public final int port;
    private int databases;

    public static boolean available() {
        return Files.isExecutable(BIN.resolve("initdb")) && Files.isExecutable(BIN.resolve("pg_ctl"));
    }

    public PostgresServer() throws Exception {
        dir = Files.createTempDirectory("vyt-pg");
        passwordFile = dir.resolve("password");
        Files.writeString(passwordFile, PASSWORD + "\n");
        if (root()) exec("chown", "-R", "postgres", dir.toString());
        try (ServerSocket s = new ServerSocket(0)) {
            port = s.getLocalPort();
        }
        asPostgres(BIN.resolve("initdb").toString(), "-D", dir.resolve("data").toString(), "-U", "postgres",
                "--auth=scram-sha-256", "--pwfile=" + passwordFile, "-E", "UTF8", "--no-sync");
        start();
    }

    public void start() throws Exception {
        asPostgres(BIN.resolve("pg_ctl").toString(), "-D", dir.resolve("data").toString(), "-l",
                dir.resolve("log").toString(), "-w", "-o",
                "-p " + port + " -k " + dir + " -c listen_addresses=127.0.0.1 -c fsync=off", "start");
    }

    public void stop() throws Exception {
        asPostgres(BIN.resolve("pg_ctl").toString(), "-D", dir.resolve("data").toString(), "-m", "fast", "-w", "stop");
    }

    /** A new empty database, and its URL. */
    public String newDatabase() throws SQLException {
        String name = "history" + (++databases);
        Properties p = new Properties();
        p.setProperty("password", PASSWORD);
        try (Connection c = DriverManager.getConnection(url("postgres"), p); Statement s = c.createStatement()) {
            s.execute("CREATE DATABASE " + name);
        }
        return url(name);
    }

    public String url(String database) {
        return "jdbc:postgresql://127.0.0.1:" + port + "/" + database + "?user=postgres";
    }

    public void close() throws Exception {
        try {
            stop();
        } finally {
            try (Stream<Path> all = Files.walk(dir)) {
                for (Path p : all.sorted(Comparator.reverseOrder()).toList()) Files.deleteIfExists(p);
            }
        }
    }

    private static boolean root() {
        return "root".equals(System.getProperty("user.name"));
    }

    private void asPostgres(String... command) throws Exception {
        List<String> cmd = new ArrayList<>();
        if (root()) cmd.addAll(List.of("runuser", "-u", "postgres", "--"));
        cmd.addAll(List.of(command));
        exec(cmd.toArray(String[]::new));
    }

    private void exec(String... command) throws IOException, InterruptedException {
        Path out = Files.createTempFile("vyt-pg", ".out");
        try {
            Process p = new ProcessBuilder(command).redirectErrorStream(true).redirectOutput(out.toFile()).start();
            if (!p.waitFor(120, TimeUnit.SECONDS)) {
                p.destroyForcibly();
                throw new IOException(String.join(" ", command) + " did not finish in 120 s");
            }
            if (p.exitValue() != 0) {
                throw new IOException(String.join(" ", command) + " failed (" + p.exitValue() + "): "
                        + Files.readString(out));
            }
        } finally {
            Files.deleteIfExists(out);
        }
    }
}
