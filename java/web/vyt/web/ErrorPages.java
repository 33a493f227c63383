package vyt.web;

import java.io.IOException;
import java.nio.ByteBuffer;
import java.nio.charset.StandardCharsets;
import javax.servlet.http.HttpServletRequest;
import javax.servlet.http.HttpServletResponse;
import org.eclipse.jetty.http.HttpFields;
import org.eclipse.jetty.http.HttpHeader;
import org.eclipse.jetty.http.HttpStatus;
import org.eclipse.jetty.server.Request;
import org.eclipse.jetty.server.handler.ErrorHandler;
import org.eclipse.jetty.util.BufferUtil;

/**
 * Jetty's own error responses (a malformed request line or header, an address too long, a login
 * needed) as the application's error pages: the same security headers, the same look, no
 * server name and no stack trace.
 */
final class ErrorPages extends ErrorHandler {
    ErrorPages() {
        setShowStacks(false);
        setShowServlet(false);
    }

    @Override
    protected void generateAcceptableResponse(Request baseRequest, HttpServletRequest request,
            HttpServletResponse response, int code, String message) throws IOException {
        FrontEndServlet.secure(response);
        response.setContentType("text/html;charset=UTF-8");
        response.setHeader("Cache-Control", "no-store");
        if (code >= 500) response.setHeader("Retry-After", String.valueOf(FrontEndServlet.REFRESH_SECONDS));
        String ctx = request.getContextPath();  // null outside a context, e.g. in the security handler
        response.getWriter().write(FrontEndServlet.errorPage(ctx == null ? "" : ctx, code, text(code, message),
                false));
        baseRequest.setHandled(true);
    }

    /** A request Jetty refused before any handler saw it. */
    @Override
    public ByteBuffer badMessageError(int status, String reason, HttpFields fields) {
        fields.put("Content-Security-Policy", FrontEndServlet.CSP);
        fields.put("X-Content-Type-Options", "nosniff");
        fields.put("X-Frame-Options", "DENY");
        fields.put("Referrer-Policy", FrontEndServlet.REFERRER_POLICY);
        fields.put(HttpHeader.CACHE_CONTROL, "no-store");
        fields.put(HttpHeader.CONTENT_TYPE, "text/html;charset=UTF-8");
        return BufferUtil.toBuffer(FrontEndServlet.errorPage("", status, text(status, reason), false)
                .getBytes(StandardCharsets.UTF_8));
    }

    private static String text(int code, String message) {
        if (message != null && !message.isBlank() && !message.equals(HttpStatus.getMessage(code))) return message;
        switch (code) {
            case 401: return "this server needs a user name and password";
            case 414: return "the address is too long";
            case 431: return "the request's headers are too large";
            default: return HttpStatus.getMessage(code);
        }
    }
}
