package vyt.client;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.fasterxml.jackson.databind.JsonNode;
import java.lang.reflect.RecordComponent;
import java.time.Instant;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.vytjni.api.Report;
import org.vytjni.api.ReportFlags;
import org.vytjni.api.reports.AllTransactions;
import org.vytjni.api.reports.TransactionInfo;
import org.vytjni.api.reports.TransactionPaths;
import vyt.catalog.Catalog;

/** A typed report as JSON: named as in the catalogue, the values as the collector sent them. */
class ReportJsonTest {
    static JsonNode json(Report r) throws Exception {
        return ReportJson.MAPPER.readTree(ReportJson.toJson(r));
    }

    @Test
    void aReportBecomesItsHeaderAndOneObjectPerEntryNamedAsInTheCatalogue() throws Exception {
        JsonNode j = json(new AllTransactions(Instant.ofEpochSecond(1796659898), ReportFlags.of(0x2400000),
                List.of(new AllTransactions.Entry("check\"out</script>", ReportFlags.of(0x400000)),
                        new AllTransactions.Entry("", ReportFlags.of(-1)))));
        assertEquals(List.of("report", "type", "title", "status", "setData", "entries"), names(j));
        assertEquals("all-transactions", j.get("report").textValue());
        assertEquals(1, j.get("type").intValue());
        assertEquals("All monitored transactions", j.get("title").textValue());
        assertEquals(0, j.get("status").intValue());
        assertEquals(List.of("collectorStartupTime", "flags"), names(j.get("setData")));
        assertEquals(1796659898, j.get("setData").get("collectorStartupTime").intValue());
        assertEquals(0x2400000, j.get("setData").get("flags").intValue());
        assertEquals(2, j.get("entries").size());
        assertEquals("check\"out</script>", j.get("entries").get(0).get("tranName").textValue());
        assertTrue(j.get("entries").get(1).get("flags").isInt());
        assertEquals(-1, j.get("entries").get(1).get("flags").intValue());
    }

    @Test
    void aKindWithoutSetDataHasNullAndAKindWithoutEntriesAnEmptyList() throws Exception {
        JsonNode j = json(new TransactionPaths(List.of()));
        assertTrue(j.get("setData").isNull());
        assertEquals(0, j.get("entries").size());
        j = json(new TransactionInfo("checkout", Instant.ofEpochSecond(5), ReportFlags.of(6)));
        assertEquals("checkout", j.get("setData").get("tranName").textValue());
        assertTrue(j.get("entries").isArray() && j.get("entries").isEmpty());
    }

    /**
     * The displays read a typed record's values by position in the catalogue's order: every
     * record's components are the kind's setData parameters, then its entries, whose components
     * are the addEntry parameters.
     */
    @Test
    void theTypedRecordsListTheCatalogueParametersInOrder() throws Exception {
        for (Catalog.Kind k : Catalog.all()) {
            Class<?> type = Class.forName(Report.class.getPackageName() + ".reports."
                    + Client.request(k, Client.Selection.NONE.tran("t")).getClass().getSimpleName());
            List<String> expected = new ArrayList<>();
            for (Catalog.Param p : k.setData()) expected.add(p.name());
            if (k.hasAddEntry()) expected.add("entries");
            assertEquals(expected, components(type), k.name());
            if (!k.hasAddEntry()) continue;
            List<String> entry = new ArrayList<>();
            for (Catalog.Param p : k.addEntry()) entry.add(p.name());
            assertEquals(entry, components(Class.forName(type.getName() + "$Entry")), k.name() + " entry");
        }
    }

    static List<String> components(Class<?> record) {
        List<String> out = new ArrayList<>();
        for (RecordComponent c : record.getRecordComponents()) out.add(c.getName());
        return out;
    }

    static List<String> names(JsonNode n) {
        List<String> out = new ArrayList<>();
        n.fieldNames().forEachRemaining(out::add);
        return out;
    }
}
