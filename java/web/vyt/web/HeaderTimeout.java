package vyt.web;

import java.util.Map;
import java.util.concurrent.ConcurrentHashMap;
import java.util.concurrent.Executors;
import java.util.concurrent.ScheduledExecutorService;
import java.util.concurrent.ScheduledFuture;
import java.util.concurrent.TimeUnit;
import org.eclipse.jetty.io.Connection;
import org.eclipse.jetty.io.EndPoint;
import org.eclipse.jetty.server.HttpChannel;
import org.eclipse.jetty.server.Request;

/**
 * Closes a connection that has not sent a complete request head within the timeout of being
 * opened, or of its previous response. Jetty's idle timeout restarts with every byte, so a
 * client sending a header line every few seconds would hold a connection for good.
 */
final class HeaderTimeout implements Connection.Listener, HttpChannel.Listener, AutoCloseable {
    private final long millis;
    private final ScheduledExecutorService timer = Executors.newSingleThreadScheduledExecutor(r -> {
        Thread t = new Thread(r, "vyt-header-timeout");
        t.setDaemon(true);
        return t;
    });
    private final Map<EndPoint, ScheduledFuture<?>> waiting = new ConcurrentHashMap<>();

    HeaderTimeout(long millis) {
        this.millis = millis;
    }

    private void arm(EndPoint ep) {
        ScheduledFuture<?> f = timer.schedule(() -> {
            if (waiting.remove(ep) != null) ep.close();
        }, millis, TimeUnit.MILLISECONDS);
        ScheduledFuture<?> old = waiting.put(ep, f);
        if (old != null) old.cancel(false);
    }

    private void disarm(EndPoint ep) {
        ScheduledFuture<?> f = waiting.remove(ep);
        if (f != null) f.cancel(false);
    }

    @Override
    public void onOpened(Connection c) {
        arm(c.getEndPoint());
    }

    @Override
    public void onClosed(Connection c) {
        disarm(c.getEndPoint());
    }

    @Override
    public void onRequestBegin(Request r) {
        disarm(r.getHttpChannel().getEndPoint());
    }

    @Override
    public void onComplete(Request r) {
        EndPoint ep = r.getHttpChannel().getEndPoint();
        if (ep.isOpen()) arm(ep);
    }

    @Override
    public void close() {
        timer.shutdownNow();
        waiting.clear();
    }
}
