import java.io.File;
import java.io.FileInputStream;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.nio.charset.StandardCharsets;
import java.security.MessageDigest;
import java.security.NoSuchAlgorithmException;
import java.util.ArrayList;
import java.util.List;
import java.util.Locale;

/**
 * Loads the native library once per class loader for the binding classes.
 *
 * <p>Places tried, in this order:
 * <ol>
 *   <li>the file named by the system property {@code vytjni.library} (a relative path is resolved
 *       against the working directory). When it is set but cannot be loaded, loading fails with
 *       that reason; only a library already loaded by another class loader moves on;</li>
 *   <li>{@code VYTjni} on {@code java.library.path};</li>
 *   <li>the library of this OS and architecture inside the jar
 *       ({@code META-INF/native/<os>-<arch>/}), copied to a file of its own for this class loader
 *       in {@code vytjni.tmpdir} (default {@code java.io.tmpdir}), checked against the SHA-256 the
 *       jar stores beside it, and loaded. The copy is deleted once loaded where the OS allows it
 *       (Linux), otherwise at exit or by the next JVM that extracts (Windows).</li>
 * </ol>
 * When every place fails, the {@link UnsatisfiedLinkError} names the OS and architecture, every
 * place tried with the reason it failed, and the properties that fix it.
 *
 * <p>The library that loads must be the build of these classes: a library of another version
 * (a stale {@code libVYTjni.so} on {@code java.library.path}, say) is refused with both versions
 * and its file. When the JVM denies native access to this code (JDK 24 and later with
 * {@code --illegal-native-access=deny}), the error names the {@code --enable-native-access} flag
 * to add.
 *
 * <p>The classes are compiled for Java 8.
 */
final class VYTjniLoader {
    /** The system property that names the library file. */
    static final String PATH_PROPERTY = "vytjni.library";
    /** The system property that names the folder the jar's library is copied to. */
    static final String TMPDIR_PROPERTY = "vytjni.tmpdir";

    /** The version of these classes, written in by the build; the library must report it too. */
    static final String VERSION = "@PROJECT_VERSION@";

    private static final String NAME = "VYTjni";
    private static final String[] PLATFORMS = {"linux-x86_64", "linux-aarch64", "windows-x86_64"};

    private static String source;

    private VYTjniLoader() {}

    /** Where this class loader's copy of the library came from, or null before it is loaded. */
    static synchronized String source() {
        return source;
    }

    static synchronized void load() {
        if (source != null) return;
        String platform = platform();
        String file = System.mapLibraryName(NAME);
        List<String> tried = new ArrayList<String>();

        String property = System.getProperty(PATH_PROPERTY);
        if (property == null || property.isEmpty()) {
            tried.add("system property " + PATH_PROPERTY + ": not set");
        } else {
            File f = new File(property);
            if (!f.isAbsolute()) f = new File(System.getProperty("user.dir"), property);
            String why = f.isFile() ? loadFile(f) : "no such file";
            if (why == null) {
                checkVersion(f.getPath(), "the system property " + PATH_PROPERTY + " names it",
                        "set -D" + PATH_PROPERTY + " to the library of version " + VERSION);
                source = f.getPath();
                return;
            }
            tried.add("system property " + PATH_PROPERTY + "=" + property + " (" + f.getPath() + "): " + why);
            if (!why.contains("another classloader")) throw failure(platform, tried, file);
        }

        boolean loaded = false;
        try {
            System.loadLibrary(NAME);
            loaded = true;
        } catch (UnsatisfiedLinkError e) {
            tried.add("java.library.path (" + System.getProperty("java.library.path") + "): " + e.getMessage());
        } catch (SecurityException e) {
            tried.add("java.library.path: " + e);
        } catch (RuntimeException e) {
            throw deniedOr(e);
        }
        if (loaded) {
            checkVersion(onLibraryPath(file), "it was found on java.library.path",
                    "remove or replace that file with the library of version " + VERSION + ", or set -D"
                    + PATH_PROPERTY + "=<path of the " + VERSION + " " + file + ">");
            source = "java.library.path";
            return;
        }

        String why = extract(platform, file);
        if (why == null) return;
        tried.add(why);
        throw failure(platform, tried, file);
    }

