package vyt.web;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.nio.ByteBuffer;
import java.nio.charset.CharacterCodingException;
import java.nio.charset.CodingErrorAction;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.Collections;
import java.util.LinkedHashMap;
import java.util.List;
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
 *
 * <p>The parameters are decoded here, once per request ({@link #parse}), not by the container:
 * strictly as UTF-8, so that a bad percent-encoding or a byte sequence that is not UTF-8 is a 400
 * naming the parameter, and within {@link #MAX_FORM_BYTES} and {@link #MAX_KEYS}.
 */
final class Params {
    /** Longest transaction name the request record holds, in UTF-8 bytes. */
    static final int MAX_TRAN_BYTES = 64;
    /** Longest sub-transaction name or URL the request record holds, in UTF-8 bytes. */
    static final int MAX_SUB_BYTES = 1024;
    /** Largest page size a list page asks for. */
    static final int MAX_SCROLL = 1000;

    /** Parameters every page takes besides the request arguments. */
    static final Set<String> PAGE_PARAMS = Set.of("refresh", "collector", "sort", "dir", "q", "csv");
    /** Largest form body read, in bytes. */
    static final int MAX_FORM_BYTES = 64 * 1024;
    /** Most parameters a request may carry, query and form together. */
    static final int MAX_KEYS = 100;
    /** The request attribute holding the decoded parameters. */
    static final String ATTRIBUTE = "vyt.params";

    /** A parameter that is missing, malformed or out of range. */
    static final class BadParameter extends Exception {
        private static final long serialVersionUID = 1L;
        final String name;

        BadParameter(String name, String message) {
            super("parameter " + name + ": " + message);
            this.name = name;
        }
    }

    /** A request larger than this server reads: 413. */
    static final class TooLarge extends Exception {
        private static final long serialVersionUID = 1L;

        TooLarge(String message) {
            super(message);
        }
    }

    private final Map<String, List<String>> map;
    private final boolean post;

    @SuppressWarnings("unchecked")
    Params(HttpServletRequest req) {
        Object m = req.getAttribute(ATTRIBUTE);
        this.map = m instanceof Map ? (Map<String, List<String>>) m : Map.of();
        this.post = req.getMethod().equals("POST");
    }

    /**
     * Decodes the query string and, for a POSTed form, the body, and keeps them as a request
     * attribute for every {@link Params} of the request. The CSRF token is never taken from the
     * query string, where it would land in access logs and browser histories.
     */
    static void parse(HttpServletRequest req) throws BadParameter, TooLarge, IOException {
        Map<String, List<String>> m = new LinkedHashMap<>();
        String q = req.getQueryString();
        if (q != null) decode(q.getBytes(StandardCharsets.UTF_8), m);
        if (m.containsKey("csrf"))
            throw new BadParameter("csrf", "not taken from the address; send it in the form or the X-CSRF-Token header");
        String type = req.getContentType();
        if (req.getMethod().equals("POST") && type != null
                && type.toLowerCase(java.util.Locale.ROOT).startsWith("application/x-www-form-urlencoded")) {
            if (req.getContentLengthLong() > MAX_FORM_BYTES) throw tooLarge();
            ByteArrayOutputStream body = new ByteArrayOutputStream();
            try (InputStream in = req.getInputStream()) {
                byte[] b = new byte[8192];
                for (int n; (n = in.read(b)) > 0; ) {
                    if (body.size() + n > MAX_FORM_BYTES) throw tooLarge();
                    body.write(b, 0, n);
                }
            }
            decode(body.toByteArray(), m);
        }
        for (Map.Entry<String, List<String>> e : m.entrySet()) e.setValue(Collections.unmodifiableList(e.getValue()));
        req.setAttribute(ATTRIBUTE, Collections.unmodifiableMap(m));
    }

    private static TooLarge tooLarge() {
        return new TooLarge("the form is larger than " + MAX_FORM_BYTES / 1024 + " KB");
    }

    /** Adds the pairs of {@code name=value&...} (application/x-www-form-urlencoded) to {@code m}. */
    private static void decode(byte[] text, Map<String, List<String>> m) throws BadParameter, TooLarge {
        int keys = 0;
        for (List<String> v : m.values()) keys += v.size();
        int start = 0;
        while (start <= text.length) {
            int end = start;
            while (end < text.length && text[end] != '&') end++;
            if (end > start) {
                int eq = start;
                while (eq < end && text[eq] != '=') eq++;
                String rawName = new String(text, start, eq - start, StandardCharsets.ISO_8859_1);
                String name = unescape(text, start, eq, rawName);
                String value = eq < end ? unescape(text, eq + 1, end, name) : "";
                if (++keys > MAX_KEYS) throw new TooLarge("more than " + MAX_KEYS + " parameters");
                m.computeIfAbsent(name, k -> new ArrayList<>()).add(value);
            }
            start = end + 1;
        }
    }

    /** Percent-decodes {@code text[from, to)} ('+' is a blank) as strict UTF-8; failures name {@code name}. */
    private static String unescape(byte[] text, int from, int to, String name) throws BadParameter {
        byte[] out = new byte[to - from];
        int n = 0;
        for (int i = from; i < to; i++) {
            byte c = text[i];
            if (c == '+') {
                out[n++] = ' ';
            } else if (c == '%') {
                int hi = i + 2 < to ? Character.digit(text[i + 1], 16) : -1;
                int lo = hi >= 0 ? Character.digit(text[i + 2], 16) : -1;
                if (lo < 0) throw new BadParameter(name, "bad percent-encoding (a % not followed by two hex digits)");
                out[n++] = (byte) (hi << 4 | lo);
                i += 2;
            } else {
                out[n++] = c;
            }
        }
        try {
            return StandardCharsets.UTF_8.newDecoder().onMalformedInput(CodingErrorAction.REPORT)
                    .onUnmappableCharacter(CodingErrorAction.REPORT).decode(ByteBuffer.wrap(out, 0, n)).toString();
        } catch (CharacterCodingException e) {
            throw new BadParameter(name, "not valid UTF-8 once percent-decoded");
        }
    }

    /** Every parameter with its values, in the order given. */
    Map<String, List<String>> all() {
        return map;
    }

    /** The first value of a parameter, or null. */
    String first(String name) {
        List<String> v = map.get(name);
        return v == null ? null : v.get(0);
    }

    /** Refuses a parameter outside {@code names} and the ones every page takes. */
    void only(String... names) throws BadParameter {
        for (String k : map.keySet()) {
            if (PAGE_PARAMS.contains(k) || (post && k.equals("csrf"))) continue;
            if (!List.of(names).contains(k)) throw new BadParameter(k, "unknown");
        }
    }

    /** The single value of a parameter, or null; a repeated parameter is refused. */
    String value(String name) throws BadParameter {
        List<String> v = map.get(name);
        if (v == null) return null;
        if (v.size() != 1) throw new BadParameter(name, "given " + v.size() + " times");
        return v.get(0);
    }

    /** A rule's URL: required, and not only white space. */
    String url() throws BadParameter {
        String v = sub(true);
        if (v.isBlank()) throw new BadParameter("sub", "only white space; a rule needs a URL");
        return v;
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
        if (!v.matches("[0-9]+")) throw new BadParameter(p, "not a number: " + v);
        if (v.length() > 10 || Long.parseLong(v) > max) throw new BadParameter(p, "out of range 0.." + max + ": " + v);
        long n = Long.parseLong(v);
        return (int) n;
    }

    /** Flags: a number or flag names joined by "," or "|" (see {@link Flags#parse}). */
    int flags(String p, int dflt) throws BadParameter {
        String v = value(p);
        if (v == null || v.isEmpty()) return dflt;
        if (v.length() > 512) throw new BadParameter(p, "too long");
        String t = v.trim();
        if (t.matches("-?[0-9]+") && (t.length() > 11 || Long.parseLong(t) != (int) Long.parseLong(t)))
            throw new BadParameter(p, "out of range: a number of flags fits in 32 bits (0x0..0xffffffff or "
                    + Integer.MIN_VALUE + ".." + Integer.MAX_VALUE + "), not " + v);
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
        for (Map.Entry<String, List<String>> e : map.entrySet()) {
            Catalog.Selection s = Catalog.Selection.ofKey(e.getKey());
            if (s == null && !PAGE_PARAMS.contains(e.getKey()) && !(post && e.getKey().equals("csrf")))
                throw new BadParameter(e.getKey(), "unknown");
            if (s != null && !k.takes(s)) throw new BadParameter(e.getKey(), "not taken by " + k.name());
        }
        Client.Selection sel = Client.Selection.NONE;
        if (k.takes(Catalog.Selection.TRAN)) sel = sel.tran(tran(true));
        if (k.takes(Catalog.Selection.SUB)) {
            boolean setsUrl = k.name().equals("add-url-rule") || k.name().equals("edit-url-rule");
            String sub = setsUrl ? url() : sub(false);
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
