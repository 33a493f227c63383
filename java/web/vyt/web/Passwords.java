package vyt.web;

import java.io.BufferedReader;
import java.io.Console;
import java.io.IOException;
import java.io.InputStreamReader;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardCopyOption;
import java.nio.file.attribute.PosixFilePermissions;
import java.security.GeneralSecurityException;
import java.security.MessageDigest;
import java.security.SecureRandom;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Base64;
import java.util.List;
import java.util.logging.Logger;
import javax.crypto.SecretKeyFactory;
import javax.crypto.spec.PBEKeySpec;
import org.eclipse.jetty.security.UserStore;
import org.eclipse.jetty.util.security.Credential;

/**
 * The users file of {@code vyt web --users}: lines {@code name: credential[,role...]}, where the
 * credential is a hash written by {@code ./vyt passwd FILE USER}
 * ({@code PBKDF2-SHA256:ITERATIONS:SALT:HASH}, salt and hash in Base64), one of Jetty's forms
 * ({@code MD5:...}, {@code CRYPT:...}), or, from older files, the password itself.
 *
 * <p>{@code java -cp vytweb.jar vyt.web.Passwords FILE USER} sets a user's password: asked twice
 * on a terminal, else read as one line from standard input.
 */
public final class Passwords {
    static final String SCHEME = "PBKDF2-SHA256";
    static final int ITERATIONS = 210_000;
    private static final Logger LOG = Logger.getLogger("vyt.web");
    private static final SecureRandom RANDOM = new SecureRandom();

    private Passwords() {}

    /** A line's credential for {@code password}: {@code PBKDF2-SHA256:ITERATIONS:SALT:HASH}. */
    static String hash(char[] password, int iterations) {
        byte[] salt = new byte[16];
        RANDOM.nextBytes(salt);
        Base64.Encoder b64 = Base64.getEncoder().withoutPadding();
        return SCHEME + ":" + iterations + ":" + b64.encodeToString(salt) + ":"
                + b64.encodeToString(derive(password, salt, iterations));
    }

    static byte[] derive(char[] password, byte[] salt, int iterations) {
        PBEKeySpec keySpec = new PBEKeySpec(password, salt, iterations, 256);
        try {
            return SecretKeyFactory.getInstance("PBKDF2WithHmacSHA256").generateSecret(keySpec).getEncoded();
        } catch (GeneralSecurityException e) {
            throw new IllegalStateException("PBKDF2WithHmacSHA256 is missing from this JVM", e);
        } finally {
            keySpec.clearPassword();
        }
    }

    /**
     * A PBKDF2 hash as a Jetty credential. Basic sends the password with every request, so once
     * a password has been checked its SHA-256 is kept and compared instead of deriving again.
     */
    static final class Pbkdf2 extends Credential {
        private static final long serialVersionUID = 1L;
        private final int iterations;
        private final byte[] salt;
        private final byte[] hash;
        private volatile byte[] checked;

        Pbkdf2(String text) {
            String[] f = text.split(":");
            if (f.length != 4 || !f[0].equals(SCHEME) || !f[1].matches("[0-9]{1,9}"))
                throw new IllegalArgumentException(SCHEME + ":ITERATIONS:SALT:HASH expected");
            iterations = Integer.parseInt(f[1]);
            salt = Base64.getDecoder().decode(f[2]);
            hash = Base64.getDecoder().decode(f[3]);
            if (iterations < 1 || salt.length < 8 || hash.length != 32)
                throw new IllegalArgumentException("iteration count, salt or hash out of range");
        }

        @Override
        public boolean check(Object credentials) {
            char[] pw = credentials instanceof char[] ? (char[]) credentials
                    : credentials instanceof String ? ((String) credentials).toCharArray() : null;
            if (pw == null) return false;
            byte[] quick = sha256(pw);
            byte[] known = checked;
            if (known != null && MessageDigest.isEqual(known, quick)) return true;
            boolean ok = MessageDigest.isEqual(hash, derive(pw, salt, iterations));
            if (ok) checked = quick;
            return ok;
        }

        private static byte[] sha256(char[] pw) {
            try {
                return MessageDigest.getInstance("SHA-256").digest(new String(pw).getBytes(StandardCharsets.UTF_8));
            } catch (GeneralSecurityException e) {
                throw new IllegalStateException(e);
            }
        }
    }

    /** A users file that cannot be used; the message names the line, never its password. */
    static final class BadFile extends Exception {
        private static final long serialVersionUID = 1L;

        BadFile(String message) {
            super(message);
        }
    }

