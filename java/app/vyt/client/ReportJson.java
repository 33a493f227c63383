package vyt.client;

import com.fasterxml.jackson.core.JsonFactory;
import com.fasterxml.jackson.core.JsonGenerator;
import com.fasterxml.jackson.databind.ObjectMapper;
import java.io.IOException;
import java.io.StringWriter;
import java.io.UncheckedIOException;
import java.io.Writer;
import java.util.List;
import org.vytjni.api.Report;
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
 * {@code setData} is null when the report kind has no header values; {@code entries} holds one
 * object per entry (empty when it has none). Texts are JSON strings, numbers JSON numbers: each
 * value as the word the collector sent ({@link Fields}), so the form does not depend on the
 * Java types of the typed records. {@code status} is 0: a report that failed is not written.
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
            Catalog.Kind k = Fields.kind(r);
            g.writeStartObject();
            g.writeStringField("report", k.name());
            g.writeNumberField("type", k.type());
            g.writeStringField("title", k.title());
            g.writeNumberField("status", 0);
            g.writeFieldName("setData");
            if (k.hasSetData()) object(g, k.setData(), Fields.header(r));
            else g.writeNull();
            g.writeArrayFieldStart("entries");
            for (List<Object> e : Fields.entries(r)) object(g, k.addEntry(), e);
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
