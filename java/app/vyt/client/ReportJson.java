package vyt.client;

import com.fasterxml.jackson.core.JsonFactory;
import com.fasterxml.jackson.core.JsonGenerator;
import com.fasterxml.jackson.databind.ObjectMapper;
import java.io.IOException;
import java.io.StringWriter;
import java.io.UncheckedIOException;
import java.io.Writer;
import java.util.List;
import vyt.catalog.Catalog;

/**
 * One decoded report as JSON, named as in the catalogue:
 *
 * <pre>
 * {"report":"current-alerts","type":11,"title":"Current alerts","status":0,
 *  "setData":{"currentTime":"...","alertHeaderValue1":2,...},
 *  "entries":[{"alertStart":"...","tranName":"checkout",...},...]}
 * </pre>
 *
 * {@code setData} is null when the report makes no setData call; {@code entries} holds one
 * object per addEntry call (empty when it makes none). Texts are JSON strings, numbers JSON
 * numbers.
 */
public final class ReportJson {
    /** Shared and thread-safe once configured. */
    public static final ObjectMapper MAPPER = new ObjectMapper();
    private static final JsonFactory FACTORY = MAPPER.getFactory();

    private ReportJson() {}

    /** The report as one line of JSON. */
    public static String toJson(Report r) {
        StringWriter w = new StringWriter();
        try {
            write(r, w);
        } catch (IOException e) {
            throw new UncheckedIOException(e);  // a StringWriter does not fail
        }
        return w.toString();
    }

    /** Writes the report as JSON to {@code out}; the writer stays open. */
    public static void write(Report r, Writer out) throws IOException {
        try (JsonGenerator g = FACTORY.createGenerator(out)) {
            g.disable(JsonGenerator.Feature.AUTO_CLOSE_TARGET);
            Catalog.Kind k = r.kind();
            g.writeStartObject();
            g.writeStringField("report", k.name());
            g.writeNumberField("type", k.type());
            g.writeStringField("title", k.title());
            g.writeNumberField("status", r.status());
            g.writeFieldName("setData");
            if (k.hasSetData() && r.hasHeader()) object(g, k.setData(), r.headerValues());
            else g.writeNull();
            g.writeArrayFieldStart("entries");
            for (List<Object> e : r.entries()) object(g, k.addEntry(), e);
            g.writeEndArray();
            g.writeEndObject();
        }
    }

    private static void object(JsonGenerator g, List<Catalog.Param> params, List<Object> values) throws IOException {
        g.writeStartObject();
        for (int i = 0; i < params.size(); i++) {
            Catalog.Param p = params.get(i);
            Object v = values.get(i);
            if (v == null) g.writeNullField(p.name());
            else if (p.text()) g.writeStringField(p.name(), (String) v);
            else g.writeNumberField(p.name(), (Integer) v);
        }
        g.writeEndObject();
    }
}
