package org.vytjni.api;

import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.IntBuffer;
import java.nio.charset.StandardCharsets;
import java.util.Arrays;
import java.util.Objects;

/**
 * One reply as the library decoded it: its calls as numbers and its distinct texts. The library
 * hands over a direct buffer of ints in native order, over its own memory and valid only until
 * this thread's next decode (so read within the decode that made it) (the failure, the offset, where the calls end, the number of entries, the
 * calls, then two words per text: where its bytes start, and their length with KEPT set when they
 * are in the byte[] rather than in the reply, NOT_ASCII when they are not ASCII) and one byte[]
 * (the texts the library made or converted, as UTF-8); each String is made here, once.
 */
final class DecodedReply {
    static final int FIRST_CALL = 4;
    static final int SET_DATA = 0;
    private static final int CALLS_END = 2, ENTRIES = 3;
    private static final int KEPT = 0x80000000, NOT_ASCII = 0x40000000, LENGTH = 0x3FFFFFFF;

    private static final BadReplyException.Reason[] REASONS = {null, BadReplyException.Reason.TRUNCATED,
        BadReplyException.Reason.LENGTH_MISMATCH, BadReplyException.Reason.READ_OUTSIDE_RECORD,
        BadReplyException.Reason.EMPTY, null, BadReplyException.Reason.INVALID_KIND, BadReplyException.Reason.OTHER};
    private static final int COLLECTOR_ERROR = 5;

    private final ReportKind kind;
    private final IntBuffer calls;
    private final String[] texts;

    private DecodedReply(ReportKind kind, IntBuffer calls, String[] texts) {
        this.kind = kind;
        this.calls = calls;
        this.texts = texts;
    }

    /** Decodes {@code reply} as a reply of {@code kind}; throws what the library found wrong. */
    static DecodedReply of(ReportKind kind, byte[] reply) {
        Objects.requireNonNull(kind, "kind");
        Objects.requireNonNull(reply, "reply");
        Object[] r = NativeCalls.decode0(reply, kind.type());
        if (r == null)
            throw new IllegalStateException("the library could not decode the " + kind.kindName()
                    + " reply; its trace file's error line says why");
        IntBuffer calls = ((ByteBuffer) r[0]).order(ByteOrder.nativeOrder()).asIntBuffer();
        String[] texts = texts(calls, (byte[]) r[1], reply);
        int failure = calls.get(0);
        if (failure == COLLECTOR_ERROR) throw new CollectorErrorException(kind, texts[0]);
        if (failure != 0) {
            BadReplyException.Reason why = failure < REASONS.length && REASONS[failure] != null ? REASONS[failure]
                    : BadReplyException.Reason.OTHER;
            throw new BadReplyException(kind, calls.get(1), why, texts[0]);
        }
        return new DecodedReply(kind, calls, texts);
    }

    private static String[] texts(IntBuffer words, byte[] kept, byte[] reply) {
        int from = words.get(CALLS_END);
        String[] texts = new String[(words.limit() - from) >> 1];
        for (int i = 0, w = from; i < texts.length; i++, w += 2) {
            int at = words.get(w), len = words.get(w + 1);
            byte[] in = (len & KEPT) != 0 ? kept : reply;
            texts[i] = (len & NOT_ASCII) == 0 ? new String(in, at, len & LENGTH, StandardCharsets.ISO_8859_1)
                    : new String(in, at, len & LENGTH, StandardCharsets.UTF_8);
        }
        return texts;
    }

    IntBuffer calls() {
        return calls;
    }

    /** Where the calls end in {@link #calls()}. */
    int callsEnd() {
        return calls.get(CALLS_END);
    }

    /** The number of addEntry calls. */
    int entries() {
        return calls.get(ENTRIES);
    }

    String[] texts() {
        return texts;
    }

    /**
     * Drops the texts once the record holds them. A large reply's String[] is a humongous object,
     * which G1 (before JDK 22) reclaims only in a marking cycle: until then every String it holds
     * would stay alive and be copied by each young collection.
     */
    void release() {
        Arrays.fill(texts, null);
    }

    /** The same for a reader's array of entries, once List.of has copied it. */
    static void release(Object[] entries) {
        Arrays.fill(entries, null);
    }

    /** A reply whose calls do not fit its kind: a call it does not make, or no header (null). */
    BadReplyException unexpected(String method) {
        return new BadReplyException(kind, -1, BadReplyException.Reason.OTHER,
                method == null ? "the reply gave no header values" : "the decoder made an unexpected " + method + " call");
    }
}
