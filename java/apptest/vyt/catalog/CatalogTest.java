package vyt.catalog;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.BufferedReader;
import java.io.IOException;
import java.io.StringReader;
import java.util.HashSet;
import java.util.List;
import java.util.Set;

import org.junit.jupiter.api.Test;

/** The catalogue against the documented report table and callback signatures; the target's methods. */
class CatalogTest {
    static final String S = "Ljava/lang/String;";

    static String sig(int strings, int ints) {
        return "(" + S.repeat(strings) + "I".repeat(ints) + ")V";
    }

    /** Report type, report id, setData signature, addEntry signature, as documented ("" for none). */
    static final Object[][] DOCUMENTED = {
        {1, 1, "(II)V", "(Ljava/lang/String;I)V"},
        {2, 2, "", "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "Ljava/lang/String;Ljava/lang/String;IIIIIII)V"},
        {3, 11, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "IIIIIIII)V", ""},
        {4, 12, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIII)V",
            "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIIII)V"},
        {5, 13, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIII)V",
            "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIII)V"},
        {6, 14, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIII)V",
            "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIII)V"},
        {7, 23, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIII)V",
            "(Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIIIIIIIIII)V"},
        {8, 19, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII)V",
            "(Ljava/lang/String;IIIIIIIIIIIIIIIII)V"},
        {9, 21, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII)V",
            "(Ljava/lang/String;IIIIIIIIIIIIIIIIII)V"},
        {10, 17, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIIIIIIIIIIIII)V",
            "(Ljava/lang/String;IIIIIIIIIIIIIII)V"},
        {11, 24, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;II)V",
            "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "Ljava/lang/String;IIIIIIIIIIIIIIIIII)V"},
        {12, 15, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIII)V",
            "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIII)V"},
        {13, 22, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII)V",
            "(Ljava/lang/String;IIIIIIIIIII)V"},
        {14, 5, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIII)V",
            "(Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIII)V"},
        {15, 26, "(Ljava/lang/String;II)V",
            "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "Ljava/lang/String;IIIIIIIIIIII)V"},
        {16, 25, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "Ljava/lang/String;Ljava/lang/String;IIIII)V", "(II)V"},
        {17, 27, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII)V", ""},
        {18, 29, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIII)V",
            "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIIIIIIIIII)V"},
        {19, 30, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIIIIIIIIIIIII)V",
            "(Ljava/lang/String;IIIIIIIIIII)V"},
        {20, 31, "", "(Ljava/lang/String;Ljava/lang/String;II)V"},
        {21, 32, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;III)V",
            "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "Ljava/lang/String;IIIIIIIIIIIII)V"},
        {22, 33, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;I)V",
            "(Ljava/lang/String;Ljava/lang/String;III)V"},
        {23, 34, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;I)V",
            "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;I)V"},
        {24, 35, "(Ljava/lang/String;IIIII)V", "(Ljava/lang/String;II)V"},
        {25, 36, "(Ljava/lang/String;II)V", ""},
        {26, 37, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;IIII)V",
            "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
                + "Ljava/lang/String;Ljava/lang/String;IIIIIIIIIIIIIIIIII)V"},
        {27, 38, "(Ljava/lang/String;IIII)V", "(Ljava/lang/String;IIII)V"},
        {28, 39, "(Ljava/lang/String;Ljava/lang/String;II)V", ""},
        {29, 40, "(Ljava/lang/String;Ljava/lang/String;II)V", ""},
        {30, 41, "(Ljava/lang/String;Ljava/lang/String;II)V", ""},
        {31, 42, "(Ljava/lang/String;Ljava/lang/String;II)V", ""},
        {32, 43, "(Ljava/lang/String;Ljava/lang/String;II)V", ""},
    };

    @Test
    void everyKindHasItsDocumentedIdAndSignatures() {
        assertEquals(32, Catalog.all().size());
        for (Object[] d : DOCUMENTED) {
            Catalog.Kind k = Catalog.byType((Integer) d[0]);
            assertNotNull(k, "type " + d[0]);
            assertEquals(d[1], k.reportId(), k.name());
            assertEquals(d[2], k.hasSetData() ? k.setDataSignature() : "", k.name() + " setData");
            assertEquals(d[3], k.hasAddEntry() ? k.addEntrySignature() : "", k.name() + " addEntry");
            assertEquals(k, Catalog.byName(k.name()));
        }
        assertEquals(sig(7, 55), Catalog.byName("wait-detail").setDataSignature());
        Set<String> changing = new HashSet<>();
        for (Catalog.Kind k : Catalog.all()) if (k.changesRules()) changing.add(k.name());
        assertEquals(Set.of("add-url-rule", "remove-url-rule", "edit-url-rule", "url-rule-precedence"), changing);
        assertEquals(null, Catalog.byType(0));
        assertEquals(null, Catalog.byType(33));
    }

    @Test
    void parameterNamesAreUniqueWithinACallAndReportNamesAreUnique() {
        Set<String> names = new HashSet<>();
        for (Catalog.Kind k : Catalog.all()) {
            assertTrue(names.add(k.name()), k.name());
            assertTrue(k.name().matches("[a-z]+(-[a-z]+)*"), k.name());
            for (List<Catalog.Param> call : List.of(k.setData(), k.addEntry())) {
                Set<String> seen = new HashSet<>();
                for (Catalog.Param p : call) assertTrue(seen.add(p.name()), k.name() + ": " + p.name() + " twice");
            }
        }
    }

    /** What the application reads from the roles and the kinds, where it once went by names. */
    @Test
    void theApplicationTakesMeaningsFromTheCatalogue() {
        Set<String> ruleOps = new HashSet<>(), urlFlags = new HashSet<>(), epoch = new HashSet<>(),
                states = new HashSet<>();
        for (Catalog.Kind k : Catalog.all()) {
            if (vyt.cli.Words.isRuleOperation(k)) ruleOps.add(k.name());
            if (vyt.cli.Words.urlRuleFlags(k)) urlFlags.add(k.name());
            for (List<Catalog.Param> call : List.of(k.setData(), k.addEntry())) {
                for (Catalog.Param p : call) {
                    if (vyt.cli.Words.isEpochSeconds(p)) epoch.add(p.name());
                    if (vyt.cli.Words.isState(p)) states.add(p.name());
                }
            }
        }
        Set<String> ops = Set.of("add-url-rule", "remove-url-rule", "get-url-rule", "edit-url-rule",
                "url-rule-precedence");
        assertEquals(ops, ruleOps);
        Set<String> withList = new HashSet<>(ops);
        withList.add("url-rules");
        assertEquals(withList, urlFlags);
        assertEquals(Set.of("collectorStartupTime", "sumDataUTCStart", "sumDataUTCNow"), epoch);
        assertTrue(states.contains("pathEventState") && states.contains("Group4State"), states.toString());
        assertTrue(!states.contains("pathEventTypeAndState"), "a combined type-and-state word is no state");
        assertEquals("return code 2 (another rule has that URL)", RuleCode.text(2));
        assertEquals("return code 9 (unknown)", RuleCode.text(9));
        assertEquals("critical", States.name(2));
        assertEquals("State 7", States.title(7));
    }

    static List<Catalog.Kind> parse(String... lines) throws IOException {
        return Catalog.parse(new BufferedReader(new StringReader(String.join("\n", lines) + "\n")));
    }

    @Test
    void theTableParsesAsWrittenAndRefusesMalformedLines() throws IOException {
        List<Catalog.Kind> ks = parse("# comment", "kind\t1\t1\tone\t-\t-\tFirst",
                "setData\tint collectorStartupTime epoch-seconds - collector startup time\tint flags report-flags - flags",
                "addEntry\tString tranName name - transaction name\tint pathNetInKBytesPerSec value KB/s inbound rate",
                "kind\t2\t9\ttwo\ttran,continue2\trules\tSecond", "addEntry\tint a count - a");
        assertEquals(2, ks.size());
        assertEquals("[int collectorStartupTime, int flags]", ks.get(0).setData().toString());
        assertEquals("(Ljava/lang/String;I)V", ks.get(0).addEntrySignature());
        assertEquals(new Catalog.Param("collectorStartupTime", false, Catalog.Role.EPOCH_SECONDS, null,
                "collector startup time"), ks.get(0).setData().get(0));
        assertEquals(new Catalog.Param("pathNetInKBytesPerSec", false, Catalog.Role.VALUE, "KB/s", "inbound rate"),
                ks.get(0).addEntry().get(1));
        assertEquals(false, ks.get(0).changesRules());
        assertEquals(true, ks.get(1).changesRules());
        assertEquals(Set.of(Catalog.Selection.TRAN, Catalog.Selection.CONTINUE2), ks.get(1).selections());
        assertEquals(List.of(), ks.get(1).setData());
        String k1 = "kind\t1\t1\tone\t-\t-\tFirst";
        for (String[] bad : new String[][] {
            {"kind\t2\t1\tone\t-\t-\tFirst"},                             // types must run 1, 2, ...
            {"kind\t1\t1\tone\t-\tFirst"},                                 // a field missing
            {"kind\t1\t1\tone\tnowhere\t-\tFirst"},                        // unknown selection
            {"kind\t1\t1\tone\t-\tsome\tFirst"},                           // changes neither "rules" nor "-"
            {k1, "addEntry\tlong x value - x"},                              // unknown parameter type
            {k1, "addEntry\tint x"},                                         // no role, unit or label
            {k1, "addEntry\tint x seconds - x"},                             // unknown role
            {k1, "addEntry\tint a count - a", "setData\tint b count - b"},  // setData after addEntry
            {"addEntry\tint a count - a"},                                   // before any kind
        }) {
            assertThrows(IllegalStateException.class, () -> parse(bad), String.join(" | ", bad));
        }
    }

    @Test
    void flagsParseFromNumbersAndNames() {
        assertEquals(0x2000104, Flags.parse("0x2000104"));
        assertEquals(16, Flags.parse("16"));
        assertEquals(0x8 | 0x800, Flags.parse("REP_URL_LIST_TYPE_EXCLUDE|REP_URL_SEARCH_TYPE_ENDS_WITH"));
        assertEquals(0x10 | 0x2000, Flags.parse("view_distributions, client_sum"));
        assertEquals(0x40, Flags.parse("VIEW_DISPATCH_RETURN"));
        assertEquals(0x4000000, Flags.parse("REP_FLAGS_PASSTHRU_MODE"));
        assertThrows(IllegalArgumentException.class, () -> Flags.parse("NO_SUCH_FLAG"));
        assertThrows(IllegalArgumentException.class, () -> Flags.parse(""));
    }
}