    /** Loads a file; null when it loaded, otherwise why not. */
    private static String loadFile(File f) {
        try {
            System.load(f.getAbsolutePath());
            return null;
        } catch (UnsatisfiedLinkError e) {
            String why = e.getMessage();
            if (why != null && why.contains("failed to map segment")) {
                why += " (is the folder on a file system mounted noexec?)";
            }
            return why;
        } catch (SecurityException e) {
            return e.toString();
        } catch (RuntimeException e) {
            throw deniedOr(e);
        }
    }

    /** The library just loaded reports its version; refuses it unless it is {@link #VERSION}. */
    private static native String nativeVersion();

    private static void checkVersion(String path, String origin, String fix) {
        String found;
        try {
            found = nativeVersion();
        } catch (UnsatisfiedLinkError e) {
            found = null;  // a build from before libraries reported their version
        }
        if (VERSION.equals(found)) return;
        throw new UnsatisfiedLinkError("The " + NAME + " native library " + path + " is "
                + (found == null ? "of a version without nativeVersion (older than " + VERSION + ")" : "version " + found)
                + ", but the classes" + classesLocation() + " are version " + VERSION + "; " + origin
                + ". To fix it, " + fix + ".");
    }

    /** The file System.loadLibrary found: the first of java.library.path's folders that has it. */
    private static String onLibraryPath(String file) {
        String path = System.getProperty("java.library.path", "");
        for (String dir : path.split(File.pathSeparator)) {
            File f = new File(dir.isEmpty() ? "." : dir, file);
            if (f.isFile()) return f.getAbsolutePath();
        }
        return file + " on java.library.path (" + path + ")";
    }

    private static String classesLocation() {
        try {
            java.security.CodeSource cs = VYTjniLoader.class.getProtectionDomain().getCodeSource();
            return cs == null || cs.getLocation() == null ? "" : " (" + cs.getLocation() + ")";
        } catch (SecurityException e) {
            return "";
        }
    }

    /**
     * JDK 24 and later throw IllegalCallerException from System.load and loadLibrary when native
     * access is denied to the caller (--illegal-native-access=deny): that becomes an error naming
     * the flag to add, thrown here. Any other exception is returned for the caller to throw.
     */
    private static RuntimeException deniedOr(RuntimeException e) {
        if (!e.getClass().getName().equals("java.lang.IllegalCallerException")) return e;
        String module = moduleName();
        String text = "Cannot load the " + NAME + " native library: the JVM denies native access to "
                + (module.equals("ALL-UNNAMED") ? "the class path's code" : "the module " + module)
                + " (" + e.getMessage() + "). To fix it, add --enable-native-access=" + module
                + " to the java command line";
        if (module.equals("ALL-UNNAMED")) {
            text += " (for a jar run with java -jar, the manifest attribute Enable-Native-Access: ALL-UNNAMED does the same)";
        }
        UnsatisfiedLinkError denied = new UnsatisfiedLinkError(text + ".");
        denied.initCause(e);
        throw denied;
    }

    /** The name --enable-native-access takes for these classes: their module's, or ALL-UNNAMED. */
    private static String moduleName() {
        try {
            Object module = Class.class.getMethod("getModule").invoke(VYTjniLoader.class);
            Object name = module.getClass().getMethod("getName").invoke(module);
            return name == null ? "ALL-UNNAMED" : name.toString();
        } catch (ReflectiveOperationException e) {
            return "ALL-UNNAMED";  // Java 8 has no modules; it has no native access checks either
        }
    }

