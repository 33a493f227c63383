import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;

/** What a report target received: one entry per call, method name and arguments. */
class Calls {
    static final class Call {
        final String method;
        final Object[] args;

        Call(String method, Object[] args) {
            this.method = method;
            this.args = args;
        }

        /** 1-based argument position. */
        int num(int pos) {
            return (Integer) args[pos - 1];
        }

        String str(int pos) {
            return (String) args[pos - 1];
        }

        Object arg(int pos) {
            return args[pos - 1];
        }

        @Override
        public String toString() {
            return method + Arrays.toString(args);
        }
    }

    final List<Call> calls = new ArrayList<>();

    void record(String method, Object... args) {
        calls.add(new Call(method, args));
    }

    Call get(int i) {
        return calls.get(i);
    }

    int size() {
        return calls.size();
    }

    List<Call> of(String method) {
        List<Call> out = new ArrayList<>();
        for (Call c : calls) {
            if (c.method.equals(method)) out.add(c);
        }
        return out;
    }
}
