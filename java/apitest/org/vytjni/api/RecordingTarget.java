package org.vytjni.api;

import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collections;
import java.util.List;

/**
 * The legacy binding classes' report target for every report kind, the reference the typed
 * records are compared with: it declares one {@code setData} and one
 * {@code addEntry} method per distinct callback signature of the catalogue (the library looks
 * them up by name and JNI signature) and records each call with its arguments in call order.
 */
final class RecordingTarget {
    /** One recorded call: "setData" or "addEntry" and its arguments. */
    public record Call(String method, List<Object> args) {
        public Call {
            args = Collections.unmodifiableList(Arrays.asList(args.toArray()));
        }

        @Override
        public String toString() {
            return method + args;
        }
    }

    private final List<Call> calls = new ArrayList<>();

    /** Every call in the order the library made it. */
    public List<Call> calls() {
        return calls;
    }

    private void record(String method, Object... args) {
        calls.add(new Call(method, Arrays.asList(args)));
    }

    /** Report types 16. */
    public void addEntry(int a1, int a2) {
        record("addEntry", a1, a2);
    }

    /** Report types 1. */
    public void addEntry(String a1, int a2) {
        record("addEntry", a1, a2);
    }

    /** Report types 24. */
    public void addEntry(String a1, int a2, int a3) {
        record("addEntry", a1, a2, a3);
    }

    /** Report types 27. */
    public void addEntry(String a1, int a2, int a3, int a4, int a5) {
        record("addEntry", a1, a2, a3, a4, a5);
    }

