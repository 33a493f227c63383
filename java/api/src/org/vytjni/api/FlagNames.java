package org.vytjni.api;

import java.util.ArrayList;
import java.util.List;

/** Names of the bits of a flags word. */
final class FlagNames {
    private final int[] bits;
    private final String[] names;

    FlagNames(int[] bits, String[] names) {
        this.bits = bits;
        this.names = names;
    }

    List<String> of(int word) {
        List<String> out = new ArrayList<>();
        for (int i = 0; i < bits.length; i++)
            if ((word & bits[i]) == bits[i]) out.add(names[i]);
        return out;
    }

    int bit(String name) {
        for (int i = 0; i < names.length; i++)
            if (names[i].equals(name)) return bits[i];
        throw new IllegalArgumentException("no flag is named " + name);
    }

    String text(int word) {
        return "0x" + Integer.toHexString(word) + (word == 0 ? "" : " " + of(word));
    }
}
