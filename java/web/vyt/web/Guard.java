package vyt.web;

import java.net.InetAddress;
import java.net.URI;
import java.net.URISyntaxException;
import java.net.UnknownHostException;
import java.util.List;
import java.util.Locale;
import java.util.Set;
import java.util.TreeSet;
import javax.servlet.ServletContext;
import javax.servlet.http.HttpServletRequest;

/**
 * Which host names the server answers to, and whether a change comes from its own pages. A page
 * on another site whose host name resolves to this server (DNS rebinding) sends its own name in
 * {@code Host} and gets 421; a form on another site sends its own {@code Origin} and gets 403.
 *
 * <p>Accepted {@code Host} values: the address the connection arrived on with its port,
 * {@code localhost} with any port, and the configured names (a name given with a port must match
 * with that port). Behind a reverse proxy, {@code X-Forwarded-Host} and {@code X-Forwarded-Proto}
 * replace {@code Host} and the scheme only when the proxy is trusted.
 *
 * <p>{@code vyt web} sets one as the context attribute {@value #ATTRIBUTE}; in a war it is read
 * from the context parameters {@value #HOST_NAMES_PARAM} (names separated by blanks or commas)
 * and {@value #TRUST_PROXY_PARAM} ({@code true} or {@code false}).
 */
final class Guard {
    static final String ATTRIBUTE = "vyt.guard";
    static final String HOST_NAMES_PARAM = "vyt.hostNames";
    static final String TRUST_PROXY_PARAM = "vyt.trustProxy";

    private final Set<String> names = new TreeSet<>();
    private final boolean trustProxy;

    Guard(List<String> hostNames, boolean trustProxy) {
        for (String n : hostNames) if (!n.isBlank()) names.add(n.strip().toLowerCase(Locale.ROOT));
        this.trustProxy = trustProxy;
    }

    static Guard of(ServletContext context) {
        Object g = context.getAttribute(ATTRIBUTE);
        if (g instanceof Guard) return (Guard) g;
        String n = context.getInitParameter(HOST_NAMES_PARAM);
        return new Guard(n == null ? List.of() : List.of(n.split("[\\s,]+")),
                "true".equalsIgnoreCase(String.valueOf(context.getInitParameter(TRUST_PROXY_PARAM)).strip()));
    }

    /** The host name (and port) the browser asked for, or null. */
    String host(HttpServletRequest req) {
        String h = trustProxy ? firstOf(req.getHeader("X-Forwarded-Host")) : null;
        if (h == null) h = req.getHeader("Host");
        return h == null ? null : h.strip().toLowerCase(Locale.ROOT);
    }

    String scheme(HttpServletRequest req) {
        String p = trustProxy ? firstOf(req.getHeader("X-Forwarded-Proto")) : null;
        return (p == null ? req.getScheme() : p).toLowerCase(Locale.ROOT);
    }

    private static String firstOf(String header) {
        if (header == null) return null;
        String f = header.split(",", 2)[0].strip();
        return f.isEmpty() ? null : f;
    }

    /** Null when the request's host is one this server answers to, else why not. */
    String refuseHost(HttpServletRequest req) {
        String h = host(req);
        if (h == null) return "the request names no host (Host header)";
        String name = hostPart(h);
        int port = port(h, scheme(req));
        if (name.equals("localhost") || names.contains(h) || names.contains(name)) return null;
        if (port == req.getLocalPort() && literal(name) && sameAddress(name, req.getLocalAddr())) return null;
        return "this server does not answer to the host name " + h + "; it answers to its address, localhost"
                + (names.isEmpty() ? "" : " and " + String.join(", ", names))
                + " (name others with --host-name or the context parameter " + HOST_NAMES_PARAM + ")";
    }

    /** Null when a POST comes from this server's own pages (or from a script without a browser), else why not. */
    String refuseOrigin(HttpServletRequest req) {
        String origin = req.getHeader("Origin");
        if (origin != null) {
            String h = host(req);
            try {
                URI o = new URI(origin.strip());
                String scheme = o.getScheme() == null ? "" : o.getScheme().toLowerCase(Locale.ROOT);
                if (o.getHost() != null && h != null && scheme.equals(scheme(req))
                        && normal(o.getRawAuthority().toLowerCase(Locale.ROOT), scheme)
                                .equals(normal(h, scheme(req))))
                    return null;
            } catch (URISyntaxException e) {
                // not an origin: refused below
            }
            return "refused: the change comes from another site (Origin " + origin + "); nothing was changed";
        }
        String site = req.getHeader("Sec-Fetch-Site");
        if (site != null && !site.strip().equalsIgnoreCase("same-origin"))
            return "refused: the change comes from another site (Sec-Fetch-Site " + site + "); nothing was changed";
        return null;
    }

    /** HOST[:PORT] without the scheme's default port. */
    private static String normal(String hostPort, String scheme) {
        int p = port(hostPort, scheme);
        String name = hostPart(hostPort);
        return p == defaultPort(scheme) ? name : name + ":" + p;
    }

    private static int defaultPort(String scheme) {
        return scheme.equals("https") ? 443 : 80;
    }

    /** The name or address of HOST[:PORT], an IPv6 address in brackets. */
    private static String hostPart(String hostPort) {
        if (hostPort.startsWith("[")) {
            int end = hostPort.indexOf(']');
            return end < 0 ? hostPort : hostPort.substring(0, end + 1);
        }
        int colon = hostPort.lastIndexOf(':');
        return colon < 0 ? hostPort : hostPort.substring(0, colon);
    }

    private static int port(String hostPort, String scheme) {
        String name = hostPart(hostPort);
        if (hostPort.length() <= name.length() + 1) return defaultPort(scheme);
        try {
            return Integer.parseInt(hostPort.substring(name.length() + 1));
        } catch (NumberFormatException e) {
            return -1;
        }
    }

    /** An IPv4 or bracketed IPv6 literal: comparing it needs no name lookup. */
    private static boolean literal(String name) {
        return name.matches("\\[[0-9a-f:.]+\\]") || name.matches("[0-9]{1,3}(\\.[0-9]{1,3}){3}");
    }

    private static boolean sameAddress(String literal, String local) {
        try {
            String a = literal.startsWith("[") ? literal.substring(1, literal.length() - 1) : literal;
            String b = local.startsWith("[") ? local.substring(1, local.length() - 1) : local;
            return InetAddress.getByName(a).equals(InetAddress.getByName(b));
        } catch (UnknownHostException e) {
            return false;
        }
    }
}
