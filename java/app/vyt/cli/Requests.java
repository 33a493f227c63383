package vyt.cli;

import vyt.catalog.Catalog;
import vyt.client.Client;
import vyt.client.ClientException;
import org.vytjni.api.CollectorErrorException;

import java.nio.charset.StandardCharsets;

/**
 * Checks a request's names and tells in words what went wrong: a name the library would refuse is
 * explained before anything is sent, and a collector's error code becomes a sentence naming
 * what the collector did not find.
 */
final class Requests {
    private Requests() {}

    /** The width of the request's transaction name field, in bytes. */
    static final int TRAN_FIELD = 64;
    /** The width of the request's sub-transaction name or URL field, in bytes. */
    static final int SUB_FIELD = 1024;

    /** Refuses the names the library would not put into a request, saying why. */
    static void check(Catalog.Kind k, Client.Selection sel) throws Cli.Mistake {
        if (k.takes(Catalog.Selection.TRAN)) name("--tran", "transaction name", sel.tran(), TRAN_FIELD);
        if (k.takes(Catalog.Selection.SUB)) name("--sub", "sub-transaction name or URL", sel.sub(), SUB_FIELD);
    }

    private static void name(String option, String what, String s, int field) throws Cli.Mistake {
        for (int i = 0; i < s.length(); i++) {
            char c = s.charAt(i);
            if (Character.isHighSurrogate(c) && i + 1 < s.length() && Character.isLowSurrogate(s.charAt(i + 1))) {
                i++;
            } else if (Character.isSurrogate(c)) {
                throw new Cli.Mistake(String.format("%s has an unpaired surrogate U+%04X at character %d;"
                        + " a %s is sent as UTF-8, which has no encoding for it", option, (int) c, i + 1, what));
            } else if (c == 0) {
                throw new Cli.Mistake(option + " has a NUL character (U+0000) at character " + (i + 1)
                        + "; it would end the " + what + " early");
            }
        }
        int bytes = s.getBytes(StandardCharsets.UTF_8).length;
        if (bytes > field)
            throw new Cli.Mistake(option + " is " + bytes + " bytes long in UTF-8, but the request's " + what
                    + " field holds at most " + field + " bytes");
    }

    /** What went wrong with a report, in words: a collector's error code as a sentence. */
    static String say(ClientException e, Catalog.Kind k, Client.Selection sel) {
        return e.code != null ? notFound(e.code, k, sel) : e.getMessage();
    }

    /** A collector's error code as a sentence. */
    static String notFound(String code, Catalog.Kind k, Client.Selection sel) {
        String tran = "\"" + sel.tran() + "\"";
        switch (code) {
            case CollectorErrorException.TRAN_NOT_FOUND:
                return "the collector has no transaction " + tran + " (vyt report all-transactions lists them)";
            case CollectorErrorException.PATH_NOT_FOUND:
                return "transaction " + tran + " has no path " + sel.path() + " (vyt report transaction-paths --tran "
                        + sel.tran() + " lists them)";
            case CollectorErrorException.SERVER_NOT_FOUND:
                return "transaction " + tran + " has no server " + sel.server()
                        + " (vyt report transaction-servers --tran " + sel.tran() + " lists them)";
            case CollectorErrorException.BAD_REPORT_ID:
                return "the collector does not know report id " + k.reportId() + " (" + k.name()
                        + "); it serves other report kinds";
            case CollectorErrorException.BAD_REQUEST:
                return "the collector refused the request as malformed";
            default:
                return "the collector answered with the error " + code;
        }
    }
}
