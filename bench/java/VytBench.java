import java.io.IOException;
import java.io.RandomAccessFile;
import java.lang.management.ManagementFactory;
import java.lang.management.ThreadMXBean;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;
import java.nio.file.DirectoryStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;

/**
 * Decoding cost in a real JVM: mapData against the floor (bench/floor.cpp, the least JNI work the
 * callback contract allows) and against a pure-Java ByteBuffer decoder making the same calls on the
 * same target.  A benchmark, not a test: it prints medians of rotated rounds and their ratios.
 *
 * Replies are made from the valid reply of each report kind in the fuzz seed corpus: its entries
 * are repeated to the wanted count and the texts of each entry are given a suffix, distinct per
 * entry ("distinct") or one of 16 ("repeated").  The floor and the Java decoder read a flat record
 * of exactly the calls mapData made on that reply (same methods, same ints, same texts), placed
 * after a copy of the reply in one array: the floor copies that array once, as mapData copies the
 * reply, and the Java decoder reads it in place.
 *
 *   java -Dvyt.floor=libvyt_floor.so -Dvyt.corpus=tests/fuzz/corpus VytBench [--quick]
 *        [--types=1,4,8,11] [--no-sweep] [--no-trace]
 */
public final class VytBench {
    // CPU time of the benchmark thread: on a shared machine, time spent waiting for a core is not counted.
    private static final ThreadMXBean CPU = ManagementFactory.getThreadMXBean();
    private static boolean quick;
    private static int rounds;
    private static long entriesPerSample;

    public static void main(String[] args) throws Exception {
        quick = Arrays.asList(args).contains("--quick");
        rounds = quick ? 5 : 11;
        entriesPerSample = quick ? 20_000 : 50_000;
        System.load(Paths.get(System.getProperty("vyt.floor")).toAbsolutePath().toString());
        Path corpus = Paths.get(System.getProperty("vyt.corpus"));
        Map<Integer, byte[]> seeds = seeds(corpus);
        int[] main = {1, 4, 8, 11};
        boolean sweep = true, traced = true;
        for (String a : args) {
            if (a.startsWith("--types="))
                main = Arrays.stream(a.substring(8).split(",")).mapToInt(Integer::parseInt).toArray();
            sweep &= !a.equals("--no-sweep");
            traced &= !a.equals("--no-trace");
        }
        int[] sizes = quick ? new int[] {10, 1000} : new int[] {10, 1000, 100_000};
        String[] modes = {"distinct", "repeated"};

        System.out.printf(Locale.ROOT, "VytBench: %s, %d rotated rounds after a warm-up; medians of the thread's CPU ns per entry"
                + " (per reply where a reply has no entries)%n",
                quick ? "quick" : "full", rounds);
        System.out.println();
        System.out.println("Trace off");
        header();
        Map<String, Double> off = new LinkedHashMap<>();
        for (int type : main)
            for (String mode : modes)
                for (int n : sizes) {
                    Case c = Case.of(type, seeds.get(type), n, mode);
                    double[] r = measure(c, true);
                    off.put(type + "/" + n + "/" + mode, r[0]);
                    row(c, r);
                    c.close();
                }

        System.out.println();
        System.out.println("Every report kind, " + (quick ? 100 : 1000) + " entries (or the seed's own when its"
                + " entries cannot be repeated), trace off");
        header();
        for (int type = 1; type <= 32 && sweep; type++) {
            for (String mode : modes) {
                Case c = Case.of(type, seeds.get(type), quick ? 100 : 1000, mode);
                row(c, measure(c, true));
                c.close();
            }
        }

        if (!traced) return;
        // Tracing only ever switches on: every trace-on case runs after the trace-off ones.
        VYTservlet.buildVYTRequest(1, 0, 0, 0, "bench", "", 0, 0, true);
        System.out.println();
        System.out.println("Trace on (mapData only; the trace file is emptied after every sample)");
        System.out.printf(Locale.ROOT, "%-5s %7s %-9s %12s %12s %8s%n", "type", "entries", "texts", "off ns/e",
                "on ns/e", "on/off");
        for (int type : main)
            for (String mode : modes)
                for (int n : new int[] {10, 1000}) {
                    Case c = Case.of(type, seeds.get(type), n, mode);
                    double on = measure(c, false)[0];
                    Double o = off.get(type + "/" + n + "/" + mode);
                    System.out.printf(Locale.ROOT, "%-5d %7d %-9s %12.1f %12.1f %8.2f%n", type, c.entries, mode, o, on,
                            on / o);
                    c.close();
                }
    }

    private static void header() {
        System.out.printf(Locale.ROOT, "%-5s %7s %-9s %12s %12s %12s %10s %10s%n", "type", "entries", "texts",
                "mapData", "floor", "java", "map/floor", "java/floor");
    }

