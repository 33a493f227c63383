package vyt.web;

import java.util.Iterator;
import java.util.LinkedHashMap;
import java.util.Map;

/**
 * Rendered parts of pages, kept while what they show cannot change: the key names the data's
 * version (the collector's last poll) and the minute, so a new poll or a new minute makes a new
 * entry, and the least recently used entries go once the texts together pass a bound.
 */
final class PageCache {
    private final long maxChars;
    private final LinkedHashMap<String, String> map = new LinkedHashMap<>(64, 0.75f, true);
    private long chars;

    PageCache(long maxChars) {
        this.maxChars = maxChars;
    }

    synchronized String get(String key) {
        return map.get(key);
    }

    synchronized void put(String key, String text) {
        if (text.length() > maxChars / 4) return;  // one page never takes the whole cache
        String old = map.put(key, text);
        chars += text.length() - (old == null ? 0 : old.length());
        for (Iterator<Map.Entry<String, String>> it = map.entrySet().iterator(); chars > maxChars && it.hasNext(); ) {
            chars -= it.next().getValue().length();
            it.remove();
        }
    }
}
