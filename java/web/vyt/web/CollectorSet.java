package vyt.web;

import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/**
 * The collectors the front end shows, by name, the first being the default. A collector is
 * named on the command line as {@code NAME=HOST:PORT}, or as {@code HOST:PORT} (named after its
 * host), or in a file of such lines ({@code #} starts a comment).
 */
final class CollectorSet {
    static final int DEFAULT_POLL = 300;
    static final String NAME_PATTERN = "[A-Za-z0-9][A-Za-z0-9._-]{0,63}";

    /** A named collector address, as configured. */
    record Named(String name, String address) {
    }

    private final Map<String, Source> byName = new LinkedHashMap<>();

    CollectorSet(List<Source> sources) {
        for (Source s : sources) byName.put(s.name, s);
    }

    List<Source> all() {
        return List.copyOf(byName.values());
    }

    List<String> names() {
        return List.copyOf(byName.keySet());
    }

    Source first() {
        return byName.values().iterator().next();
    }

    /** The collector of a name, or null. */
    Source get(String name) {
        return byName.get(name);
    }

    /** Reads the collectors of the command line and the file; an error names the argument or the line. */
    static List<Named> parse(List<String> given, Path file) throws IOException {
        List<String> all = new ArrayList<>();
        List<String> where = new ArrayList<>();
        for (String s : given) {
            all.add(s.strip());
            where.add("--collector " + s);
        }
        if (file != null) {
            List<String> lines = Files.readAllLines(file, StandardCharsets.UTF_8);
            for (int i = 0; i < lines.size(); i++) {
                String l = lines.get(i);
                int hash = l.indexOf('#');
                if (hash >= 0) l = l.substring(0, hash);
                if (l.isBlank()) continue;
                all.add(l.strip());
                where.add(file + " line " + (i + 1));
            }
        }
        List<Named> out = new ArrayList<>();
        for (int i = 0; i < all.size(); i++) {
            String s = all.get(i);
            int eq = s.indexOf('=');
            String name = eq < 0 ? null : s.substring(0, eq).strip();
            String address = eq < 0 ? s : s.substring(eq + 1).strip();
            int colon = address.lastIndexOf(':');
            if (colon < 0 || !address.substring(colon + 1).matches("[0-9]{1,5}"))
                throw new IllegalArgumentException(where.get(i) + ": expected NAME=HOST:PORT or HOST:PORT, not " + s);
            if (name == null) {
                name = address.substring(0, colon);
                if (name.startsWith("[") && name.endsWith("]")) name = name.substring(1, name.length() - 1);
                if (name.isEmpty()) name = "127.0.0.1";
                name = name.replace(':', '-');
            }
            if (!name.matches(NAME_PATTERN))
                throw new IllegalArgumentException(where.get(i) + ": the name \"" + name + "\" must be letters, digits,"
                        + " '.', '_' or '-' (up to 64)");
            for (Named o : out)
                if (o.name.equals(name))
                    throw new IllegalArgumentException(where.get(i) + ": a second collector named " + name
                            + "; give each its own name, NAME=HOST:PORT");
            out.add(new Named(name, address));
        }
        return out;
    }
}