    /**
     * Reads a users file. Each user whose password is plain text gets a warning naming the
     * command that replaces it with a hash.
     */
    static UserStore load(Path file) throws BadFile {
        List<String> lines;
        try {
            lines = Files.readAllLines(file, StandardCharsets.UTF_8);
        } catch (IOException e) {
            throw new BadFile("cannot read " + file + " (" + e.getMessage() + ")");
        }
        UserStore store = new UserStore();
        List<String> plain = new ArrayList<>();
        int n = 0;
        for (int i = 0; i < lines.size(); i++) {
            String l = lines.get(i).strip();
            if (l.isEmpty() || l.startsWith("#")) continue;
            int colon = l.indexOf(':');
            String[] cred = colon < 0 ? new String[0] : l.substring(colon + 1).strip().split("\\s*,\\s*");
            if (colon < 1 || cred.length == 0 || cred[0].isEmpty())
                throw new BadFile(file + " line " + (i + 1) + ": expected 'name: password' or 'name: "
                        + SCHEME + ":...' (the line is not shown: it may hold a password)");
            String name = l.substring(0, colon).strip();
            Credential c;
            if (cred[0].startsWith(SCHEME + ":")) {
                try {
                    c = new Pbkdf2(cred[0]);
                } catch (IllegalArgumentException e) {
                    throw new BadFile(file + " line " + (i + 1) + " (" + name + "): " + e.getMessage());
                }
            } else {
                if (!cred[0].startsWith("MD5:") && !cred[0].startsWith("CRYPT:")) plain.add(name);
                c = Credential.getCredential(cred[0]);
            }
            store.addUser(name, c, Arrays.copyOfRange(cred, 1, cred.length));
            n++;
        }
        if (n == 0) throw new BadFile(file + ": no users in the file");
        for (String name : plain)
            LOG.warning("users file " + file + ": the password of " + name + " is plain text; replace it with a"
                    + " hash: ./vyt passwd " + file + " " + name);
        return store;
    }

    /**
     * Sets the password of {@code user} in {@code file}, keeping the user's roles and every other
     * line; the file is replaced in one step and readable by its owner only.
     */
    static void set(Path file, String user, char[] password, int iterations) throws IOException {
        List<String> lines = Files.exists(file) ? Files.readAllLines(file, StandardCharsets.UTF_8) : new ArrayList<>();
        String credential = hash(password, iterations);
        boolean found = false;
        for (int i = 0; i < lines.size(); i++) {
            String l = lines.get(i).strip();
            int colon = l.indexOf(':');
            if (l.startsWith("#") || colon < 1 || !l.substring(0, colon).strip().equals(user)) continue;
            String[] cred = l.substring(colon + 1).strip().split("\\s*,\\s*", 2);
            lines.set(i, user + ": " + credential + (cred.length > 1 ? "," + cred[1] : ""));
            found = true;
        }
        if (!found) lines.add(user + ": " + credential);
        Path abs = file.toAbsolutePath();
        Path tmp = Files.createTempFile(abs.getParent(), ".vyt-users", ".tmp");
        try {
            try {
                Files.setPosixFilePermissions(tmp, PosixFilePermissions.fromString("rw-------"));
            } catch (UnsupportedOperationException e) {
                // not a POSIX file system
            }
            Files.write(tmp, lines, StandardCharsets.UTF_8);
            Files.move(tmp, abs, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.ATOMIC_MOVE);
        } finally {
            Files.deleteIfExists(tmp);
        }
    }

    /** {@code FILE USER}: sets the user's password, asked on the terminal or read from standard input. */
    public static void main(String[] args) throws IOException {
        if (args.length != 2 || args[1].isBlank() || args[1].contains(":") || args[1].contains("#")) {
            System.err.println("usage: vyt passwd FILE USER   (USER without ':' or '#'; the password is asked for,"
                    + " or read as one line from standard input)");
            System.exit(2);
        }
        char[] pw;
        Console console = System.console();
        if (console != null) {
            pw = console.readPassword("Password for %s: ", args[1]);
            char[] again = console.readPassword("Again: ");
            if (pw == null || again == null || !Arrays.equals(pw, again)) {
                System.err.println("vyt passwd: the two passwords differ; nothing was changed");
                System.exit(1);
            }
        } else {
            String line = new BufferedReader(new InputStreamReader(System.in, StandardCharsets.UTF_8)).readLine();
            pw = line == null ? new char[0] : line.toCharArray();
        }
        if (pw.length == 0) {
            System.err.println("vyt passwd: an empty password; nothing was changed");
            System.exit(1);
        }
        set(Path.of(args[0]), args[1], pw, ITERATIONS);
        Arrays.fill(pw, '\0');
        System.err.println("vyt passwd: the password of " + args[1] + " in " + args[0] + " is set");
    }
}
