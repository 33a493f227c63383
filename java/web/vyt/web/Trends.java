package vyt.web;

import javax.servlet.http.HttpServletRequest;
import vyt.history.HistoryStore;

/**
 * The trend page of one transaction or path: {@code /trend?tran=NAME[&path=N]&range=...}, drawn
 * from the history the front end keeps.
 */
final class Trends {
    private final HttpServletRequest req;
    private final HistoryStore store;
    private final View view;

    Trends(HttpServletRequest req, HistoryStore store, View view) {
        this.req = req;
        this.store = store;
        this.view = view;
    }

    String page() throws Params.BadParameter, FrontEndServlet.Failure {
        throw new FrontEndServlet.Failure(404, "no trend page yet for " + req.getRequestURI() + " of "
                + view.collector() + " in " + store.describe());
    }
}