    private static void row(Case c, double[] r) {
        System.out.printf(Locale.ROOT, "%-5d %7d %-9s %12.1f %12.1f %12.1f %10.2f %10.2f%n", c.type, c.entries,
                c.mode, r[0], r[1], r[2], r[0] / r[1], r[2] / r[1]);
    }

    // ---- measuring -----------------------------------------------------------------

    /** Medians in ns per entry of mapData, the floor and the Java decoder (all three when traceOff). */
    private static double[] measure(Case c, boolean traceOff) throws IOException {
        int paths = traceOff ? 3 : 1;
        long perSample = traceOff ? entriesPerSample : entriesPerSample / 10;
        int reps = (int) Math.max(1, perSample / Math.max(1, c.entries));
        for (int p = 0; p < paths; p++) run(c, p, Math.max(1, reps / 2)); // warm-up
        double[][] samples = new double[paths][rounds];
        for (int r = 0; r < rounds; r++) {
            for (int k = 0; k < paths; k++) {
                int p = (r + k) % paths;
                long t0 = CPU.getCurrentThreadCpuTime();
                run(c, p, reps);
                samples[p][r] = (CPU.getCurrentThreadCpuTime() - t0) / (double) reps / Math.max(1, c.entries);
                if (!traceOff) emptyTrace();
            }
        }
        double[] med = new double[3];
        Arrays.fill(med, Double.NaN);
        for (int p = 0; p < paths; p++) {
            Arrays.sort(samples[p]);
            med[p] = samples[p][rounds / 2];
        }
        return med;
    }

    private static void run(Case c, int path, int reps) {
        for (int i = 0; i < reps; i++) {
            switch (path) {
                case 0:
                    if (VYTreport.mapData(c.reply, c.target, c.type) != 0) throw new IllegalStateException("mapData");
                    break;
                case 1:
                    if (BenchFloor.decode(c.floorPlan, c.flat, c.flatStart, c.target) != c.calls)
                        throw new IllegalStateException("floor");
                    break;
                default:
                    javaDecode(c);
                    break;
            }
        }
    }

    /** The pure-Java decoder: reads the flat record through a ByteBuffer and makes every call. */
    private static void javaDecode(Case c) {
        ByteBuffer b = ByteBuffer.wrap(c.flat).order(ByteOrder.LITTLE_ENDIAN);
        int at = c.flatStart;
        int end = c.flat.length;
        while (at < end) {
            int tag = b.getInt(at);
            at = c.callers[tag].call(c.target, b, at + 4);
        }
    }

    private static void emptyTrace() throws IOException {
        Path p = Paths.get("logs", "VYTjni.trc");
        if (!Files.exists(p)) return;
        try (RandomAccessFile f = new RandomAccessFile(p.toFile(), "rw")) {
            f.setLength(0);
        }
    }

    // ---- replies ----------------------------------------------------------------------

    /** The valid reply of each report kind in the seed corpus (a file's first byte is its type). */
    private static Map<Integer, byte[]> seeds(Path dir) throws IOException {
        Map<Integer, byte[]> m = new LinkedHashMap<>();
        try (DirectoryStream<Path> ds = Files.newDirectoryStream(dir, "reply-*.bin")) {
            for (Path p : ds) {
                byte[] all = Files.readAllBytes(p);
                m.put(all[0] & 0x3F, Arrays.copyOfRange(all, 1, all.length));
            }
        }
        return m;
    }

    static int i32(byte[] b, int off) {
        return (b[off] & 0xFF) | (b[off + 1] & 0xFF) << 8 | (b[off + 2] & 0xFF) << 16 | (b[off + 3] & 0xFF) << 24;
    }

    static void put32(byte[] b, int off, int v) {
        b[off] = (byte) v;
        b[off + 1] = (byte) (v >>> 8);
        b[off + 2] = (byte) (v >>> 16);
        b[off + 3] = (byte) (v >>> 24);
    }

    static List<Object[]> record(byte[] reply, int type) {
        BenchTarget t = new BenchTarget();
        t.recording = new ArrayList<>();
        VYTreport.mapData(reply, t, type);
        return t.recording;
    }

    static int entryCalls(byte[] reply, int type) {
        int n = 0;
        for (Object[] call : record(reply, type))
            if (((String) call[0]).startsWith("addEntry")) n++;
        return n;
    }

    /** One benchmark case: a reply, the flat record of its calls, and what the three paths need. */
    static final class Case {
        int type;
        int entries;
        String mode;
        byte[] reply;
        byte[] flat;      // the reply, then the flat record of its calls
        int flatStart;    // where the flat record starts
        int calls;
        long floorPlan;
        BenchCaller[] callers;
        final BenchTarget target = new BenchTarget();

        static Case of(int type, byte[] seed, int n, String mode) {
            Case c = new Case();
            c.type = type;
            c.mode = mode;
            c.reply = grow(seed, type, n, mode);
            List<Object[]> calls = record(c.reply, type);
            c.calls = calls.size();
            c.entries = 0;
            for (Object[] call : calls)
                if (((String) call[0]).startsWith("addEntry")) c.entries++;
            c.flatten(calls);
            return c;
        }

