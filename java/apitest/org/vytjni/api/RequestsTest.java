package org.vytjni.api;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.lang.reflect.Constructor;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.RecordComponent;
import java.util.Arrays;
import java.util.stream.Stream;

import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.MethodSource;


/** Typed requests give buildVYTRequest's bytes, and refuse bad names before any native call. */
class RequestsTest {
    static final String TRAN = "checkout", SUB = "/shop/caf\u00e9";
    static final int PATH = 3, SERVER = 5, VIEW = 0x2000104, CONTINUE = 7, CONTINUE2 = 11, SCROLL = 13;

    static Stream<ReportKind> kinds() {
        return Arrays.stream(ReportKind.values());
    }

    static Class<?> requestClass(ReportKind k) throws ClassNotFoundException {
        StringBuilder b = new StringBuilder();
        for (String w : k.kindName().split("-")) b.append(Character.toUpperCase(w.charAt(0))).append(w.substring(1));
        return Class.forName(Requests.class.getName() + "$" + b);
    }

    /** The kind's request with every selection it takes set to its distinct value. */
    static Request<?> request(ReportKind k, String tran) throws Exception {
        Class<?> c = requestClass(k);
        RecordComponent[] rc = c.getRecordComponents();
        Object[] args = new Object[rc.length];
        Class<?>[] types = new Class<?>[rc.length];
        for (int i = 0; i < rc.length; i++) {
            types[i] = rc[i].getType();
            args[i] = switch (rc[i].getName()) {
                case "tran" -> tran;
                case "sub" -> SUB;
                case "path" -> PATH;
                case "server" -> SERVER;
                case "view" -> VIEW;
                case "continueIdx" -> CONTINUE;
                case "continueIdx2" -> CONTINUE2;
                case "scroll" -> SCROLL;
                default -> throw new AssertionError(k + ": unknown selection " + rc[i].getName());
            };
        }
        Constructor<?> ctor = c.getDeclaredConstructor(types);
        try {
            return (Request<?>) ctor.newInstance(args);
        } catch (InvocationTargetException e) {
            throw (Exception) e.getCause();
        }
    }

    @ParameterizedTest
    @MethodSource("kinds")
    void requestBytesEqualBuildVYTRequest(ReportKind k) throws Exception {
        Request<?> r = request(k, TRAN);
        assertEquals(k, r.kind());
        assertEquals(k.selections().size(), r.getClass().getRecordComponents().length, k + ": selections");
        boolean has2 = k.selections().contains("continue2"), server = k.selections().contains("server");
        byte[] legacy = LegacyCalls.buildRequest(k.type(), k.selections().contains("view") ? VIEW : 0,
                k.selections().contains("continue") ? CONTINUE : 0, k.selections().contains("scroll") ? SCROLL : 0,
                k.selections().contains("tran") ? TRAN : "", k.selections().contains("sub") ? SUB : "NOTRANSNAME",
                k.selections().contains("path") ? PATH : 0, server ? SERVER : has2 ? CONTINUE2 : 0, false);
        assertArrayEquals(legacy, r.toBytes(), k.toString());
    }

    @Test
    void namesThatCannotFitOrAreNotTextAreRefusedWithTheReason() {
        String[][] cases = {
            {"x".repeat(65), "takes 65 bytes of UTF-8; its field holds 64"},
            {"\u00e9".repeat(33), "takes 66 bytes of UTF-8; its field holds 64"},
            {"ab\ud800", "unpaired surrogate at index 2"},
            {null, "tran is null"},
        };
        for (String[] c : cases) {
            IllegalArgumentException e = assertThrows(IllegalArgumentException.class,
                    () -> new Requests.ResponseTime(c[0]));
            assertTrue(e.getMessage().contains(c[1]), e.getMessage());
        }
        assertEquals(1132, new Requests.ResponseTime("x".repeat(64)).toBytes().length, "a name of the field's width fits");
    }
}
