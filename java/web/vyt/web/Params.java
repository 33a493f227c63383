package vyt.web;

import java.nio.charset.StandardCharsets;
import java.util.Map;
import java.util.Set;
import javax.servlet.http.HttpServletRequest;
import vyt.catalog.Catalog;
import vyt.catalog.Flags;
import vyt.client.Client;

/**
 * Reads and checks the request arguments of a page or report from query or form parameters:
 * {@code tran}, {@code sub}, {@code path}, {@code server}, {@code view}, {@code continue},
 * {@code continue2}, {@code scroll}. Each failure names the parameter.
 */
final class Params {
    /** Longest transaction name the request record holds, in UTF-8 bytes. */
    static final int MAX_TRAN_BYTES = 64;
    /** Longest sub-transaction name or URL the request record holds, in UTF-8 bytes. */
    static final int MAX_SUB_BYTES = 1024;
    /** Largest page size a list page asks for. */
    static final int MAX_SCROLL = 1000;

    /** Parameters every page takes besides the request arguments. */
    static final Set<String> PAGE_PARAMS = Set.of("refresh", "csrf");

    /** A parameter that is missing, malformed or out of range. */
    static final class BadParameter extends Exception {
        private static final long serialVersionUID = 1L;
        final String name;

        BadParameter(String name, String message) {
            super("parameter " + name + ": " + message);
            this.name = name;
        }
    }

    private final HttpServletRequest req;

    Params(HttpServletRequest req) {
        this.req = req;
    }

    /** The single value of a parameter, or null; a repeated parameter is refused. */
    String value(String name) throws BadParameter {
        String[] v = req.getParameterValues(name);
        if (v == null) return null;
        if (v.length != 1) throw new BadParameter(name, "given " + v.length + " times");
        return v[0];
    }

    String tran(boolean required) throws BadParameter {
        return name("tran", MAX_TRAN_BYTES, required);
    }

    String sub(boolean required) throws BadParameter {
        return name("sub", MAX_SUB_BYTES, required);
    }

    private String name(String p, int maxBytes, boolean required) throws BadParameter {
        String v = value(p);
        if (v == null || v.isEmpty()) {
            if (required) throw new BadParameter(p, "required");
            return null;
        }
        if (v.getBytes(StandardCharsets.UTF_8).length > maxBytes)
            throw new BadParameter(p, "longer than " + maxBytes + " bytes as UTF-8");
        for (int i = 0; i < v.length(); i++) {
            char c = v.charAt(i);
            if (c == 0) throw new BadParameter(p, "holds a NUL character");
            if (Character.isSurrogate(c) && !(Character.isHighSurrogate(c) && i + 1 < v.length()
                    && Character.isLowSurrogate(v.charAt(++i))))
                throw new BadParameter(p, "holds an unpaired surrogate");
        }
        return v;
    }

    /** A non-negative decimal number up to {@code max}, or {@code dflt} when absent. */
    int number(String p, int dflt, int max, boolean required) throws BadParameter {
        String v = value(p);
        if (v == null || v.isEmpty()) {
            if (required) throw new BadParameter(p, "required");
            return dflt;
        }
        if (!v.matches("[0-9]{1,10}")) throw new BadParameter(p, "not a number: " + v);
        long n = Long.parseLong(v);
        if (n > max) throw new BadParameter(p, "out of range 0.." + max + ": " + v);
        return (int) n;
    }

    /** Flags: a number or flag names joined by "," or "|" (see {@link Flags#parse}). */
    int flags(String p, int dflt) throws BadParameter {
        String v = value(p);
        if (v == null || v.isEmpty()) return dflt;
        if (v.length() > 512) throw new BadParameter(p, "too long");
        try {
            return Flags.parse(v);
        } catch (IllegalArgumentException e) {
            throw new BadParameter(p, e.getMessage());
        }
    }

    /**
     * The selection of a report kind from the request: every parameter the kind takes, with the
     * transaction, path and server required where the kind takes them (and the URL for the rule
     * operations that set one). A request argument the kind does not take is refused.
     */
    Client.Selection selection(Catalog.Kind k) throws BadParameter {
        for (Map.Entry<String, String[]> e : req.getParameterMap().entrySet()) {
            Catalog.Selection s = Catalog.Selection.ofKey(e.getKey());
            if (s == null && !PAGE_PARAMS.contains(e.getKey()))
                throw new BadParameter(e.getKey(), "unknown");
            if (s != null && !k.takes(s)) throw new BadParameter(e.getKey(), "not taken by " + k.name());
        }
        Client.Selection sel = Client.Selection.NONE;
        if (k.takes(Catalog.Selection.TRAN)) sel = sel.tran(tran(true));
        if (k.takes(Catalog.Selection.SUB)) {
            boolean setsUrl = k.name().equals("add-url-rule") || k.name().equals("edit-url-rule");
            String sub = sub(setsUrl);
            if (sub != null) sel = sel.sub(sub);
        }
        if (k.takes(Catalog.Selection.PATH)) sel = sel.path(number("path", 0, Integer.MAX_VALUE, true));
        if (k.takes(Catalog.Selection.SERVER)) sel = sel.server(number("server", 0, Integer.MAX_VALUE, true));
        if (k.takes(Catalog.Selection.VIEW)) sel = sel.view(flags("view", 0));
        int c1 = k.takes(Catalog.Selection.CONTINUE) ? number("continue", 0, Integer.MAX_VALUE, false) : 0;
        int c2 = k.takes(Catalog.Selection.CONTINUE2) ? number("continue2", 0, Integer.MAX_VALUE, false) : 0;
        sel = sel.continueAt(c1, c2);
        if (k.takes(Catalog.Selection.SCROLL)) sel = sel.scroll(number("scroll", 0, MAX_SCROLL, false));
        return sel;
    }
}
