// getBufLength / mapData logic and the decoder frame.
#include "vyt/dispatch.hpp"

#include <cstring>

#include "vyt/decoder.hpp"
#include "vyt/local_time.hpp"
#include "vyt/layout/common.hpp"
#include "vyt/catalog.hpp"
#include "vyt/trace.hpp"

namespace vyt {

std::int32_t BufLength(Bytes head, Tracer& t) {
    tracef(t, "\nJava_VYTconnect_getBufLength Entry:\n");
    if (head.size() < sizeof(std::int32_t)) {
        errorf(t, "getBufLength: %zu bytes hold no length word\n", head.size());
        return 0;
    }
    const std::int32_t len = head.i32(offsetof(layout::ReplyPrefix, reportLen));
    tracef(t, "\nJava_VYTconnect_getBufLength Exit: buflen=%d\n", len);
    return len;
}

namespace {
#define VYT_KIND_DECODER(type, reportId, name, title, selections, changes, decoder, setData, addEntry) &decoder,
const Decoder* const kDecoders[] = {VYT_REPORT_KINDS(VYT_KIND_DECODER)};
#undef VYT_KIND_DECODER
static_assert(std::size(kDecoders) == std::size(kReportKinds));
}  // namespace

const Decoder* FindDecoder(int t) { return ValidReportType(t) ? kDecoders[t - kMinReportType] : nullptr; }

int RunDecoder(const Decoder& d, Bytes reply, Sink& sink) {
    FollowZoneChange();
    Out out(sink, d.name);
    if (reply.size() < d.headerSize)
        out.fail("%s: reply of %zu bytes is shorter than its %zu-byte header\n", d.name, reply.size(),
                 d.headerSize);
    else
        try {
            d.decode(reply, out);
        } catch (const DecodeFault& f) {
            out.fail("%s: decoding fault: %zu-byte read at offset %zu outside a checked record of %zu bytes\n",
                     d.name, f.length, f.offset, f.size);
        }
    VYT_TRACE(out, "\n%s Exit: status=%d\n", d.name, out.status());
    return out.status();
}

int MapReply(Bytes reply, int reportType, Sink& sink) {
    tracef(sink, "\nJava_VYTreport_mapData Entry: rep_type<%d>\n", reportType);
    if (reply.size() < sizeof(std::int32_t)) {
        errorf(sink, "mapData: reply of %zu bytes holds no length word\n", reply.size());
        return kStatusFailed;
    }
    const std::int32_t reportLen = reply.i32(offsetof(layout::ReplyPrefix, reportLen));
    tracef(sink, "buflen<%d>\n", reportLen);
    if (reportLen == 0) {
        errorf(sink, "zero buflen\n");
        return kStatusFailed;
    }
    // Only bytes inside the array are dumped, whatever the length word says.
    const std::int32_t dumpEnd = (reportLen > 0 && static_cast<std::size_t>(reportLen) > reply.size())
                                     ? static_cast<std::int32_t>(reply.size())
                                     : reportLen;
    PrintDump(sink, reply.data(), 0, dumpEnd);
    if (reportLen == static_cast<std::int32_t>(sizeof(layout::ErrorReply))) {
        errorf(sink, "VYT Reported error\n");
        const std::size_t at = offsetof(layout::ErrorReply, status);
        const std::size_t n = sizeof layout::kTranNotFound;
        const bool notFound = reply.has(at, n) && std::memcmp(reply.data() + at, layout::kTranNotFound, n) == 0;
        return notFound ? kStatusTranNotFound : kStatusFailed;
    }
    int status;
    if (const Decoder* d = FindDecoder(reportType)) {
        status = RunDecoder(*d, reply, sink);
    } else {
        errorf(sink, "rep_type=%d invalid\n", reportType);
        status = kStatusFailed;
    }
    tracef(sink, "\nJava_VYTreport_mapData Exit: status=%d\n", status);
    return status;
}

}  // namespace vyt
