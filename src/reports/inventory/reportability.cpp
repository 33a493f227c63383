// Reportability: per transaction the number of msrv servers in total and
// online and a time (overview), or per server of one transaction its address,
// network name and time (detail).
#include <cstdio>
#include <cstring>

#include "decoders.hpp"
#include "vyt/callbacks/inventory.hpp"
#include "vyt/layout/inventory.hpp"
#include "vyt/timetext.hpp"

namespace vyt::inventory {

namespace {

using namespace layout;

// The overview's time for a transaction of which none was received.
constexpr std::int32_t kNoTransReceived = -1;
constexpr char kNoTransReceivedText[] = "NO_TRANS_RECV";

// Header texts shared by both reports: the two stamps and the duration since
// the collector started, each in a buffer of its own.
struct HeaderTimes {
    char nowStamp[kTimeTextMax];
    char startupStamp[kTimeTextMax];
    char duration[kTimeTextMax];
};

void MakeHeaderTimes(Out& out, std::int32_t now, std::int32_t startup, HeaderTimes& t) {
    DateTimeStamp(now, t.nowStamp);
    DateTimeStamp(startup, t.startupStamp);
    std::snprintf(t.duration, sizeof t.duration, "%s", FormatDurationTime(out.tracer(), now, startup, 1));
}

void DecodeReportability(Bytes reply, Out& out) {
    const auto h = at<ReportabilityHeader>(reply, 0);
    const std::int32_t count = FIELD(h, reportEntryCt);
    const std::int32_t now = FIELD(h, secsUTCNow);
    const std::int32_t startup = FIELD(h, collectorStartupTime);
    TRACE(out, "\nProcessReportabilityData Entry: buflen=%d\n", FIELD(h, reportLen));
    HeaderTimes times;
    MakeHeaderTimes(out, now, startup, times);
    TRACE(out, "collectorStartupTime=%d secsUTCNow=%d Duration<%s>\n", startup, now, times.duration);
    const auto set = out.method<cb::ReportabilitySetData>();
    const auto add = out.method<cb::ReportabilityAddEntry>();
    out.call(set, text(times.nowStamp), text(times.startupStamp), text(times.duration), startup);
    ForEntries(out, reply, sizeof(ReportabilityHeader), sizeof(ReportabilityEntry), count,
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<ReportabilityEntry>(b, 0);
                   const std::int32_t total = FIELD(e, msrvCtTotal);
                   const std::int32_t online = FIELD(e, msrvCtOnline);
                   const auto tranName = FIELD(e, tranName);
                   const std::int32_t tranTime = FIELD(e, tranTime);
                   const std::int32_t flags = FIELD(e, flags);
                   // Each entry sets its time text anew.
                   const char* timeText;
                   if (tranTime == kNoTransReceived) {
                       char* buf = timebuff();
                       std::memcpy(buf, kNoTransReceivedText, sizeof kNoTransReceivedText);
                       timeText = buf;
                   } else {
                       timeText = FormatStatusTime(out.tracer(), tranTime, 1);
                   }
                   TRACE(out, "\nIdx[%d/%d] tranName<%s> msrvCtTotal=%d msrvCtOnline=%d tranTime<%s> flags=%d \n", k,
                         count, tranName.c_str(), total, online, timeText, flags);
                   out.call(add, text(tranName), text(timeText), total, online, flags);
               });
}

void DecodeReportabilityDetail(Bytes reply, Out& out) {
    const auto h = at<ReportabilityDetailHeader>(reply, 0);
    const std::int32_t count = FIELD(h, reportEntryCt);
    const auto tranName = FIELD(h, tranName);
    const std::int32_t now = FIELD(h, secsUTCNow);
    const std::int32_t startup = FIELD(h, collectorStartupTime);
    TRACE(out, "\nProcessReportabilityDetailData Entry: buflen=%d\n", FIELD(h, reportLen));
    TRACE(out, "tranName<%s> collectorStartupTime=%d secsUTCNow=%d \n", tranName.c_str(), startup, now);
    HeaderTimes times;
    MakeHeaderTimes(out, now, startup, times);
    const auto set = out.method<cb::ReportabilityDetailSetData>();
    const auto add = out.method<cb::ReportabilityDetailAddEntry>();
    out.call(set, text(tranName), text(times.nowStamp), text(times.startupStamp), text(times.duration), startup);
    ForEntries(out, reply, sizeof(ReportabilityDetailHeader), sizeof(ReportabilityDetailEntry), count,
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<ReportabilityDetailEntry>(b, 0);
                   const auto address = FIELD(e, msrvIPAddress);
                   const auto netName = FIELD(e, msrvIPNetName);
                   const std::int32_t flags = FIELD(e, flags);
                   // No value is special here: -1 is a time like any other.
                   const char* timeText = FormatStatusTime(out.tracer(), FIELD(e, msrvTime), 1);
                   TRACE(out, "\nIdx[%d/%d] msrvIPAddress<%s> msrvIPNetName<%s> timebuff<%s> flags=%d\n", k, count,
                         address.c_str(), netName.c_str(), timeText, flags);
                   out.call(add, text(address), text(netName), text(timeText), flags);
               });
}

}  // namespace

const Decoder kReportability{"ProcessReportabilityData", sizeof(ReportabilityHeader), DecodeReportability};
const Decoder kReportabilityDetail{"ProcessReportabilityDetailData", sizeof(ReportabilityDetailHeader),
                                   DecodeReportabilityDetail};

}  // namespace vyt::inventory
