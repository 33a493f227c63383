package vyt.client;

import java.util.List;
import org.vytjni.api.Report;
import vyt.catalog.Catalog;

/**
 * Test support: a typed report's values as the collector sent them ({@link Fields}), looked up by
 * their catalogue names, so that a test compares them with the sample data set's values of the
 * same names.
 */
public record NamedValues(Report typed, Catalog.Kind kind, List<Object> headerValues, List<List<Object>> entries) {
    public static NamedValues of(Report r) {
        return new NamedValues(r, Fields.kind(r), Fields.header(r), Fields.entries(r));
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

    public Object entry(int i, String name) {
        return entries.get(i).get(index(kind.addEntry(), name));
    }

    public int entryInt(int i, String name) {
        return (Integer) entries.get(i).get(index(kind.addEntry(), name));
    }

    public String entryText(int i, String name) {
        return (String) entries.get(i).get(index(kind.addEntry(), name));
    }

    private static int index(List<Catalog.Param> params, String name) {
        for (int i = 0; i < params.size(); i++) if (params.get(i).name().equals(name)) return i;
        throw new IllegalArgumentException("no parameter " + name);
    }
}
