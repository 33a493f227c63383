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
 * Two bounds are printed beside them.  "shared" (repeated texts only) is the floor making each
 * distinct text of the reply once and then only calling: what no table of repeated texts can go
 * under.  With tracing on, "writes" replays the reply's trace file as the trace writer must write
 * it in the fewest writes it can make (the reply and its dump at once, then one write per call into
 * Java, whose lines must be in the file before it): the kernel's part of tracing alone.
 *
 * The typed API (vytjni-api.jar) is measured on the same replies, distinct texts: one native call
 * per reply into records, against mapData and against TypedJava, a pure-Java decoder building the
 * same records; each path's records are consumed whole (hashCode over every value).
 *
 *   java -Dvyt.floor=libvyt_floor.so -Dvyt.corpus=build/seeds VytBench [--quick]
 *        [--types=1,4,8,11] [--no-sweep] [--no-trace] [--typed-only]
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
        if (Arrays.asList(args).contains("--typed-only")) {
            typed(seeds, main);
            return;
        }
        System.out.println();
        System.out.println("Trace off");
        header();
        Map<String, Double> off = new LinkedHashMap<>();
        Map<String, Double> shared = new LinkedHashMap<>();
        for (int type : main)
            for (String mode : modes)
                for (int n : sizes) {
                    Case c = Case.of(type, seeds.get(type), n, mode);
                    double[] r = measure(c, true);
                    off.put(type + "/" + n + "/" + mode, r[0]);
                    shared.put(type + "/" + n + "/" + mode, r[3]);
                    row(c, r);
                    c.close();
                }

        typed(seeds, main);

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
        System.out.printf(Locale.ROOT, "%-5s %7s %-9s %12s %12s %8s %12s %12s%n", "type", "entries", "texts",
                "off ns/e", "on ns/e", "on/off", "writes ns/e", "least on/off");
        for (int type : main)
            for (String mode : modes)
                for (int n : new int[] {10, 1000}) {
                    Case c = Case.of(type, seeds.get(type), n, mode);
                    c.prepareWrites();
                    double[] r = measure(c, false);
                    Double o = off.get(type + "/" + n + "/" + mode);
                    System.out.printf(Locale.ROOT, "%-5d %7d %-9s %12.1f %12.1f %8.2f %12.1f %12.2f%n", type,
                            c.entries, mode, o, r[0], r[0] / o, r[4], (o + r[4]) / o);
                    c.close();
                }
    }

    private static void header() {
        System.out.printf(Locale.ROOT, "%-5s %7s %-9s %12s %12s %12s %10s %10s %12s%n", "type", "entries", "texts",
                "mapData", "floor", "java", "map/floor", "java/floor", "shared/floor");
    }

    private static void row(Case c, double[] r) {
        System.out.printf(Locale.ROOT, "%-5d %7d %-9s %12.1f %12.1f %12.1f %10.2f %10.2f %12s%n", c.type, c.entries,
                c.mode, r[0], r[1], r[2], r[0] / r[1], r[2] / r[1],
                Double.isNaN(r[3]) ? "-" : String.format(Locale.ROOT, "%.2f", r[3] / r[1]));
    }

    // ---- the typed API ---------------------------------------------------------------

    private static int consumed;

    /**
     * The typed API's native call alone, to split its time into the library's decode and the
     * building of the records in Java. The native is package-private: reached by reflection, as
     * the benchmark is on the class path.
     */
    private static final java.lang.invoke.MethodHandle DECODE0 = decode0Handle();

    private static java.lang.invoke.MethodHandle decode0Handle() {
        try {
            java.lang.reflect.Method m = Class.forName("org.vytjni.api.NativeCalls")
                    .getDeclaredMethod("decode0", byte[].class, int.class);
            m.setAccessible(true);
            return java.lang.invoke.MethodHandles.lookup().unreflect(m);
        } catch (ReflectiveOperationException e) {
            throw new IllegalStateException("the typed API's decode0 cannot be reached: " + e, e);
        }
    }

    private static int decode0(byte[] reply, int type) {
        try {
            Object[] r = (Object[]) DECODE0.invokeExact(reply, type);
            // The first word, the failure number, in the native order the library writes it.
            if (r == null || ((java.nio.ByteBuffer) r[0]).order(java.nio.ByteOrder.nativeOrder()).getInt(0) != 0)
                throw new IllegalStateException("decode0 failed");
            return r.length;
        } catch (RuntimeException | Error e) {
            throw e;
        } catch (Throwable t) {
            throw new IllegalStateException(t);
        }
    }

    /** One line per type and size: the typed API's ns per entry and its ratios to mapData and TypedJava. */
    private static void typed(Map<Integer, byte[]> seeds, int[] types) {
        System.out.println();
        System.out.println("Typed API (vytjni-api.jar), distinct texts, trace off; ns per entry");
        for (int type : types)
            for (int n : new int[] {1000, 100_000}) {
                Case c = Case.of(type, seeds.get(type), n, "distinct");
                org.vytjni.api.ReportKind kind = org.vytjni.api.ReportKind.ofType(type);
                boolean java = TypedJava.has(type);
                if (java && !TypedJava.decode(type, c.reply).equals(org.vytjni.api.Reports.decode(kind, c.reply)))
                    throw new IllegalStateException("type " + type + ": TypedJava's record differs from the typed API's");
                int reps = (int) Math.max(1, entriesPerSample / Math.max(1, c.entries));
                Runnable[] paths = {
                    () -> consumed ^= org.vytjni.api.Reports.decode(kind, c.reply).hashCode(),
                    () -> {
                        if (VYTreport.mapData(c.reply, c.target, c.type) != 0) throw new IllegalStateException("mapData");
                    },
                    java ? () -> consumed ^= TypedJava.decode(type, c.reply).hashCode() : null,
                    () -> consumed ^= decode0(c.reply, type),
                };
                double[][] samples = new double[paths.length][rounds];
                // Warm-up: every path decodes at least 500,000 entries first, so that all are compiled.
                int warm = (int) Math.max(reps / 2, 500_000L / Math.max(1, c.entries));
                for (Runnable p : paths)
                    if (p != null)
                        for (int i = 0; i < warm; i++) p.run();
                for (int r = 0; r < rounds; r++)
                    for (int k = 0; k < paths.length; k++) {
                        int p = (r + k) % paths.length;
                        if (paths[p] == null) continue;
                        long t0 = CPU.getCurrentThreadCpuTime();
                        for (int i = 0; i < reps; i++) paths[p].run();
                        samples[p][r] = (CPU.getCurrentThreadCpuTime() - t0) / (double) reps / Math.max(1, c.entries);
                    }
                double[] med = new double[paths.length];
                for (int p = 0; p < paths.length; p++) {
                    Arrays.sort(samples[p]);
                    med[p] = paths[p] == null ? Double.NaN : samples[p][rounds / 2];
                }
                System.out.printf(Locale.ROOT, "typed type %d n=%d: typed=%.1f ns mapData=%.1f ns java=%s typed/mapData=%.2f typed/java=%s%n",
                        type, c.entries, med[0], med[1], java ? String.format(Locale.ROOT, "%.1f ns", med[2]) : "n/a",
                        med[0] / med[1], java ? String.format(Locale.ROOT, "%.2f", med[0] / med[2]) : "n/a");
                double building = med[0] - med[3];
                System.out.printf(Locale.ROOT, "  of which decode0=%.1f ns, records in Java=%.1f ns (records/mapData=%.2f%s)%n",
                        med[3], building, building / med[1],
                        java ? String.format(Locale.ROOT, ", records/java=%.2f", building / med[2]) : "");
                c.close();
            }
    }

    // ---- measuring -----------------------------------------------------------------

    private static final int MAP = 0, FLOOR = 1, JAVA = 2, SHARED = 3, WRITES = 4;

    /**
     * Medians in ns per entry, indexed by path: trace off, mapData, the floor, the Java decoder and
     * (repeated texts) the shared bound; trace on, mapData and the writes bound.  NaN where not run.
     */
    private static double[] measure(Case c, boolean traceOff) throws IOException {
        int[] paths = !traceOff ? new int[] {MAP, WRITES}
                : c.mode.equals("repeated") ? new int[] {MAP, FLOOR, JAVA, SHARED} : new int[] {MAP, FLOOR, JAVA};
        long perSample = traceOff ? entriesPerSample : entriesPerSample / 10;
        int reps = (int) Math.max(1, perSample / Math.max(1, c.entries));
        for (int p : paths) {
            run(c, p, Math.max(1, reps / 2)); // warm-up
            empty(c, p);
        }
        double[][] samples = new double[WRITES + 1][rounds];
        for (int r = 0; r < rounds; r++) {
            for (int k = 0; k < paths.length; k++) {
                int p = paths[(r + k) % paths.length];
                long t0 = CPU.getCurrentThreadCpuTime();
                run(c, p, reps);
                samples[p][r] = (CPU.getCurrentThreadCpuTime() - t0) / (double) reps / Math.max(1, c.entries);
                empty(c, p);
            }
        }
        double[] med = new double[WRITES + 1];
        Arrays.fill(med, Double.NaN);
        for (int p : paths) {
            Arrays.sort(samples[p]);
            med[p] = samples[p][rounds / 2];
        }
        return med;
    }

    /** Empties what a traced path wrote, so that every sample writes to a file of the same size. */
    private static void empty(Case c, int path) throws IOException {
        if (path == WRITES) BenchFloor.emptyWrites(c.writes);
        else if (path == MAP) emptyTrace();
    }

    private static void run(Case c, int path, int reps) {
        for (int i = 0; i < reps; i++) {
            switch (path) {
                case MAP:
                    if (VYTreport.mapData(c.reply, c.target, c.type) != 0) throw new IllegalStateException("mapData");
                    break;
                case FLOOR:
                    if (BenchFloor.decode(c.floorPlan, c.flat, c.flatStart, c.target) != c.calls)
                        throw new IllegalStateException("floor");
                    break;
                case SHARED:
                    if (BenchFloor.decodeShared(c.floorPlan, c.sharedFlat, c.flatStart, c.target) != c.calls)
                        throw new IllegalStateException("shared");
                    break;
                case WRITES:
                    if (!BenchFloor.writes(c.writes)) throw new IllegalStateException("writes");
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

    private static final Path TRACE = Paths.get("logs", "VYTjni.trc");

    private static void emptyTrace() throws IOException {
        Path p = TRACE;
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
        byte[] sharedFlat; // the reply, then its distinct texts and the calls naming them
        long writes;      // the trace file's writes for one reply, once prepared
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
            BenchFloor.releaseWrites(writes);
        }

        private static final java.util.regex.Pattern DUMP_ROW =
                java.util.regex.Pattern.compile("^\\[[^\\]]*\\] +[0-9a-f]+ \\|.*");
        private static final int DUMP_WRITE = 256 * 1024;

        /**
         * Traces this reply once and keeps its trace file's bytes, cut into the fewest writes the trace
         * writer can make: up to the end of the dump in pieces of 256 KB, then the lines after it in as
         * many writes as there are calls into Java (each call's lines must be in the file before it).
         */
        void prepareWrites() throws IOException {
            emptyTrace();
            if (VYTreport.mapData(reply, target, type) != 0) throw new IllegalStateException("mapData");
            byte[] all = Files.readAllBytes(TRACE);
            emptyTrace();
            int from = 0;
            while (from < all.length && all[from] == 0) from++; // the library's file position outlived the emptying
            byte[] bytes = Arrays.copyOfRange(all, from, all.length);
            List<Integer> lineEnds = new ArrayList<>();
            int dumpEnd = 0;
            for (int i = 0, start = 0; i < bytes.length; i++) {
                if (bytes[i] != '\n') continue;
                lineEnds.add(i + 1);
                if (DUMP_ROW.matcher(new String(bytes, start, i - start, StandardCharsets.ISO_8859_1)).matches())
                    dumpEnd = i + 1;
                start = i + 1;
            }
            List<Integer> ends = new ArrayList<>();
            for (int at = 0; at < dumpEnd; at = Math.min(dumpEnd, at + DUMP_WRITE)) ends.add(Math.min(dumpEnd, at + DUMP_WRITE));
            // The lines after the dump must reach the file in at least one write per call into Java.
            List<Integer> after = new ArrayList<>();
            for (int e : lineEnds)
                if (e > dumpEnd) after.add(e);
            int pieces = Math.min(after.size(), calls);
            for (int j = 1; j <= pieces; j++) ends.add(after.get(j * after.size() / pieces - 1));
            writes = BenchFloor.prepareWrites(Paths.get("logs", "writes.trc").toString(), bytes,
                    ends.stream().mapToInt(Integer::intValue).toArray());
            if (writes == 0) throw new IOException("cannot open logs/writes.trc");
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
            if (mode.equals("repeated")) shareTexts(calls, widths, keys);
        }

        /** The shared record: the count of distinct texts, the texts, then the calls with text indexes. */
        private void shareTexts(List<Object[]> calls, List<int[]> widths, List<String> keys) {
            Map<String, Integer> index = new LinkedHashMap<>();
            int size = 4;
            for (Object[] call : calls)
                for (int i = 1; i < call.length; i++)
                    if (call[i] instanceof String && !index.containsKey((String) call[i])) {
                        index.put((String) call[i], index.size());
                        size += ((String) call[i]).getBytes(StandardCharsets.UTF_8).length + 1;
                    }
            for (Object[] call : calls) size += 4 * call.length;
            sharedFlat = new byte[flatStart + size];
            System.arraycopy(reply, 0, sharedFlat, 0, flatStart);
            int at = flatStart;
            put32(sharedFlat, at, index.size());
            at += 4;
            for (String t : index.keySet()) {
                byte[] b = t.getBytes(StandardCharsets.UTF_8);
                System.arraycopy(b, 0, sharedFlat, at, b.length);
                at += b.length + 1;
            }
            for (Object[] call : calls) {
                put32(sharedFlat, at, keys.indexOf((String) call[0]));
                at += 4;
                for (int i = 1; i < call.length; i++, at += 4)
                    put32(sharedFlat, at, call[i] instanceof String ? index.get((String) call[i]) : (Integer) call[i]);
            }
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