        void close() {
            BenchFloor.release(floorPlan);
        }

        private void flatten(List<Object[]> calls) {
            List<String> keys = new ArrayList<>();
            List<int[]> widths = new ArrayList<>();
            for (Object[] call : calls) {
                int m = keys.indexOf((String) call[0]);
                if (m < 0) {
                    keys.add((String) call[0]);
                    widths.add(new int[call.length - 1]);
                    m = keys.size() - 1;
                }
                int[] w = widths.get(m);
                for (int i = 1; i < call.length; i++)
                    if (call[i] instanceof String)
                        w[i - 1] = Math.max(w[i - 1], ((String) call[i]).getBytes(StandardCharsets.UTF_8).length + 1);
            }
            int size = 0;
            for (Object[] call : calls) {
                int[] w = widths.get(keys.indexOf((String) call[0]));
                size += 4;
                for (int x : w) size += x == 0 ? 4 : x;
            }
            flatStart = reply.length;
            flat = new byte[flatStart + size];
            System.arraycopy(reply, 0, flat, 0, flatStart);
            int at = flatStart;
            for (Object[] call : calls) {
                int m = keys.indexOf((String) call[0]);
                int[] w = widths.get(m);
                put32(flat, at, m);
                at += 4;
                for (int i = 1; i < call.length; i++) {
                    if (w[i - 1] == 0) {
                        put32(flat, at, (Integer) call[i]);
                        at += 4;
                    } else {
                        byte[] s = ((String) call[i]).getBytes(StandardCharsets.UTF_8);
                        System.arraycopy(s, 0, flat, at, s.length);
                        at += w[i - 1];
                    }
                }
            }
            String[] names = new String[keys.size()];
            String[] sigs = new String[keys.size()];
            List<Integer> plan = new ArrayList<>();
            callers = new BenchCaller[keys.size()];
            for (int m = 0; m < keys.size(); m++) {
                String k = keys.get(m);
                names[m] = k.substring(0, k.indexOf('('));
                sigs[m] = k.substring(k.indexOf('('));
                plan.add(widths.get(m).length);
                for (int x : widths.get(m)) plan.add(x);
                callers[m] = BenchCallers.ALL.get(k).make(widths.get(m));
            }
            floorPlan = BenchFloor.prepare(names, sigs, plan.stream().mapToInt(Integer::intValue).toArray());
        }
    }

    /**
     * The seed with its entries repeated to n (the seed unchanged when its entries cannot be found
     * this way).  Entries are found by truncation: cutting 1 to E bytes off the end loses exactly
     * the last entry; the entry count is the header word that held the seed's count.
     */
    static byte[] grow(byte[] seed, int type, int n, String mode) {
        int c = entryCalls(seed, type);
        if (c < 2) return seed;
        int len = seed.length;
        int e = 0;
        for (int k = 1; k < len; k++) {
            byte[] cut = Arrays.copyOf(seed, len - k);
            put32(cut, 0, cut.length);
            if (entryCalls(cut, type) != c - 1) break;
            e = k;
        }
        if (e == 0) return seed;
        int first = len - c * e;
        List<Integer> counts = new ArrayList<>();
        if (i32(seed, 8) == c) counts.add(8);
        for (int o = 4; o + 4 <= first; o++)
            if (o != 8 && i32(seed, o) == c) counts.add(o);
        for (int countAt : counts) {
            byte[] out = build(seed, first, e, c, n, countAt, mode);
            if (entryCalls(out, type) == n) return out;
        }
        return seed;
    }

    private static byte[] build(byte[] seed, int first, int e, int c, int n, int countAt, String mode) {
        byte[] out = new byte[first + n * e];
        System.arraycopy(seed, 0, out, 0, first);
        put32(out, 0, out.length);
        put32(out, countAt, n);
        boolean distinct = mode.equals("distinct");
        for (int k = 0; k < n; k++) {
            int v = distinct ? k : k % 16;
            int base = distinct ? k % c : v % c;
            int at = first + k * e;
            System.arraycopy(seed, first + base * e, out, at, e);
            suffixTexts(out, at, e, v);
        }
        return out;
    }

    private static final byte[] DIGITS =
            "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz".getBytes(StandardCharsets.US_ASCII);

    /** Writes v in base 62 over the last (up to 4) characters of every text of 3 or more characters. */
    private static void suffixTexts(byte[] b, int at, int e, int v) {
        int run = 0;
        for (int i = at; i < at + e; i++) {
            int x = b[i] & 0xFF;
            if (x >= 0x20 && x <= 0x7E) {
                run++;
                continue;
            }
            if (x == 0 && run >= 3) {
                int w = Math.min(4, run);
                int y = v;
                for (int j = 1; j <= w; j++) {
                    b[i - j] = DIGITS[y % 62];
                    y /= 62;
                }
            }
            run = 0;
        }
    }
}