    /** Copies the jar's library of this platform to its own file and loads it; null when done. */
    private static String extract(String platform, String file) {
        String resource = "META-INF/native/" + platform + "/" + file;
        String place = "the jar's " + resource;
        String dirName = System.getProperty(TMPDIR_PROPERTY);
        String dirOrigin = TMPDIR_PROPERTY;
        if (dirName == null || dirName.isEmpty()) {
            dirName = System.getProperty("java.io.tmpdir");
            dirOrigin = "java.io.tmpdir";
        }
        ClassLoader loader = VYTjniLoader.class.getClassLoader();
        InputStream in = loader == null ? ClassLoader.getSystemResourceAsStream(resource)
                                        : loader.getResourceAsStream(resource);
        if (in == null) {
            return place + ": not in the jar; the jar holds natives for " + held(loader);
        }
        place += " copied to " + dirOrigin + " (" + dirName + ")";
        File lib = null;
        try {
            String expected = readHash(loader, resource + ".sha256");
            if (expected == null) return place + ": the jar stores no hash for it";
            File dir = new File(dirName).getAbsoluteFile();
            if (!dir.isDirectory()) return place + ": no such folder";
            boolean windows = platform.startsWith("windows");
            if (windows) removeStaleCopies(dir, file);
            try {
                lib = File.createTempFile(NAME + "-", "-" + file, dir);
            } catch (IOException e) {
                return place + ": cannot create a file there (" + e.getMessage() + ")";
            }
            File lock = windows ? new File(lib.getPath() + ".lck") : null;
            if (lock != null) {
                lock.createNewFile();
                lock.deleteOnExit();
            }
            lib.deleteOnExit();
            OutputStream out = new FileOutputStream(lib);
            try {
                copy(in, out);
            } finally {
                out.close();
            }
            String actual = sha256(lib);
            if (!actual.equals(expected)) {
                return place + " as " + lib.getPath() + ": the copy's SHA-256 " + actual
                        + " differs from the jar's " + expected;
            }
            lib.setWritable(false, false);
            lib.setExecutable(true, true);
            String why = loadFile(lib);
            if (why != null) return place + " as " + lib.getPath() + ": " + why;
            checkVersion(lib.getPath(), "it is the jar's " + resource,
                    "pack the jar again from one build of the classes and the library");
            source = lib.getPath();
            return null;
        } catch (IOException e) {
            return place + (lib != null ? " as " + lib.getPath() : "") + ": " + e;
        } catch (SecurityException e) {
            return place + ": " + e;
        } finally {
            try {
                in.close();
            } catch (IOException ignored) {
                // nothing was written through it
            }
            // Linux keeps a loaded library mapped after its file is gone; Windows refuses, and
            // the file then goes at exit or with a later JVM's removeStaleCopies.
            if (lib != null && !platform.startsWith("windows")) lib.delete();
        }
    }

    /** Removes copies left by JVMs that ended without deleting them (a loaded DLL cannot be). */
    private static void removeStaleCopies(File dir, String file) {
        File[] old = dir.listFiles();
        if (old == null) return;
        for (File f : old) {
            String n = f.getName();
            // A copy without its lock file, and not one that another JVM is making right now.
            if (n.startsWith(NAME + "-") && n.endsWith("-" + file) && !new File(f.getPath() + ".lck").exists()
                    && System.currentTimeMillis() - f.lastModified() > 60000) {
                f.delete();  // fails while another JVM has it loaded; it is kept then
            }
        }
    }

    private static String held(ClassLoader loader) {
        StringBuilder sb = new StringBuilder();
        for (String p : PLATFORMS) {
            String r = "META-INF/native/" + p + "/" + (p.startsWith("windows") ? NAME + ".dll" : "lib" + NAME + ".so");
            boolean there = loader == null ? ClassLoader.getSystemResource(r) != null : loader.getResource(r) != null;
            if (there) sb.append(sb.length() == 0 ? "" : ", ").append(p);
        }
        return sb.length() == 0 ? "no platform" : sb.toString();
    }

