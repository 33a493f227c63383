package vyt.cli;

import vyt.catalog.Catalog;
import vyt.client.Client;
import vyt.client.ClientException;
import vyt.client.Native;
import vyt.client.Report;
import vyt.client.Target;

import java.nio.charset.StandardCharsets;

/**
 * Sends a request and tells in words what went wrong: a name the library would refuse is
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

    /** Builds the request with the library, exchanges it with the collector and decodes the reply. */
    static Report fetch(Client client, Catalog.Kind k, Client.Selection sel, boolean trace) throws ClientException {
        byte[] request = Native.buildRequest(k.type(), sel.view(), sel.continueIdx(), sel.scroll(), sel.tran(),
                sel.sub(), sel.path(), sel.ipAddr(k), trace);
        if (request == null)
            throw new ClientException(ClientException.Reason.BAD_REQUEST, "the library refused to build the request;"
                    + " run again with --trace and read the error line in " + Cli.TRACE_FILE);
        byte[] reply = client.exchange(request);
        Target target = new Target();
        int status = Native.mapData(reply, target, k.type());
        if (status == Native.STATUS_TRAN_NOT_FOUND)
            throw new ClientException(ClientException.Reason.TRAN_NOT_FOUND, notFound("FAIL_TRANNOTFOU", k, sel));
        if (status != Native.STATUS_OK) {
            String code = Client.errorText(reply);
            throw new ClientException(ClientException.Reason.FAILED, code != null ? notFound(code, k, sel)
                    : "the library could not decode the reply (status " + status + "); run again with --trace and"
                            + " read " + Cli.TRACE_FILE);
        }
        try {
            return Report.of(k, target.calls(), status);
        } catch (IllegalStateException e) {
            throw new ClientException(ClientException.Reason.FAILED, e.getMessage(), e);
        }
    }

    /** A collector's error code as a sentence. */
    static String notFound(String code, Catalog.Kind k, Client.Selection sel) {
        String tran = "\"" + sel.tran() + "\"";
        switch (code) {
            case "FAIL_TRANNOTFOU":
                return "the collector has no transaction " + tran + " (vyt report all-transactions lists them)";
            case "FAIL_PATHNOTFOU":
                return "transaction " + tran + " has no path " + sel.path() + " (vyt report transaction-paths --tran "
                        + sel.tran() + " lists them)";
            case "FAIL_SRVNOTFOU":
                return "transaction " + tran + " has no server " + sel.server()
                        + " (vyt report transaction-servers --tran " + sel.tran() + " lists them)";
            case "FAIL_BADREPORTID":
                return "the collector does not know report id " + k.reportId() + " (" + k.name()
                        + "); it serves other report kinds";
            case "FAIL_BADREQUEST":
                return "the collector refused the request as malformed";
            default:
                return "the collector answered with the error " + code;
        }
    }
}
