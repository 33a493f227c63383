import java.util.ArrayList;
import java.util.Collections;
import java.util.List;

/**
 * One decoded report: the {@code setData} values and the {@code addEntry} rows a target
 * received, named after the catalogue's parameters.
 */
final class VytReport {
    final VytCatalog.Kind kind;
    private final List<Object> header;
    private final List<List<Object>> entries;

    VytReport(VytCatalog.Kind kind, List<Object> header, List<List<Object>> entries) {
        this.kind = kind;
        this.header = header;
        this.entries = entries;
    }

    /**
     * The report a target received for {@code kind}: at most one setData call, first, with the
     * kind's parameters, and addEntry calls with the kind's entry parameters.
     *
     * @throws IllegalStateException when the calls do not fit the kind
     */
    static VytReport of(VytCatalog.Kind kind, List<VytTarget.Call> calls) {
        List<Object> header = Collections.emptyList();
        List<List<Object>> entries = new ArrayList<>();
        for (int i = 0; i < calls.size(); i++) {
            VytTarget.Call c = calls.get(i);
            if (c.method.equals("setData") && i == 0 && c.args.size() == kind.setData.size() && kind.hasSetData()) {
                header = c.args;
            } else if (c.method.equals("addEntry") && c.args.size() == kind.addEntry.size() && kind.hasAddEntry()) {
                entries.add(c.args);
            } else {
                throw new IllegalStateException(kind.name + ": unexpected call " + c.method + " with "
                        + c.args.size() + " arguments");
            }
        }
        if (kind.hasSetData() && header.isEmpty())
            throw new IllegalStateException(kind.name + ": no setData call");
        return new VytReport(kind, header, Collections.unmodifiableList(entries));
    }

    boolean hasHeader() {
        return !header.isEmpty();
    }

    List<Object> headerValues() {
        return header;
    }

    Object header(String name) {
        return header.get(index(kind.setData, name));
    }

    int headerInt(String name) {
        return (Integer) header(name);
    }

    String headerText(String name) {
        return (String) header(name);
    }

    int entryCount() {
        return entries.size();
    }

    List<List<Object>> entries() {
        return entries;
    }

    /** Entry {@code i} (from 0), field {@code name}. */
    Object entry(int i, String name) {
        return entries.get(i).get(index(kind.addEntry, name));
    }

    int entryInt(int i, String name) {
        return (Integer) entry(i, name);
    }

    String entryText(int i, String name) {
        return (String) entry(i, name);
    }

    private static int index(List<VytCatalog.Param> params, String name) {
        for (int i = 0; i < params.size(); i++) if (params.get(i).name.equals(name)) return i;
        throw new IllegalArgumentException("no parameter " + name);
    }
}
