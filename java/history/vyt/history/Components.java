package vyt.history;

/**
 * One value per response-time component: network, server, application, wait (the record's {@code waiting}) and total. A null
 * component is unknown (not reported, or no transaction in the interval), never zero.
 */
public record Components<T>(T network, T server, T application, T waiting, T total) {
    /** The components' column stems, in the record's order. */
    static final String[] STEMS = {"net", "server", "app", "wait", "total"};

    public static <T> Components<T> none() {
        return new Components<>(null, null, null, null, null);
    }

    T get(int i) {
        return switch (i) {
            case 0 -> network;
            case 1 -> server;
            case 2 -> application;
            case 3 -> waiting;
            case 4 -> total;
            default -> throw new IndexOutOfBoundsException(i);
        };
    }

    @SuppressWarnings("unchecked")
    static <T> Components<T> of(Object[] v) {
        return new Components<>((T) v[0], (T) v[1], (T) v[2], (T) v[3], (T) v[4]);
    }
}