    private static UnsatisfiedLinkError failure(String platform, List<String> tried, String file) {
        StringBuilder sb = new StringBuilder();
        sb.append("Cannot load the ").append(NAME).append(" native library for ").append(platform)
          .append(" (os.name ").append(System.getProperty("os.name"))
          .append(", os.arch ").append(System.getProperty("os.arch")).append(").");
        if (platform.startsWith("linux") && isMusl()) {
            sb.append(" This Linux uses musl; the jar's Linux libraries need glibc.");
        }
        sb.append(" Tried, in this order:");
        for (int i = 0; i < tried.size(); ++i) sb.append("\n  ").append(i + 1).append(". ").append(tried.get(i));
        String last = tried.get(tried.size() - 1);
        if (last.contains(": not in the jar;")) {
            sb.append("\nTo fix it, build the library for ").append(platform).append(" and set -D")
              .append(PATH_PROPERTY).append("=<path of ").append(file).append(">.");
        } else {
            sb.append("\nTo fix it, set -D").append(PATH_PROPERTY).append("=<path of ").append(file)
              .append(">, or -D").append(TMPDIR_PROPERTY)
              .append("=<a writable folder on a file system that allows executing files>.");
        }
        return new UnsatisfiedLinkError(sb.toString());
    }

    /** The jar's folder name for this OS and architecture: linux-x86_64, windows-x86_64, ... */
    static String platform() {
        String os = System.getProperty("os.name", "").toLowerCase(Locale.ROOT);
        String arch = System.getProperty("os.arch", "").toLowerCase(Locale.ROOT);
        if (os.startsWith("windows")) os = "windows";
        else if (os.startsWith("linux")) os = "linux";
        else if (os.startsWith("mac") || os.startsWith("darwin")) os = "macos";
        else os = os.replaceAll("[^a-z0-9]+", "");
        if (arch.equals("amd64") || arch.equals("x86_64") || arch.equals("x64")) arch = "x86_64";
        else if (arch.equals("aarch64") || arch.equals("arm64")) arch = "aarch64";
        return os + "-" + arch;
    }

    private static boolean isMusl() {
        File[] lib = new File("/lib").listFiles();
        if (lib == null) return false;
        for (File f : lib) if (f.getName().startsWith("ld-musl-")) return true;
        return false;
    }

    private static String readHash(ClassLoader loader, String resource) throws IOException {
        InputStream in = loader == null ? ClassLoader.getSystemResourceAsStream(resource)
                                        : loader.getResourceAsStream(resource);
        if (in == null) return null;
        try {
            java.io.ByteArrayOutputStream b = new java.io.ByteArrayOutputStream();
            copy(in, b);
            String text = new String(b.toByteArray(), StandardCharsets.US_ASCII).trim();
            int space = text.indexOf(' ');
            return (space < 0 ? text : text.substring(0, space)).toLowerCase(Locale.ROOT);
        } finally {
            in.close();
        }
    }

    private static String sha256(File f) throws IOException {
        MessageDigest md;
        try {
            md = MessageDigest.getInstance("SHA-256");
        } catch (NoSuchAlgorithmException e) {
            throw new IOException(e);
        }
        InputStream in = new FileInputStream(f);
        try {
            byte[] buf = new byte[65536];
            for (int n; (n = in.read(buf)) > 0; ) md.update(buf, 0, n);
        } finally {
            in.close();
        }
        StringBuilder sb = new StringBuilder();
        for (byte b : md.digest()) sb.append(String.format("%02x", b & 0xff));
        return sb.toString();
    }

    private static void copy(InputStream in, OutputStream out) throws IOException {
        byte[] buf = new byte[65536];
        for (int n; (n = in.read(buf)) > 0; ) out.write(buf, 0, n);
    }
}
