package org.vytjni.api;

import java.nio.charset.StandardCharsets;

/** The checks of a request's names, made before any native call. */
final class RequestChecks {
    static final int TRAN_BYTES = 64;
    static final int SUB_BYTES = 1024;

    private RequestChecks() {}

    /** Refuses a null name, one that is not valid text, and one longer than its field. */
    static void name(String what, String value, int width) {
        if (value == null) throw new IllegalArgumentException(what + " is null; give a name (\"\" for none)");
        for (int i = 0; i < value.length(); i++) {
            char c = value.charAt(i);
            if (c == 0) throw new IllegalArgumentException(what + " holds a NUL character at index " + i);
            if (Character.isHighSurrogate(c) && i + 1 < value.length() && Character.isLowSurrogate(value.charAt(i + 1))) {
                i++;
            } else if (Character.isSurrogate(c)) {
                throw new IllegalArgumentException(what + " holds an unpaired surrogate at index " + i);
            }
        }
        int bytes = utf8(value).length;
        if (bytes > width)
            throw new IllegalArgumentException(what + " \"" + value + "\" takes " + bytes + " bytes of UTF-8; its field holds "
                    + width);
    }

    static byte[] utf8(String s) {
        return s.getBytes(StandardCharsets.UTF_8);
    }
}
