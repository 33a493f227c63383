/**
 * Loads the native library once for the binding classes.
 *
 * <p>With the system property {@code vytjni.library} set to the full path of the library file
 * ({@code libVYTjni.so}, {@code VYTjni.dll}) that file is loaded; otherwise the library is found
 * by name on {@code java.library.path}.
 */
final class VYTjniLoader {
    /** The system property that names the library file explicitly. */
    static final String PATH_PROPERTY = "vytjni.library";

    private static boolean loaded;

    private VYTjniLoader() {}

    static synchronized void load() {
        if (loaded) return;
        String path = System.getProperty(PATH_PROPERTY);
        if (path != null && !path.isEmpty()) {
            System.load(path);
        } else {
            System.loadLibrary("VYTjni");
        }
        loaded = true;
    }
}
