package vyt.client;

import java.util.ArrayList;
import java.util.List;
import vyt.catalog.Catalog;

/**
 * One decoded report: the {@code setData} values (empty when the kind makes no setData call)
 * and the {@code addEntry} rows a target received, named after the catalogue's parameters, and
 * the status {@code mapData} returned.
 */
public record Report(Catalog.Kind kind, List<Object> headerValues, List<List<Object>> entries, int status) {
    public Report {
        headerValues = List.copyOf(headerValues);
        entries = List.copyOf(entries);
    }

    /**
     * The report a target received for {@code kind}: at most one setData call, first, with the
     * kind's parameters, and addEntry calls with the kind's entry parameters.
     *
     * @throws IllegalStateException when the calls do not fit the kind
     */
    public static Report of(Catalog.Kind kind, List<Target.Call> calls, int status) {
        List<Object> header = List.of();
        List<List<Object>> entries = new ArrayList<>();
        for (int i = 0; i < calls.size(); i++) {
            Target.Call c = calls.get(i);
            if (c.method().equals("setData") && i == 0 && c.args().size() == kind.setData().size()
                    && kind.hasSetData()) {
                header = c.args();
            } else if (c.method().equals("addEntry") && c.args().size() == kind.addEntry().size()
                    && kind.hasAddEntry()) {
                entries.add(c.args());
            } else {
                throw new IllegalStateException(kind.name() + ": unexpected call " + c.method() + " with "
                        + c.args().size() + " arguments");
            }
        }
        if (kind.hasSetData() && header.isEmpty())
            throw new IllegalStateException(kind.name() + ": no setData call");
        return new Report(kind, header, entries, status);
    }

    /** The report of a reply decoded in full. */
    public static Report of(Catalog.Kind kind, List<Target.Call> calls) {
        return of(kind, calls, Native.STATUS_OK);
    }

    public boolean hasHeader() {
        return !headerValues.isEmpty();
    }

    public Object header(String name) {
        return headerValues.get(index(kind.setData(), name));
    }

    public int headerInt(String name) {
        return (Integer) header(name);
    }

    public String headerText(String name) {
        return (String) header(name);
    }

    public int entryCount() {
        return entries.size();
    }

    /** Entry {@code i} (from 0), field {@code name}. */
    public Object entry(int i, String name) {
        return entries.get(i).get(index(kind.addEntry(), name));
    }

    public int entryInt(int i, String name) {
        return (Integer) entry(i, name);
    }

    public String entryText(int i, String name) {
        return (String) entry(i, name);
    }

    private static int index(List<Catalog.Param> params, String name) {
        for (int i = 0; i < params.size(); i++) if (params.get(i).name().equals(name)) return i;
        throw new IllegalArgumentException("no parameter " + name);
    }
}
