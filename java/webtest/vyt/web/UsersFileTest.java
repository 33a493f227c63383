package vyt.web;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayInputStream;
import java.io.InputStream;
import java.net.http.HttpResponse;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.logging.Handler;
import java.util.logging.LogRecord;
import java.util.logging.Logger;
import org.eclipse.jetty.security.UserStore;
import org.eclipse.jetty.server.UserIdentity;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** The users file: hashes written by the passwd command, older plain-text lines, and errors that show no password. */
class UsersFileTest {
    static {
        WebTestSupport.quiet();
    }

    static boolean accepts(UserStore s, String user, String password) {
        UserIdentity u = s.getUserIdentity(user);
        return u != null && u.getSubject().getPrivateCredentials().stream()
                .anyMatch(c -> c instanceof org.eclipse.jetty.util.security.Credential
                        && ((org.eclipse.jetty.util.security.Credential) c).check(password));
    }

    @Test
    void passwdWritesHashesThatKeepRolesAndOtherLines(@TempDir Path dir) throws Exception {
        Path f = Files.writeString(dir.resolve("users"), "# operators\nalice: s3cret,ops\nbob: MD5:"
                + "5ebe2294ecd0e0f08eab7690d2a6ee69\n");
        Passwords.set(f, "alice", "new pw".toCharArray(), 1000);
        Passwords.set(f, "carol", "c-pw".toCharArray(), 1000);
        InputStream stdin = System.in;
        try {  // the command itself, reading the password from standard input (not a terminal here)
            System.setIn(new ByteArrayInputStream("d-pw\n".getBytes(StandardCharsets.UTF_8)));
            Passwords.main(new String[] {f.toString(), "dave"});
        } finally {
            System.setIn(stdin);
        }
        String text = Files.readString(f);
        assertTrue(text.startsWith("# operators\nalice: PBKDF2-SHA256:1000:"), text);
        assertTrue(text.contains(",ops\nbob: MD5:"), "roles and other users kept: " + text);
        assertTrue(text.contains("\ndave: PBKDF2-SHA256:" + Passwords.ITERATIONS + ":"), text);
        for (String pw : new String[] {"s3cret", "new pw", "c-pw", "d-pw"}) assertFalse(text.contains(pw), pw);
        UserStore s = Passwords.load(f);
        String[][] cases = {{"alice", "new pw", "true"}, {"alice", "s3cret", "false"}, {"alice", "new pw ", "false"},
            {"bob", "secret", "true"}, {"carol", "c-pw", "true"}, {"carol", "new pw", "false"},
            {"dave", "d-pw", "true"}, {"dave", "d-pw", "true"}, {"dave", "", "false"}};
        for (String[] c : cases)
            assertEquals(Boolean.parseBoolean(c[2]), accepts(s, c[0], c[1]), c[0] + " with " + c[1]);
        assertArrayEquals(new String[] {"ops"}, s.getUserIdentity("alice").getSubject().getPrincipals().stream()
                .map(java.security.Principal::getName).filter(n -> !n.equals("alice")).toArray(String[]::new));
    }

    @Test
    void badLinesNameTheLineAndNeverThePassword(@TempDir Path dir) throws Exception {
        String[][] cases = {{"alice s3cret\n", "line 1: expected 'name: password'"},
            {"# c\nalice:\n", "line 2: expected"}, {"alice: PBKDF2-SHA256:x:s3cret:s3cret\n", "line 1 (alice)"},
            {"alice: PBKDF2-SHA256:1000:c2FsdHNhbHQ:czNjcmV0\n", "out of range"}, {"# nobody\n", "no users"}};
        for (String[] c : cases) {
            Path f = Files.writeString(dir.resolve("users"), c[0]);
            Passwords.BadFile e = assertThrows(Passwords.BadFile.class, () -> Passwords.load(f), c[0]);
            assertTrue(e.getMessage().contains(c[1]), e.getMessage());
            assertFalse(e.getMessage().contains("s3cret"), e.getMessage());
        }
    }

    @Test
    void plainTextLinesStillLogInWithAWarningNamingTheCommand(@TempDir Path dir) throws Exception {
        Path f = Files.writeString(dir.resolve("users"), "alice: s3cret\n");
        Passwords.set(f, "bob", "b-pw".toCharArray(), 1000);
        List<LogRecord> logged = new ArrayList<>();
        Handler h = new Handler() {
            @Override
            public void publish(LogRecord r) {
                logged.add(r);
            }

            @Override
            public void flush() {}

            @Override
            public void close() {}
        };
        Logger.getLogger("vyt.web").addHandler(h);
        WebServer w;
        try {
            w = WebTestSupport.start("--users", f.toString());
        } finally {
            Logger.getLogger("vyt.web").removeHandler(h);
        }
        try {
            List<String> warnings = logged.stream().map(LogRecord::getMessage).filter(m -> m.contains("plain text"))
                    .toList();
            assertEquals(List.of("users file " + f + ": the password of alice is plain text; replace it with a hash:"
                    + " ./vyt passwd " + f + " alice"), warnings);
            String[][] cases = {{"alice", "s3cret", "200"}, {"alice", "wrong", "401"}, {"bob", "b-pw", "200"},
                {"bob", "s3cret", "401"}};
            for (String[] c : cases) {
                String basic = java.util.Base64.getEncoder().encodeToString((c[0] + ":" + c[1])
                        .getBytes(StandardCharsets.UTF_8));
                HttpResponse<String> r = new WebTestSupport.Browser(w.url()).http.send(java.net.http.HttpRequest
                        .newBuilder(java.net.URI.create(w.url())).header("Authorization", "Basic " + basic).build(),
                        HttpResponse.BodyHandlers.ofString());
                assertEquals(Integer.parseInt(c[2]), r.statusCode(), c[0] + " " + c[1]);
            }
        } finally {
            w.stop();
        }
    }
}
