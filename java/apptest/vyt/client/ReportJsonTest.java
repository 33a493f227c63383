package vyt.client;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.fasterxml.jackson.databind.JsonNode;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.Test;
import vyt.catalog.Catalog;

/** The JSON form of a report: its shape, names from the catalogue, texts as strings, numbers as numbers. */
class ReportJsonTest {
    static JsonNode json(Report r) throws Exception {
        return ReportJson.MAPPER.readTree(ReportJson.toJson(r));
    }

    @Test
    void aReportBecomesItsHeaderAndOneObjectPerEntryNamedAsInTheCatalogue() throws Exception {
        Target t = new Target();
        t.setData(1796659898, 0x2400000);
        t.addEntry("check\"out</script>", 0x400000);
        t.addEntry("", -1);
        JsonNode j = json(Report.of(Catalog.byName("all-transactions"), t.calls()));
        assertEquals(List.of("report", "type", "title", "status", "setData", "entries"), names(j));
        assertEquals("all-transactions", j.get("report").textValue());
        assertEquals(1, j.get("type").intValue());
        assertEquals("All monitored transactions", j.get("title").textValue());
        assertEquals(0, j.get("status").intValue());
        assertEquals(List.of("collectorStartupTime", "flags"), names(j.get("setData")));
        assertEquals(0x2400000, j.get("setData").get("flags").intValue());
        assertEquals(2, j.get("entries").size());
        assertEquals("check\"out</script>", j.get("entries").get(0).get("tranName").textValue());
        assertTrue(j.get("entries").get(1).get("flags").isInt());
        assertEquals(-1, j.get("entries").get(1).get("flags").intValue());
    }

    @Test
    void aKindWithoutSetDataHasNullAndAKindWithoutEntriesAnEmptyList() throws Exception {
        Target paths = new Target();
        JsonNode j = json(Report.of(Catalog.byName("transaction-paths"), paths.calls()));
        assertTrue(j.get("setData").isNull());
        assertEquals(0, j.get("entries").size());
        Target info = new Target();
        info.setData("checkout", 5, 6);
        j = json(Report.of(Catalog.byName("transaction-info"), info.calls()));
        assertEquals("checkout", j.get("setData").get("tranName").textValue());
        assertTrue(j.get("entries").isArray() && j.get("entries").isEmpty());
    }

    static List<String> names(JsonNode n) {
        List<String> out = new ArrayList<>();
        n.fieldNames().forEachRemaining(out::add);
        return out;
    }
}
