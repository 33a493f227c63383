package vyt.client;

import java.lang.invoke.MethodHandle;
import java.lang.invoke.MethodHandles;
import java.lang.reflect.RecordComponent;
import java.time.Duration;
import java.time.Instant;
import java.util.ArrayList;
import java.util.List;
import org.vytjni.api.AlertState;
import org.vytjni.api.Report;
import org.vytjni.api.ReportFlags;
import org.vytjni.api.UrlRuleFlags;
import vyt.catalog.Catalog;

/**
 * A typed report's values in the catalogue's order, each as the 32-bit word or the text the
 * collector sent: for the displays that go through every parameter of a kind (tables, JSON, CSV,
 * the web front end's report pages) and name the values as the catalogue does.
 */
public final class Fields {
    private Fields() {}

    /** The accessors of a record's components, in declaration order (the catalogue's). */
    private static final ClassValue<MethodHandle[]> ACCESSORS = new ClassValue<>() {
        @Override
        protected MethodHandle[] computeValue(Class<?> type) {
            RecordComponent[] cs = type.getRecordComponents();
            if (cs == null) throw new IllegalArgumentException(type.getName() + " is not a record");
            MethodHandle[] hs = new MethodHandle[cs.length];
            MethodHandles.Lookup lookup = MethodHandles.publicLookup();
            try {
                for (int i = 0; i < cs.length; i++) hs[i] = lookup.unreflect(cs[i].getAccessor());
            } catch (IllegalAccessException e) {
                throw new IllegalStateException("cannot read the components of " + type.getName(), e);
            }
            return hs;
        }
    };

    /** The catalogue's entry of the report's kind. */
    public static Catalog.Kind kind(Report r) {
        return Catalog.byType(r.kind().type());
    }

    /** The header values (the kind's setData parameters); empty when the kind has none. */
    public static List<Object> header(Report r) {
        Catalog.Kind k = kind(r);
        return k.hasSetData() ? values((Record) r, k.setData().size()) : List.of();
    }

    /** The entries, each as its values in the order of the kind's addEntry parameters. */
    public static List<List<Object>> entries(Report r) {
        Catalog.Kind k = kind(r);
        if (!k.hasAddEntry()) return List.of();
        List<?> typed = (List<?>) component((Record) r, k.hasSetData() ? k.setData().size() : 0);
        List<List<Object>> out = new ArrayList<>(typed.size());
        for (Object e : typed) out.add(values((Record) e, k.addEntry().size()));
        return out;
    }

    /** The number of entries. */
    public static int entryCount(Report r) {
        Catalog.Kind k = kind(r);
        return k.hasAddEntry() ? ((List<?>) component((Record) r, k.hasSetData() ? k.setData().size() : 0)).size() : 0;
    }

    /** A typed value as the word or text the collector sent. */
    public static Object word(Object v) {
        if (v instanceof Instant t) return (int) t.getEpochSecond();
        if (v instanceof Duration d) return (int) d.getSeconds();
        if (v instanceof AlertState s) return s.value();
        if (v instanceof ReportFlags f) return f.bits();
        if (v instanceof UrlRuleFlags f) return f.bits();
        return v;
    }

    private static List<Object> values(Record r, int n) {
        MethodHandle[] hs = ACCESSORS.get(r.getClass());
        if (hs.length < n)
            throw new IllegalStateException(r.getClass().getName() + " has " + hs.length + " values, the catalogue "
                    + n + "; vytjni-api.jar and vytapp.jar are of different versions");
        List<Object> out = new ArrayList<>(n);
        for (int i = 0; i < n; i++) out.add(word(invoke(hs[i], r)));
        return out;
    }

    private static Object component(Record r, int i) {
        return invoke(ACCESSORS.get(r.getClass())[i], r);
    }

    private static Object invoke(MethodHandle h, Record r) {
        try {
            return h.invoke(r);
        } catch (RuntimeException | Error e) {
            throw e;
        } catch (Throwable t) {
            throw new IllegalStateException(t);
        }
    }
}
