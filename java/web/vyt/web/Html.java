package vyt.web;

import java.net.URLEncoder;
import java.nio.charset.StandardCharsets;

/**
 * Builds an HTML page. Texts go in through {@link #text} and {@link #attr}, which escape them at
 * the point of writing; {@link #raw} takes only markup written in this package.
 */
final class Html {
    private final StringBuilder sb = new StringBuilder(8192);

    /** Markup written by this package, never a text from outside. */
    Html raw(String markup) {
        sb.append(markup);
        return this;
    }

    /** A text, escaped for element content. */
    Html text(String s) {
        escape(sb, s);
        return this;
    }

    Html text(int n) {
        sb.append(n);
        return this;
    }

    /** {@code name="value"} with the value escaped, preceded by a blank. */
    Html attr(String name, String value) {
        sb.append(' ').append(name).append("=\"");
        escape(sb, value);
        sb.append('"');
        return this;
    }

    /** An element holding one escaped text: {@code <tag class="cls">text</tag>}. */
    Html el(String tag, String cls, String text) {
        sb.append('<').append(tag);
        if (cls != null) attr("class", cls);
        sb.append('>');
        escape(sb, text);
        sb.append("</").append(tag).append('>');
        return this;
    }

    /** A link whose href is built by {@link #url} and whose text is escaped. */
    Html link(String href, String text) {
        sb.append("<a");
        attr("href", href);
        sb.append('>');
        escape(sb, text);
        sb.append("</a>");
        return this;
    }

    /** The characters written so far. */
    int length() {
        return sb.length();
    }

    @Override
    public String toString() {
        return sb.toString();
    }

    /** Escapes the five characters that can end a text or an attribute value. */
    static void escape(StringBuilder out, String s) {
        if (s == null) return;
        for (int i = 0; i < s.length(); i++) {
            char c = s.charAt(i);
            switch (c) {
                case '<': out.append("&lt;"); break;
                case '>': out.append("&gt;"); break;
                case '&': out.append("&amp;"); break;
                case '"': out.append("&quot;"); break;
                case '\'': out.append("&#39;"); break;
                default: out.append(c);
            }
        }
    }

    static String escape(String s) {
        StringBuilder sb = new StringBuilder(s.length() + 16);
        escape(sb, s);
        return sb.toString();
    }

    /**
     * A path with query parameters, each name and value URL-encoded: {@code url("/path", "tran",
     * "a b", "path", 1)} gives {@code /path?tran=a+b&path=1}. A null value leaves its pair out.
     */
    static String url(String path, Object... pairs) {
        StringBuilder u = new StringBuilder(path);
        char sep = '?';
        for (int i = 0; i + 1 < pairs.length; i += 2) {
            if (pairs[i + 1] == null) continue;
            u.append(sep).append(enc(String.valueOf(pairs[i]))).append('=').append(enc(String.valueOf(pairs[i + 1])));
            sep = '&';
        }
        return u.toString();
    }

    static String enc(String s) {
        return URLEncoder.encode(s, StandardCharsets.UTF_8);
    }
}
