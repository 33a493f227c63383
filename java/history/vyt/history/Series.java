package vyt.history;

import java.util.List;

/**
 * The answer to a {@link SeriesQuery}: a point every {@code step} seconds over the range (gaps
 * included), from the collector intervals or, when {@code hourly}, from the hourly roll-ups. A
 * series read {@code shift} seconds earlier (an overlay) has its points moved forward by the
 * shift, onto the query's range.
 */
public record Series(SeriesQuery query, int step, boolean hourly, long shift, List<Point> points) {
    public Series {
        points = List.copyOf(points);
    }
}
