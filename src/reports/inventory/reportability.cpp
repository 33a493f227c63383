// Reportability: per transaction the number of msrv servers in total and
// online and a time (overview), or per server of one transaction its address,
// network name and time (detail).
#include <cstdio>
#include <cstring>

#include "vyt/decoder.hpp"
#include "vyt/catalog.hpp"
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
    FormatDurationTime(out.tracer(), now, startup, 1, t.duration);
}

void DecodeReportability(Bytes reply, Out& out) {
    const auto h = at<ReportabilityHeader>(reply, 0);
    const std::int32_t count = VYT_FIELD(h, reportEntryCt);
    const std::int32_t now = VYT_FIELD(h, secsUTCNow);
    const std::int32_t startup = VYT_FIELD(h, collectorStartupTime);
    VYT_TRACE(out, "\nProcessReportabilityData Entry: buflen=%d\n", VYT_FIELD(h, reportLen));
    HeaderTimes times;
    MakeHeaderTimes(out, now, startup, times);
    VYT_TRACE(out, "collectorStartupTime=%d secsUTCNow=%d Duration<%s>\n", startup, now, times.duration);
    const auto set = out.method<cb::ReportabilitySetData>();
    const auto add = out.method<cb::ReportabilityAddEntry>();
    out.call(set, {.currentTime = text(times.nowStamp),
                   .startupTime = text(times.startupStamp),
                   .duration = text(times.duration),
                   .collectorStartupTime = startup});
    ForEntries(out, reply, sizeof(ReportabilityHeader), sizeof(ReportabilityEntry), count,
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<ReportabilityEntry>(b, 0);
                   VYT_FIELDS(e, msrvCtTotal, msrvCtOnline);
                   const auto tranName = VYT_FIELD(e, tranName);
                   VYT_FIELDS(e, tranTime, flags);
                   // Each entry sets its time text anew.
                   TimeText timeText;
                   if (tranTime == kNoTransReceived)
                       std::memcpy(timeText, kNoTransReceivedText, sizeof kNoTransReceivedText);
                   else
                       FormatStatusTime(out.tracer(), tranTime, 1, timeText);
                   VYT_TRACE(out, "\nIdx[%d/%d] tranName<%s> msrvCtTotal=%d msrvCtOnline=%d tranTime<%s> flags=%d \n",
                             k, count, tranName.c_str(), msrvCtTotal, msrvCtOnline, timeText, flags);
                   out.call(add, {.tranName = text(tranName),
                                  .tranTime = text(timeText),
                                  VYT_SAME(msrvCtTotal, msrvCtOnline, flags)});
               });
}

void DecodeReportabilityDetail(Bytes reply, Out& out) {
    const auto h = at<ReportabilityDetailHeader>(reply, 0);
    const std::int32_t count = VYT_FIELD(h, reportEntryCt);
    const auto tranName = VYT_FIELD(h, tranName);
    const std::int32_t now = VYT_FIELD(h, secsUTCNow);
    const std::int32_t startup = VYT_FIELD(h, collectorStartupTime);
    VYT_TRACE(out, "\nProcessReportabilityDetailData Entry: buflen=%d\n", VYT_FIELD(h, reportLen));
    VYT_TRACE(out, "tranName<%s> collectorStartupTime=%d secsUTCNow=%d \n", tranName.c_str(), startup, now);
    HeaderTimes times;
    MakeHeaderTimes(out, now, startup, times);
    const auto set = out.method<cb::ReportabilityDetailSetData>();
    const auto add = out.method<cb::ReportabilityDetailAddEntry>();
    out.call(set, {.tranName = text(tranName),
                   .currentTime = text(times.nowStamp),
                   .startupTime = text(times.startupStamp),
                   .duration = text(times.duration),
                   .collectorStartupTime = startup});
    ForEntries(out, reply, sizeof(ReportabilityDetailHeader), sizeof(ReportabilityDetailEntry), count,
               [&](std::int32_t k, Bytes b) {
                   const auto e = at<ReportabilityDetailEntry>(b, 0);
                   const auto address = VYT_FIELD(e, msrvIPAddress);
                   const auto netName = VYT_FIELD(e, msrvIPNetName);
                   const std::int32_t flags = VYT_FIELD(e, flags);
                   // No value is special here: -1 is a time like any other.
                   TimeText timeText;
                   FormatStatusTime(out.tracer(), VYT_FIELD(e, msrvTime), 1, timeText);
                   VYT_TRACE(out, "\nIdx[%d/%d] msrvIPAddress<%s> msrvIPNetName<%s> timebuff<%s> flags=%d\n", k, count,
                             address.c_str(), netName.c_str(), timeText, flags);
                   out.call(add, {.msrvIPAddress = text(address),
                                  .msrvIPNetName = text(netName),
                                  .msrvTime = text(timeText),
                                  .flags = flags});
               });
}

}  // namespace

const Decoder kReportability{"ProcessReportabilityData", sizeof(ReportabilityHeader), DecodeReportability};
const Decoder kReportabilityDetail{"ProcessReportabilityDetailData", sizeof(ReportabilityDetailHeader),
                                   DecodeReportabilityDetail};

}  // namespace vyt::inventory