    /** Report types 13, 19. */
    public void addEntry(String a1, int a2, int a3, int a4, int a5, int a6, int a7, int a8, int a9, int a10,
            int a11, int a12) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12);
    }

    /** Report types 10. */
    public void addEntry(String a1, int a2, int a3, int a4, int a5, int a6, int a7, int a8, int a9, int a10,
            int a11, int a12, int a13, int a14, int a15, int a16) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16);
    }

    /** Report types 8. */
    public void addEntry(String a1, int a2, int a3, int a4, int a5, int a6, int a7, int a8, int a9, int a10,
            int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18);
    }

    /** Report types 9. */
    public void addEntry(String a1, int a2, int a3, int a4, int a5, int a6, int a7, int a8, int a9, int a10,
            int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18, int a19) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18,
                a19);
    }

    /** Report types 20. */
    public void addEntry(String a1, String a2, int a3, int a4) {
        record("addEntry", a1, a2, a3, a4);
    }

    /** Report types 22. */
    public void addEntry(String a1, String a2, int a3, int a4, int a5) {
        record("addEntry", a1, a2, a3, a4, a5);
    }

    /** Report types 14. */
    public void addEntry(String a1, String a2, int a3, int a4, int a5, int a6, int a7, int a8, int a9,
            int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17);
    }

    /** Report types 7. */
    public void addEntry(String a1, String a2, int a3, int a4, int a5, int a6, int a7, int a8, int a9,
            int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18, int a19, int a20,
            int a21, int a22, int a23, int a24) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18,
                a19, a20, a21, a22, a23, a24);
    }

    /** Report types 23. */
    public void addEntry(String a1, String a2, String a3, int a4) {
        record("addEntry", a1, a2, a3, a4);
    }

    /** Report types 12. */
    public void addEntry(String a1, String a2, String a3, String a4, int a5, int a6, int a7, int a8, int a9,
            int a10, int a11, int a12) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12);
    }

    /** Report types 6, 18. */
    public void addEntry(String a1, String a2, String a3, String a4, int a5, int a6, int a7, int a8, int a9,
            int a10, int a11, int a12, int a13, int a14, int a15) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15);
    }

    /** Report types 5. */
    public void addEntry(String a1, String a2, String a3, String a4, int a5, int a6, int a7, int a8, int a9,
            int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18);
    }

    /** Report types 4. */
    public void addEntry(String a1, String a2, String a3, String a4, int a5, int a6, int a7, int a8, int a9,
            int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18, int a19, int a20) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18,
                a19, a20);
    }

    /** Report types 15. */
    public void addEntry(String a1, String a2, String a3, String a4, String a5, String a6, int a7, int a8,
            int a9, int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18);
    }

    /** Report types 21. */
    public void addEntry(String a1, String a2, String a3, String a4, String a5, String a6, int a7, int a8,
            int a9, int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18, int a19) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18,
                a19);
    }

    /** Report types 11. */
    public void addEntry(String a1, String a2, String a3, String a4, String a5, String a6, int a7, int a8,
            int a9, int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18, int a19,
            int a20, int a21, int a22, int a23, int a24) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18,
                a19, a20, a21, a22, a23, a24);
    }

    /** Report types 2. */
    public void addEntry(String a1, String a2, String a3, String a4, String a5, String a6, String a7, int a8,
            int a9, int a10, int a11, int a12, int a13, int a14) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14);
    }

    /** Report types 26. */
    public void addEntry(String a1, String a2, String a3, String a4, String a5, String a6, String a7, int a8,
            int a9, int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18, int a19,
            int a20, int a21, int a22, int a23, int a24, int a25) {
        record("addEntry", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18,
                a19, a20, a21, a22, a23, a24, a25);
    }

    /** Report types 1. */
    public void setData(int a1, int a2) {
        record("setData", a1, a2);
    }

    /** Report types 15, 25. */
    public void setData(String a1, int a2, int a3) {
        record("setData", a1, a2, a3);
    }

    /** Report types 27. */
    public void setData(String a1, int a2, int a3, int a4, int a5) {
        record("setData", a1, a2, a3, a4, a5);
    }

    /** Report types 24. */
    public void setData(String a1, int a2, int a3, int a4, int a5, int a6) {
        record("setData", a1, a2, a3, a4, a5, a6);
    }

    /** Report types 28, 29, 30, 31, 32. */
    public void setData(String a1, String a2, int a3, int a4) {
        record("setData", a1, a2, a3, a4);
    }

    /** Report types 22. */
    public void setData(String a1, String a2, String a3, int a4) {
        record("setData", a1, a2, a3, a4);
    }

    /** Report types 11. */
    public void setData(String a1, String a2, String a3, int a4, int a5) {
        record("setData", a1, a2, a3, a4, a5);
    }

    /** Report types 21. */
    public void setData(String a1, String a2, String a3, int a4, int a5, int a6) {
        record("setData", a1, a2, a3, a4, a5, a6);
    }

    /** Report types 4, 5, 6, 12, 26. */
    public void setData(String a1, String a2, String a3, int a4, int a5, int a6, int a7) {
        record("setData", a1, a2, a3, a4, a5, a6, a7);
    }

    /** Report types 7, 18. */
    public void setData(String a1, String a2, String a3, int a4, int a5, int a6, int a7, int a8) {
        record("setData", a1, a2, a3, a4, a5, a6, a7, a8);
    }

    /** Report types 14. */
    public void setData(String a1, String a2, String a3, int a4, int a5, int a6, int a7, int a8, int a9,
            int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18) {
        record("setData", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18);
    }

    /** Report types 23. */
    public void setData(String a1, String a2, String a3, String a4, int a5) {
        record("setData", a1, a2, a3, a4, a5);
    }

    /** Report types 17. */
    public void setData(String a1, String a2, String a3, String a4, String a5, int a6, int a7, int a8, int a9,
            int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18, int a19, int a20,
            int a21, int a22, int a23, int a24, int a25, int a26, int a27, int a28, int a29, int a30, int a31,
            int a32, int a33, int a34, int a35, int a36, int a37) {
        record("setData", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18,
                a19, a20, a21, a22, a23, a24, a25, a26, a27, a28, a29, a30, a31, a32, a33, a34, a35, a36, a37);
    }

    /** Report types 16. */
    public void setData(String a1, String a2, String a3, String a4, String a5, String a6, String a7, int a8,
            int a9, int a10, int a11, int a12) {
        record("setData", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12);
    }

    /** Report types 19. */
    public void setData(String a1, String a2, String a3, String a4, String a5, String a6, String a7, int a8,
            int a9, int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18, int a19,
            int a20, int a21, int a22, int a23, int a24, int a25, int a26, int a27, int a28, int a29, int a30,
            int a31, int a32) {
        record("setData", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18,
                a19, a20, a21, a22, a23, a24, a25, a26, a27, a28, a29, a30, a31, a32);
    }

    /** Report types 8. */
    public void setData(String a1, String a2, String a3, String a4, String a5, String a6, String a7, int a8,
            int a9, int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18, int a19,
            int a20, int a21, int a22, int a23, int a24, int a25, int a26, int a27, int a28, int a29, int a30,
            int a31, int a32, int a33, int a34, int a35, int a36, int a37, int a38, int a39, int a40, int a41,
            int a42, int a43, int a44, int a45, int a46, int a47, int a48, int a49, int a50) {
        record("setData", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18,
                a19, a20, a21, a22, a23, a24, a25, a26, a27, a28, a29, a30, a31, a32, a33, a34, a35, a36, a37,
                a38, a39, a40, a41, a42, a43, a44, a45, a46, a47, a48, a49, a50);
    }

    /** Report types 9. */
    public void setData(String a1, String a2, String a3, String a4, String a5, String a6, String a7, int a8,
            int a9, int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18, int a19,
            int a20, int a21, int a22, int a23, int a24, int a25, int a26, int a27, int a28, int a29, int a30,
            int a31, int a32, int a33, int a34, int a35, int a36, int a37, int a38, int a39, int a40, int a41,
            int a42, int a43, int a44, int a45, int a46, int a47, int a48, int a49, int a50, int a51, int a52,
            int a53, int a54, int a55, int a56) {
        record("setData", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18,
                a19, a20, a21, a22, a23, a24, a25, a26, a27, a28, a29, a30, a31, a32, a33, a34, a35, a36, a37,
                a38, a39, a40, a41, a42, a43, a44, a45, a46, a47, a48, a49, a50, a51, a52, a53, a54, a55, a56);
    }

    /** Report types 13. */
    public void setData(String a1, String a2, String a3, String a4, String a5, String a6, String a7, int a8,
            int a9, int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18, int a19,
            int a20, int a21, int a22, int a23, int a24, int a25, int a26, int a27, int a28, int a29, int a30,
            int a31, int a32, int a33, int a34, int a35, int a36, int a37, int a38, int a39, int a40, int a41,
            int a42, int a43, int a44, int a45, int a46, int a47, int a48, int a49, int a50, int a51, int a52,
            int a53, int a54, int a55, int a56, int a57, int a58, int a59, int a60, int a61, int a62) {
        record("setData", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18,
                a19, a20, a21, a22, a23, a24, a25, a26, a27, a28, a29, a30, a31, a32, a33, a34, a35, a36, a37,
                a38, a39, a40, a41, a42, a43, a44, a45, a46, a47, a48, a49, a50, a51, a52, a53, a54, a55, a56,
                a57, a58, a59, a60, a61, a62);
    }

    /** Report types 10. */
    public void setData(String a1, String a2, String a3, String a4, String a5, String a6, String a7,
            String a8, int a9, int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17,
            int a18, int a19, int a20, int a21, int a22, int a23, int a24, int a25, int a26, int a27, int a28,
            int a29, int a30, int a31, int a32, int a33) {
        record("setData", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18,
                a19, a20, a21, a22, a23, a24, a25, a26, a27, a28, a29, a30, a31, a32, a33);
    }

    /** Report types 3. */
    public void setData(String a1, String a2, String a3, String a4, String a5, String a6, String a7,
            String a8, String a9, String a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17,
            int a18) {
        record("setData", a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18);
    }
}
