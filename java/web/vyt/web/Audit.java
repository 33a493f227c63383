package vyt.web;

import com.fasterxml.jackson.databind.node.ObjectNode;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;
import java.time.Instant;
import java.util.logging.Logger;
import javax.servlet.ServletContext;
import javax.servlet.http.HttpServletRequest;
import vyt.catalog.Catalog;
import vyt.client.Client;
import vyt.client.ReportJson;

/**
 * The audit log of rule changes: one JSON line per change, with the time, the user, the browser's
 * address, the collector, the operation, its arguments and the result. {@code vyt web} sets one
 * as the context attribute {@value #ATTRIBUTE}; a war names its file with the context parameter
 * {@value #FILE_PARAM}, else the lines go to the log {@code vyt.audit}.
 */
final class Audit {
    static final String ATTRIBUTE = "vyt.audit";
    static final String FILE_PARAM = "vyt.auditLog";
    private static final Logger LOG = Logger.getLogger("vyt.audit");

    private final Path file;

    /** Lines appended to {@code file}, or to the log {@code vyt.audit} when it is null. */
    Audit(Path file) {
        this.file = file;
    }

    static Audit of(ServletContext context) {
        Object a = context.getAttribute(ATTRIBUTE);
        if (a instanceof Audit) return (Audit) a;
        String f = context.getInitParameter(FILE_PARAM);
        return new Audit(f == null || f.isBlank() ? null : Path.of(f.strip()));
    }

    /** Checks that the file can be written, so that a server does not start without its audit log. */
    void open() throws IOException {
        if (file != null) Files.write(file, new byte[0], StandardOpenOption.CREATE, StandardOpenOption.APPEND);
    }

    /** One change; {@code code} is the collector's return code, or -1 when the exchange failed. */
    void record(HttpServletRequest req, String collector, Catalog.Kind kind, Client.Selection sel, int code,
            String reason) {
        ObjectNode line = ReportJson.MAPPER.createObjectNode();
        line.put("time", Instant.now().toString());
        line.put("user", req.getRemoteUser());
        line.put("address", req.getRemoteAddr());
        line.put("collector", collector);
        line.put("operation", kind.name());
        ObjectNode args = line.putObject("arguments");
        args.put("tran", sel.tran());
        if (kind.takes(Catalog.Selection.SUB)) args.put("sub", sel.sub());
        if (kind.takes(Catalog.Selection.CONTINUE)) args.put("continue", sel.continueIdx());
        if (kind.takes(Catalog.Selection.VIEW)) args.put("view", sel.view());
        ObjectNode result = line.putObject("result");
        if (code >= 0) result.put("code", code);
        result.put("reason", reason);
        String text = line.toString();
        if (file == null) {
            LOG.info(text);
            return;
        }
        synchronized (this) {
            try {
                Files.write(file, (text + "\n").getBytes(StandardCharsets.UTF_8), StandardOpenOption.CREATE,
                        StandardOpenOption.APPEND);
            } catch (IOException e) {
                FrontEndServlet.LOG.severe("cannot write the audit log " + file + " (" + e.getMessage() + "): " + text);
            }
        }
    }
}
