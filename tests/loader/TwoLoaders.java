import java.io.File;
import java.lang.reflect.Method;
import java.net.URL;
import java.net.URLClassLoader;

/**
 * Two class loaders over vytjni.jar in one JVM, as a servlet container has them after a
 * redeploy: each loads the library and decodes a reply. Prints where each loader's library came
 * from. Usage: java -cp . TwoLoaders vytjni.jar
 */
public class TwoLoaders {
    public static void main(String[] args) throws Exception {
        URL jar = new File(args[0]).toURI().toURL();
        for (int i = 1; i <= 2; ++i) {
            ClassLoader loader = new URLClassLoader(new URL[] {jar}, null);  // nothing from the class path
            Method mapData = Class.forName("VYTreport", true, loader)
                    .getMethod("mapData", byte[].class, Object.class, int.class);
            Object status = mapData.invoke(null, Sample.reply(), new Sample(), 1);
            Method source = Class.forName("VYTjniLoader", true, loader).getDeclaredMethod("source");
            source.setAccessible(true);
            System.out.println("loader " + i + ": status " + status + " from " + source.invoke(null));
        }
    }
}
